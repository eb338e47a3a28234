#include "benchsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QXmlStreamReader>

#include <expat.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace BenchSupport {

QString reportFile(int argc, char **argv)
{
    if (argc > 1)
        return QString::fromLocal8Bit(argv[1]);
    const QString path = QDir::temp().filePath(QStringLiteral("bench_60mb.xrd"));
    if (QFileInfo(path).size() > 0)
        return path;
    const QString generator = QCoreApplication::applicationDirPath() + QStringLiteral("/xrdgen");
    std::printf("generating %s with %s\n", qPrintable(path), qPrintable(generator));
    std::fflush(stdout);
    if (QProcess::execute(generator, {path}) != 0)
        return QString();
    return path;
}

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double megabytes(const QString &file)
{
    return double(QFileInfo(file).size()) / 1e6;
}

double bareQtSeconds(const QString &file)
{
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        return -1;
    QElapsedTimer timer;
    timer.start();
    QXmlStreamReader xml(&input);
    xml.setNamespaceProcessing(false);
    qint64 named = 0;
    qint64 chars = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement)
            named += xml.attributes().hasAttribute(QLatin1String("name")) ? 1 : 0;
        else if (token == QXmlStreamReader::Characters)
            chars += xml.text().size();
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    std::fprintf(stderr, "bare Qt pass: %lld named, %lld characters\n", named, chars);
    return xml.hasError() ? -1 : seconds;
}

namespace {

struct ExpatCounts
{
    long long named = 0;
    long long chars = 0;
};

void XMLCALL expatStart(void *data, const XML_Char *, const XML_Char **atts)
{
    for (int i = 0; atts[i]; i += 2) {
        if (std::strcmp(atts[i], "name") == 0) {
            ++static_cast<ExpatCounts *>(data)->named;
            break;
        }
    }
}

void XMLCALL expatEnd(void *, const XML_Char *) {}

void XMLCALL expatText(void *data, const XML_Char *, int size)
{
    static_cast<ExpatCounts *>(data)->chars += size;
}

} // namespace

double bareExpatSeconds(const QString &file)
{
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        return -1;
    QElapsedTimer timer;
    timer.start();
    XML_Parser parser = XML_ParserCreate(nullptr);
    ExpatCounts counts;
    XML_SetUserData(parser, &counts);
    XML_SetElementHandler(parser, expatStart, expatEnd);
    XML_SetCharacterDataHandler(parser, expatText);
    std::vector<char> buffer(1 << 16);
    bool ok = true;
    for (;;) {
        const qint64 size = input.read(buffer.data(), qint64(buffer.size()));
        if (size < 0 || XML_Parse(parser, buffer.data(), int(size), size == 0) != XML_STATUS_OK) {
            ok = false;
            break;
        }
        if (size == 0)
            break;
    }
    XML_ParserFree(parser);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    std::fprintf(stderr, "bare expat pass: %lld named, %lld bytes of text\n", counts.named, counts.chars);
    return ok ? seconds : -1;
}

} // namespace BenchSupport
