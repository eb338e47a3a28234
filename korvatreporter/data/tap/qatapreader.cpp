#include "korvatreporter/data/tap/qatapreader.h"

#include "korvatreporter/data/results/qaresultwords.h"
#include "korvatreporter/data/json/qajsonfile.h"
#include "korvatreporter/data/results/qaresultsbuilder.h"
#include "rendoc/aml/damlreader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringTokenizer>

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace {

using QAResultWords::TypeCase;
using QAResultWords::StateOk;
using QAResultWords::StateKo;
using QAResultWords::StateNe;

const QString TypeBailOut = QStringLiteral("BailOut");
// Columns a tab advances the indentation of a YAML line to (the next multiple).
constexpr int IndentTabWidth = 4;

bool startsWithWord(QStringView line, QLatin1String word)
{
    return line.startsWith(word) && (line.size() == word.size() || !line.at(word.size()).isLetterOrNumber());
}

// The description with TAP's escapes "\#" and "\\" undone.
QString unescaped(QStringView text)
{
    if (!text.contains(QLatin1Char('\\')))
        return text.toString();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\\') && i + 1 < text.size()
            && (text.at(i + 1) == QLatin1Char('#') || text.at(i + 1) == QLatin1Char('\\')))
            ++i;
        out += text.at(i);
    }
    return out;
}

// True when `digits` is the positive `value` written in decimal, without
// leading zeros.
bool isDecimalOf(QStringView digits, qint64 value)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i, value /= 10) {
        if (value == 0 || digits.at(i).unicode() != u'0' + value % 10)
            return false;
    }
    return value == 0;
}

bool isAsciiBlank(QChar c)
{
    return c == QLatin1Char(' ') || (c >= QLatin1Char('\t') && c <= QLatin1Char('\r'));
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// True when `line` from `at`, a colon, to its end is ":LINE", ":LINE:COLUMN",
// then an optional quote and blanks; `lineEnd` is where LINE ends.
bool isLocationTail(QStringView line, qsizetype at, qsizetype &lineEnd)
{
    qsizetype i = at + 1;
    while (i < line.size() && isAsciiDigit(line.at(i)))
        ++i;
    if (i == at + 1)
        return false;
    lineEnd = i;
    if (i + 1 < line.size() && line.at(i) == QLatin1Char(':') && isAsciiDigit(line.at(i + 1))) {
        i += 2;
        while (i < line.size() && isAsciiDigit(line.at(i)))
            ++i;
    }
    if (i < line.size() && line.at(i) == QLatin1Char('\''))
        ++i;
    while (i < line.size() && isAsciiBlank(line.at(i)))
        ++i;
    return i == line.size();
}

// The source link of node's test runner's "location: 'FILE:LINE:COLUMN'"
// YAML line ("FILE line LINE"), null when the line has no such form. The
// file is the shortest start of the value that leaves a line number (and
// a column) after it, as the pattern below finds it; the usual forms are
// read directly and only the others go through the pattern.
QString locationLink(QStringView line)
{
    qsizetype start = 9; // after "location:"
    while (start < line.size() && isAsciiBlank(line.at(start)))
        ++start;
    if (start < line.size() && line.at(start) == QLatin1Char('\''))
        ++start;
    for (qsizetype at = start + 1; at < line.size(); ++at) {
        qsizetype lineEnd = 0;
        if (line.at(at) == QLatin1Char(':') && isLocationTail(line, at, lineEnd)) {
            QString link = line.mid(start, at - start).toString();
            link += QLatin1String(" line ");
            link += line.mid(at + 1, lineEnd - at - 1);
            return link;
        }
    }
    static const QRegularExpression location(QStringLiteral("^location:\\s*'?(.+?):(\\d+)(?::\\d+)?'?\\s*$"));
    const QRegularExpressionMatch match = location.match(line.toString());
    return match.hasMatch() ? match.captured(1) + QStringLiteral(" line ") + match.captured(2) : QString();
}

} // namespace

QATapReader::QATapReader() = default;

QATapReader::~QATapReader() = default;

