// The docks the report window offers to the host's View menu: Header,
// History and Failures, each shown and hidden the way its own command does.

#include "korvatreporter/window/qareporter.h"

#include "korvatreporter/window/qarfailuresdock.h"
#include "korvatreporter/window/qarhistorydock.h"

QList<QAStDockOffer> QAReporter::offeredDocks()
{
    return {
        {QStringLiteral("header"), tr("Header"), m_headerDock, commandKey(ShowHeaderKey)},
        {QStringLiteral("history"), tr("History"), m_historyDock, QKeySequence()},
        {QStringLiteral("failures"), tr("Failures"), m_failuresDock.data(), commandKey(FailuresKey)},
    };
}

void QAReporter::showOfferedDock(const QString &id, bool shown)
{
    if (id == QLatin1String("header")) {
        // The header leaves the window when hidden; its command puts it back.
        if (m_headerDock && m_headerDock->isHidden() == shown)
            showDock(m_showHeaderItem);
    } else if (id == QLatin1String("failures")) {
        if (m_failuresDock && m_failuresDock->isHidden() == shown)
            toggleFailures();
    } else if (id == QLatin1String("history")) {
        if (m_historyDock)
            m_historyDock->setVisible(shown);
    }
}
