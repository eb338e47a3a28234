#include "korvatreporter/prefs/qareporterpref.h"

#include "korvatreporter/prefs/qareporterprefgeneral.h"
#include "korvatreporter/prefs/qareporterprefhistory.h"
#include "korvatreporter/prefs/qareporterprefstyles.h"
#include "rendoc/style/dstyle.h"
#include "rendoc/styleres/dstyleserialize.h"
#include "sdk/qaresboolean.h"
#include "sdk/qaresgroup.h"
#include "sdk/qaresint.h"
#include "sdk/qaresrgb.h"
#include "sdk/qaresstring.h"
#include "sdk/qastudiointerface.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QAReporterPref *s_instance = nullptr;

const char *const GroupTag = "REPORTER";
const char *const PageTag = "pref-report";

// The string resource tagged "name" among a style group's children.
const QAResString *styleNameOf(const QAResGroup *styleGroup)
{
    for (QARes *res = styleGroup->firstChild(); res; res = res->next()) {
        if (res->isTag("name") && res->toResString())
            return res->toResString();
    }
    return nullptr;
}

} // namespace

QAReporterPref *QAReporterPref::instance()
{
    return s_instance;
}

void QAReporterPref::setInstance(QAReporterPref *pref)
{
    s_instance = pref;
}

QAReporterPref::QAReporterPref(QAStudioInterface *studio, QObject *parent)
    : QObject(parent), m_studio(studio)
{
    const QString styleFile = styleFilePath(studio ? studio->installDirectory() : QString());
    const QString tag = QString::fromLatin1(PageTag);
    m_general = std::make_unique<QAReporterPrefGeneral>(
        QCoreApplication::translate("QAReporterPref", "Report Viewer",
                                    "Reporter Plugin Preference First Item Title"),
        tag, tag, studio);
    m_styles = std::make_unique<QAReporterPrefStyles>(
        QCoreApplication::translate("QAReporterPref", "Styles",
                                    "Reporter Plugin Preference Second Item Title"),
        tag, tag, styleFile);
    m_general->setChild(m_styles.get());
    m_history = std::make_unique<QAReporterPrefHistory>(
        QCoreApplication::translate("QAReporterPref", "History", "Reporter Plugin Preference Third Item Title"),
        tag, tag);
    m_styles->setNext(m_history.get());
}

QAReporterPref::~QAReporterPref()
{
    if (s_instance == this)
        s_instance = nullptr;
}

QString QAReporterPref::styleFilePath(const QString &installDir)
{
    const QString dir = installDir.isEmpty() ? QStringLiteral(".") : installDir;
    return dir + QDir::separator() + QLatin1String("lib") + QDir::separator()
        + QLatin1String("reporterstyle.aml");
}

void QAReporterPref::readResources(QARes *group)
{
    if (!group || !group->toResGroup() || !group->isTag(GroupTag))
        return;
    // Children are taken in order, so a later one of the same tag wins. A
    // child whose class does not fit its tag is ignored.
    for (QARes *res = group->child(); res; res = res->next()) {
        if (res->isTag("background")) {
            if (const QAResRGB *rgb = res->toResRGB())
                m_general->setBackground(QColor(rgb->red(), rgb->green(), rgb->blue()));
        } else if (res->isTag("auto_raise")) {
            if (const QAResBoolean *flag = res->toResBoolean())
                m_general->setAutoRaise(flag->value());
        } else if (res->isTag("auto_depth")) {
            if (const QAResInt *depth = res->toResInt())
                m_general->setAutoDepth(depth->value());
        } else if (res->isTag("live_reload")) {
            if (const QAResBoolean *flag = res->toResBoolean())
                m_general->setLiveReload(flag->value());
        } else if (res->isTag("record_opened")) {
            if (const QAResBoolean *flag = res->toResBoolean())
                m_history->setRecordOpened(flag->value());
        } else if (res->isTag("history_url")) {
            if (const QAResString *url = res->toResString())
                m_history->setStoreUrl(url->value());
        } else if (res->isTag("STYLES")) {
            readStyles(res);
        }
    }
}

void QAReporterPref::readStyles(QARes *stylesGroup)
{
    if (!stylesGroup->toResGroup())
        return;
    // Stored styles are matched to the page's styles by name; stored ones the
    // style file does not define are ignored.
    for (DStyle *style : m_styles->styles()) {
        for (QARes *res = stylesGroup->child(); res; res = res->next()) {
            QAResGroup *styleGroup = res->toResGroup();
            if (!styleGroup)
                continue;
            const QAResString *name = styleNameOf(styleGroup);
            if (name && name->value() == style->name()) {
                DStyleSerialize::styleFromResources(styleGroup, style);
                break;
            }
        }
    }
}

QARes *QAReporterPref::produceResources(const char *tag)
{
    auto *group = new QAResGroup(QString::fromUtf8(tag ? tag : GroupTag));
    const QColor background = m_general->background();
    group->appendChild(new QAResRGB(QStringLiteral("background"), background.red(),
                                    background.green(), background.blue()));
    group->appendChild(new QAResBoolean(QStringLiteral("auto_raise"), m_general->autoRaise()));
    group->appendChild(new QAResInt(QStringLiteral("auto_depth"), m_general->autoDepth()));
    group->appendChild(new QAResBoolean(QStringLiteral("live_reload"), m_general->liveReload()));
    group->appendChild(new QAResBoolean(QStringLiteral("record_opened"), m_history->recordOpened()));
    group->appendChild(new QAResString(QStringLiteral("history_url"), m_history->storeUrl()));
    auto *styles = new QAResGroup(QStringLiteral("STYLES"));
    for (DStyle *style : m_styles->styles())
        styles->appendChild(DStyleSerialize::styleToResources("style", style));
    group->appendChild(styles);
    return group;
}

void QAReporterPref::prefDialogAccepted()
{
    Q_EMIT preferencesChanged();
}

void QAReporterPref::prefDialogRejected()
{
}