bool QATapReader::read(QFile &file, QAStudioInterface *studio, const QList<DStyle *> &styles,
                       QAReporterData &record)
{
    m_error.clear();
    m_canceled = false;
    m_levels.assign(1, Level());
    m_point = Point();
    m_subtestName.clear();
    m_subtestNamed = false;
    m_inYaml = false;
    m_yaml.clear();
    m_yamlLines = 0;
    m_version.clear();
    m_lineNumber = 0;
    m_bailed = false;
    // The words that recur in a file, translated once a read.
    m_words.source = QCoreApplication::translate("Reporter", "Source ");
    m_words.diagnostics = QCoreApplication::translate("Reporter", "Diagnostics:");
    m_words.skipped = QCoreApplication::translate("Reporter", "Skipped.");
    m_words.skippedBecause = QCoreApplication::translate("Reporter", "Skipped: %1");
    QByteArray bytes;
    if (!QAJsonFile::contents(file, bytes)) {
        m_error = QStringLiteral("TAP, ") + file.errorString() + QLatin1Char('\n');
        return false;
    }
    QAResultsBuilder builder(QStringLiteral("TAP"), file, studio, styles);
    builder.setTotalsOnly(totalsOnly());
    builder.setTreeOnly(treeOnly());
    m_builder = &builder;
    bool ok = true;
    if (std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }))
        ok = builder.fail(builder.error(QCoreApplication::translate("Reporter", "the file holds no test results.")));
    if (ok)
        ok = builder.start(QCoreApplication::translate("Reporter", "TAP results: %1").arg(QFileInfo(file.fileName()).fileName()));
    const char *data = bytes.constData();
    const qint64 size = bytes.size();
    // Each line is decoded into one buffer, reused: most lines are read and
    // let go, and the texts kept are copied out of it.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString buffer;
    qint64 pos = data && size >= 3 && std::memcmp(data, "\xef\xbb\xbf", 3) == 0 ? 3 : 0;
    // Where the first NUL byte is, if any: the line that holds it is refused.
    const char *nul = size > 0 ? static_cast<const char *>(std::memchr(data, '\0', size_t(size))) : nullptr;
    const qint64 firstNul = nul ? nul - data : size;
    while (ok && pos < size && !m_bailed) {
        const char *newline = static_cast<const char *>(std::memchr(data + pos, '\n', size_t(size - pos)));
        const qint64 end = newline ? newline - data : size;
        ++m_lineNumber;
        if (end - pos > DAmlReader::MaxTextRun) {
            ok = lineError(QCoreApplication::translate("Reporter", "a line longer than %1 bytes.").arg(DAmlReader::MaxTextRun));
            break;
        }
        if (firstNul < end) {
            ok = lineError(QCoreApplication::translate("Reporter", "binary data, not text."));
            break;
        }
        buffer.resize(end - pos);
        QStringView line(buffer.constData(), decoder.appendToBuffer(buffer.data(), QByteArrayView(data + pos, end - pos)));
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        int indent = 0;
        qsizetype i = 0;
        for (; i < line.size() && (line.at(i) == QLatin1Char(' ') || line.at(i) == QLatin1Char('\t')); ++i)
            indent += line.at(i) == QLatin1Char('\t') ? IndentTabWidth - indent % IndentTabWidth : 1;
        ok = readLine(line.mid(i), indent);
        pos = end + 1;
        if (ok && (m_lineNumber & 255) == 0)
            ok = builder.progress(pos);
    }
    ok = ok && finish();
    m_builder = nullptr;
    if (ok)
        builder.finish(record);
    m_error = ok ? QString() : builder.errorString();
    m_canceled = builder.canceled();
    return ok;
}

bool QATapReader::lineError(const QString &text)
{
    return m_builder->fail(m_builder->error(QCoreApplication::translate("Reporter", "line %1: %2").arg(m_lineNumber).arg(text)));
}

bool QATapReader::readLine(QStringView line, int indent)
{
    if (m_inYaml) {
        if (line.trimmed().isEmpty() || indent >= m_yamlIndent) {
            if (line.trimmed() == QLatin1String("..."))
                return finishYaml();
            // The block is kept as one text, its lines joined by line breaks.
            if (m_yamlLines++ > 0)
                m_yaml += QLatin1Char('\n');
            if (indent > m_yamlIndent)
                m_yaml.resize(m_yaml.size() + (indent - m_yamlIndent), QLatin1Char(' '));
            m_yaml += line;
            return true;
        }
        // A block without its closing "..." ends where the indentation does.
        if (!finishYaml())
            return false;
    }
    if (line.trimmed().isEmpty())
        return true;
    if (m_point.open && line.trimmed() == QLatin1String("---") && indent > m_levels.back().indent) {
        m_inYaml = true;
        m_yamlIndent = indent;
        m_yaml.resize(0);
        m_yamlLines = 0;
        return true;
    }
    if (!finishPoint())
        return false;
    while (indent < m_levels.back().indent && m_levels.size() > 1) {
        if (!leaveLevel())
            return false;
    }
    static const QRegularExpression subtest(QStringLiteral("^#\\s*Subtest\\b:?\\s*(.*)$"));
    // Only comments are matched: a match object costs an allocation even empty.
    if (line.startsWith(QLatin1Char('#'))) {
        const QRegularExpressionMatch match = subtest.match(line.toString());
        if (match.hasMatch()) {
            // The subtest's name, written before its lines at its parent's
            // indentation (node, Perl) or as the first of them (TAP 14).
            if (indent > m_levels.back().indent && !m_subtestNamed) {
                m_subtestName = match.captured(1).trimmed();
                m_subtestNamed = true;
                return enterLevel(indent);
            }
            if ((indent > m_levels.back().indent && !enterLevel(indent)) || !finishPending())
                return false;
            m_subtestName = match.captured(1).trimmed();
            m_subtestNamed = true;
            return true;
        }
    }
    if (indent > m_levels.back().indent && !enterLevel(indent))
        return false;
    if (line.startsWith(QLatin1String("TAP version "))) {
        m_version = line.mid(12).trimmed().toString();
        return m_levels.size() > 1 || m_builder->paragraph(QString(), QCoreApplication::translate("Reporter", "TAP version %1.").arg(m_version));
    }
    if (line.startsWith(QLatin1String("Bail out!")))
        return bailOut(line.mid(9).trimmed());
    if (startsWithWord(line, QLatin1String("ok")))
        return testPoint(line.mid(2), true);
    if (startsWithWord(line, QLatin1String("not ok")))
        return testPoint(line.mid(6), false);
    if (line.startsWith(QLatin1String("1..")))
        return plan(line);
    if (line.startsWith(QLatin1String("pragma ")))
        return true;
    // Comments and lines TAP does not know are kept in the text as written.
    return m_builder->preformatted(line.toString());
}

