#include "korvatreporter/prefs/qareporterprefstyles.h"

#include "rendoc/aml/damlreader.h"
#include "rendoc/aml/dregularfile.h"
#include "rendoc/style/dstyle.h"

#include <QCoreApplication>
#include <QFile>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The style names a report uses, as translation sources of the page.
const char *const StyleNameSources[] = {
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Normal"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Normal Failed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Normal Passed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title0"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title1"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title1 Failed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title1 Passed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title2"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title2 Failed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title2 Passed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title3"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title3 Failed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title3 Passed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title4"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title4 Failed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title4 Passed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title5"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title5 Failed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title5 Passed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title6"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title6 Failed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Title6 Passed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Array Title"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Array"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Array Failed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Array Passed"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Warning"),
    QT_TRANSLATE_NOOP("QAReporterPrefStyles", "Link"),
};

} // namespace

QAReporterPrefStyles::QAReporterPrefStyles(const QString &title, const QString &tag,
                                           const QString &helpText, const QString &styleFile,
                                           QObject *parent)
    : PreferenceItem(title, tag, helpText, parent), m_styleFile(styleFile)
{
    QStringList names;
    adopt(readStyleFile(&names), names);
    if (QFile::exists(m_styleFile))
        fillTranslation();
}

QAReporterPrefStyles::~QAReporterPrefStyles()
{
    qDeleteAll(m_styles);
}

QStringList QAReporterPrefStyles::knownStyleNames()
{
    QStringList names;
    for (const char *source : StyleNameSources)
        names.append(QString::fromLatin1(source));
    return names;
}

void QAReporterPrefStyles::fillTranslation()
{
    for (const char *source : StyleNameSources)
        m_translation.insert(QString::fromLatin1(source),
                             QCoreApplication::translate("QAReporterPrefStyles", source));
}

DStyle *QAReporterPrefStyles::style(const QString &name) const
{
    for (DStyle *style : m_styles) {
        if (style->name() == name)
            return style;
    }
    return nullptr;
}

// The styles the style file defines, and their names into `names`; the
// built-in (none) when the file is missing. A file that does not parse still
// gives the styles read up to the error, but no names.
QList<DStyle *> QAReporterPrefStyles::readStyleFile(QStringList *names) const
{
    names->clear();
    QFile file(m_styleFile);
    // Only a regular file is read: a named pipe in its place would block start-up.
    if (!DRegularFile::isRegular(m_styleFile) || !file.open(QIODevice::ReadOnly))
        return {};
    DAmlReader reader;
    reader.setEnabledLocalStyle(true);
    reader.setInputSize(file.size());
    if (reader.parse(&file))
        *names = reader.styleNames();
    return reader.handler()->takeStyles();
}

void QAReporterPrefStyles::defaults()
{
    // With the page shown, Defaults is a proposal like any edit: the page
    // shows the file's styles, and only apply() makes them current.
    if (m_view) {
        m_pending.clear();
        QStringList names;
        for (DStyle *style : readStyleFile(&names))
            m_pending.emplace_back(style);
        m_pendingNames = names;
        m_hasPending = true;
        return;
    }
    QStringList names;
    adopt(readStyleFile(&names), names);
}

void QAReporterPrefStyles::adopt(const QList<DStyle *> &fresh, const QStringList &names)
{
    m_styleNames = names;
    // Open documents point at the current style objects: reuse the object of
    // each name the file still defines, and retire the others (see the class
    // comment).
    QList<DStyle *> old = m_styles;
    m_styles.clear();
    for (DStyle *style : fresh) {
        auto reused = std::find_if(old.begin(), old.end(),
                                   [style](const DStyle *o) { return o->name() == style->name(); });
        if (reused == old.end()) {
            m_styles.append(style);
            continue;
        }
        **reused = *style;
        delete style;
        m_styles.append(*reused);
        old.erase(reused);
    }
    for (DStyle *style : std::as_const(old))
        m_retired.emplace_back(style);
}

QWidget *QAReporterPrefStyles::createWidget(QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(10, 10, 10, 10);
    m_view = new DStyleView(m_styleNames, box, nullptr, false, 0);
    m_view->setStyleNameTranslation(m_translation);
    layout->addWidget(m_view);
    return box;
}

void QAReporterPrefStyles::updateContents()
{
    if (!m_view)
        return;
    if (m_hasPending) {
        QList<DStyle *> shown;
        for (const auto &style : m_pending)
            shown.append(style.get());
        m_view->setStyleNames(m_pendingNames);
        m_view->initVal(shown);
        return;
    }
    // defaults() may have read other names since the view was made.
    m_view->setStyleNames(m_styleNames);
    m_view->initVal(m_styles);
}

void QAReporterPrefStyles::apply()
{
    // Edits go into what the page shows: the current styles, or the
    // proposed defaults, which then become current.
    if (m_view)
        m_view->updateStyles();
    if (!m_hasPending)
        return;
    QList<DStyle *> fresh;
    for (auto &style : m_pending)
        fresh.append(style.release());
    adopt(fresh, m_pendingNames);
    dropPending();
}

void QAReporterPrefStyles::cancel()
{
    dropPending();
}

void QAReporterPrefStyles::dropPending()
{
    m_pending.clear();
    m_pendingNames.clear();
    m_hasPending = false;
}
