// The report window's header dock: the summary table above the report,
// sized to the table until the user resizes it, hidden by its close button.

#include "korvatreporter/window/qareporter.h"

#include "korvatreporter/window/qarmenu.h"

#include <QDockWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

QWidget *QAReporter::makeHeaderTitleBar()
{
    auto *bar = new QWidget(m_headerDock);
    auto *layout = new QVBoxLayout(bar);
    layout->setContentsMargins(1, 1, 1, 1);
    auto *close = new QToolButton(bar);
    close->setObjectName(QStringLiteral("headerClose"));
    close->setAutoRaise(true);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, close));
    close->setIconSize(QSize(10, 10));
    close->setToolTip(tr("Hide the header"));
    connect(close, &QToolButton::clicked, this, &QAReporter::hideHeader);
    layout->addWidget(close);
    layout->addStretch(1);
    return bar;
}

void QAReporter::hideHeader()
{
    if (m_commandsMenu)
        m_commandsMenu->setItemEnabled(m_printHeaderItem, false);
    removeDockWidget(m_headerDock);
    m_headerShown = false;
}

void QAReporter::showHeaderDock()
{
    addDockWidget(Qt::TopDockWidgetArea, m_headerDock);
    m_headerDock->show();
    fitHeaderDock();
}

void QAReporter::measureHeader()
{
    const int wanted = m_headerView->documentHeight() + 2 * m_headerView->frameWidth() + 4;
    m_headerHeight = qBound(HeaderDockHeight, wanted, HeaderDockMaxHeight);
    if (dockWidgetArea(m_headerDock) != Qt::NoDockWidgetArea)
        fitHeaderDock();
}

void QAReporter::fitHeaderDock()
{
    // The table's height, until the user has set one of their own.
    if (m_headerUserHeight)
        return;
    m_headerFitHeight = m_headerHeight;
    resizeDocks({m_headerDock.data()}, {m_headerHeight}, Qt::Vertical);
}