bool QATapReader::enterLevel(int indent)
{
    if (!finishPending())
        return false;
    if (!m_builder->openPendingCase(m_subtestName, TypeCase))
        return false;
    m_subtestName.clear();
    m_subtestNamed = false;
    Level level;
    level.indent = indent;
    m_levels.push_back(level);
    return true;
}

bool QATapReader::leaveLevel()
{
    if (!finishPending())
        return false;
    const Level level = m_levels.back();
    m_levels.pop_back();
    // The subtest's node stays open for the test point that ends it.
    m_levels.back().pendingOpen = true;
    return planCheck(level);
}

bool QATapReader::finishPending()
{
    Level &level = m_levels.back();
    if (!level.pendingOpen)
        return true;
    // A subtest with no test point of its own takes the verdict of its tests.
    level.pendingOpen = false;
    return m_builder->closeNode();
}

bool QATapReader::testPoint(QStringView line, bool passed)
{
    Level &level = m_levels.back();
    ++level.tests;
    QStringView rest = line.trimmed();
    qsizetype digits = 0;
    while (digits < rest.size() && rest.at(digits).isDigit())
        ++digits;
    const QStringView number = rest.left(digits);
    rest = rest.mid(digits).trimmed();
    if (rest.startsWith(QLatin1Char('-')))
        rest = rest.mid(1).trimmed();
    // The directive follows the first "#" that is not escaped.
    qsizetype hash = -1;
    for (qsizetype i = 0; i < rest.size() && hash < 0; ++i) {
        if (rest.at(i) == QLatin1Char('\\'))
            ++i;
        else if (rest.at(i) == QLatin1Char('#'))
            hash = i;
    }
    QString name = unescaped(hash < 0 ? rest : rest.left(hash).trimmed());
    const QStringView directive = hash < 0 ? QStringView() : rest.mid(hash + 1).trimmed();
    const auto word = [&](QLatin1String w) {
        return directive.size() >= w.size() && directive.left(w.size()).compare(w, Qt::CaseInsensitive) == 0;
    };
    const bool skip = word(QLatin1String("skip"));
    const bool todo = !skip && word(QLatin1String("todo"));
    qsizetype reasonStart = 0;
    while (reasonStart < directive.size() && !directive.at(reasonStart).isSpace())
        ++reasonStart;
    const QString reason = directive.mid(reasonStart).trimmed().toString();
    // A TODO test that fails is expected to: it is no failure.
    const QString &state = skip ? QAResultWords::StateNe
                           : passed || todo ? QAResultWords::StateOk
                                            : QAResultWords::StateKo;
    if (name.isEmpty())
        name = QCoreApplication::translate("Reporter", "test %1").arg(number.isEmpty() ? QString::number(level.tests) : number.toString());
    m_point = Point{true, level.pendingOpen, state, name};
    if (level.pendingOpen)
        level.pendingOpen = false;
    else if (!m_builder->openCase(name, TypeCase, state))
        return false;
    m_subtestName.clear();
    m_subtestNamed = false;
    if (!number.isEmpty() && !isDecimalOf(number, level.tests)
        && !m_builder->paragraph(QStringLiteral("Warning"),
                                 QCoreApplication::translate("Reporter", "Numbered %1, but test %2 here.").arg(number.toString()).arg(level.tests)))
        return false;
    QString note;
    if (skip)
        note = reason.isEmpty() ? m_words.skipped : m_words.skippedBecause.arg(reason);
    else if (todo && passed)
        note = reason.isEmpty() ? QCoreApplication::translate("Reporter", "TODO, passed unexpectedly.") : QCoreApplication::translate("Reporter", "TODO, passed unexpectedly: %1").arg(reason);
    else if (todo)
        note = reason.isEmpty() ? QCoreApplication::translate("Reporter", "TODO, failed as expected.") : QCoreApplication::translate("Reporter", "TODO, failed as expected: %1").arg(reason);
    if (!note.isEmpty() && !m_builder->paragraph(QStringLiteral("Warning"), note))
        return false;
    return true;
}

