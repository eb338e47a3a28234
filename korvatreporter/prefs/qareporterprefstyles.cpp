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
    defaults();
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

void QAReporterPrefStyles::defaults()
{
    m_styleNames.clear();
    QList<DStyle *> fresh;
    QFile file(m_styleFile);
    // Only a regular file is read: a named pipe in its place would block start-up. Anything
    // else leaves the built-in styles.
    if (DRegularFile::isRegular(m_styleFile) && file.open(QIODevice::ReadOnly)) {
        DAmlReader reader;
        reader.setEnabledLocalStyle(true);
        reader.setInputSize(file.size());
        // A file that does not parse still gives the styles read up to the error.
        if (reader.parse(&file))
            m_styleNames = reader.styleNames();
        fresh = reader.handler()->takeStyles();
    }

    // Open documents point at the current style objects: reuse the object of
    // each name the file still defines, and retire the others (see the class
    // comment).
    QList<DStyle *> old = m_styles;
    m_styles.clear();
    for (DStyle *style : std::as_const(fresh)) {
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
    // defaults() may have read other names since the view was made.
    m_view->setStyleNames(m_styleNames);
    m_view->initVal(m_styles);
}

void QAReporterPrefStyles::apply()
{
    if (m_view)
        m_view->updateStyles();
}

void QAReporterPrefStyles::cancel()
{
}