bool QATapReader::finishPoint()
{
    if (!m_point.open)
        return true;
    m_point.open = false;
    return m_builder->closeNode(m_point.pending ? m_point.state : QString(), m_point.name);
}

bool QATapReader::finishYaml()
{
    m_inYaml = false;
    // node's test runner tells where a test is.
    for (QStringView line : QStringTokenizer(m_yaml, QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1String("location:")))
            continue;
        const QString link = locationLink(line);
        if (!link.isNull()) {
            if (!m_builder->paragraph(QString(), m_words.source, link))
                return false;
            break;
        }
    }
    const bool ok = m_builder->paragraph(QString(), m_words.diagnostics)
                    && m_builder->preformatted(m_yaml);
    // Emptied, not freed: the next block reuses the buffer.
    m_yaml.resize(0);
    m_yamlLines = 0;
    return ok;
}

bool QATapReader::bailOut(QStringView reason)
{
    if (!finishPending() || !m_builder->openCase(QCoreApplication::translate("Reporter", "Bail out!"), TypeBailOut, QAResultWords::StateKo))
        return false;
    const QString text = reason.isEmpty() ? QCoreApplication::translate("Reporter", "The run bailed out.") : QCoreApplication::translate("Reporter", "The run bailed out: %1").arg(reason);
    m_bailed = true;
    return m_builder->paragraph(QStringLiteral("Normal Failed"), text) && m_builder->closeNode();
}

bool QATapReader::plan(QStringView line)
{
    static const QRegularExpression form(QStringLiteral("^1\\.\\.(\\d+)\\s*(?:#\\s*(.*))?$"));
    const QRegularExpressionMatch match = form.match(line.toString());
    if (!match.hasMatch())
        return m_builder->preformatted(line.toString());
    Level &level = m_levels.back();
    bool ok = false;
    level.planned = match.captured(1).toLongLong(&ok);
    if (!ok)
        level.planned = std::numeric_limits<qint64>::max();
    const QString comment = match.captured(2).trimmed();
    if (comment.left(4).compare(QLatin1String("skip"), Qt::CaseInsensitive) != 0)
        return true;
    // "# SKIP reason", "# Skipped: reason": the directive's word, then the reason.
    const qsizetype space = comment.indexOf(QLatin1Char(' '));
    const QString reason = space < 0 ? QString() : comment.mid(space + 1).trimmed();
    return m_builder->paragraph(QStringLiteral("Warning"),
                                reason.isEmpty() ? QCoreApplication::translate("Reporter", "Skipped.") : QCoreApplication::translate("Reporter", "Skipped: %1").arg(reason));
}

bool QATapReader::planCheck(const Level &level)
{
    if (m_bailed)
        return true;
    if (level.planned < 0)
        return m_builder->paragraph(QStringLiteral("Normal Failed"),
                                    QCoreApplication::translate("Reporter", "No plan: %1 test(s) ran.").arg(level.tests));
    if (level.planned != level.tests)
        return m_builder->paragraph(QStringLiteral("Normal Failed"),
                                    QCoreApplication::translate("Reporter", "Planned %1 test(s), %2 ran.").arg(level.planned).arg(level.tests));
    return true;
}

bool QATapReader::finish()
{
    if (m_inYaml && !finishYaml())
        return false;
    if (!finishPoint())
        return false;
    while (m_levels.size() > 1) {
        if (!leaveLevel())
            return false;
    }
    if (!finishPending() || !planCheck(m_levels.back()))
        return false;
    const qint64 skipped = qMax<qint64>(m_builder->inconclusive(), 0);
    const qint64 failed = m_builder->failed();
    const QString text = QCoreApplication::translate("Reporter", "Tests: %1, passed: %2, failed: %3, skipped: %4.")
                             .arg(m_builder->passed() + failed + skipped)
                             .arg(m_builder->passed())
                             .arg(failed)
                             .arg(skipped);
    return m_builder->paragraph(failed > 0 ? QStringLiteral("Normal Failed") : QStringLiteral("Normal Passed"), text);
}
