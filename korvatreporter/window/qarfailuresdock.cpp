#include "korvatreporter/window/qarfailuresdock.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTabWidget>
#include <QTreeView>

#include <utility>

QARFailuresDock::QARFailuresDock(Provider files, QWidget *parent)
    : QDockWidget(QCoreApplication::translate("QAReporter", "Failures"), parent)
    , m_files(std::move(files))
{
    setObjectName(QStringLiteral("failuresDock"));
    m_model = new QARFailuresModel(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setDocumentMode(true);
    m_view = new QTreeView(m_tabs);
    m_view->setObjectName(QStringLiteral("failuresView"));
    m_view->setModel(m_model);
    m_view->setUniformRowHeights(true);
    m_view->setAllColumnsShowFocus(true);
    m_view->header()->setStretchLastSection(false);
    m_view->header()->setSectionResizeMode(QARFailuresModel::MessageColumn, QHeaderView::Stretch);
    m_view->header()->setSectionResizeMode(QARFailuresModel::CountColumn,
                                           QHeaderView::ResizeToContents);
    m_view->header()->setSectionResizeMode(QARFailuresModel::FileColumn,
                                           QHeaderView::ResizeToContents);
    m_tabs->addTab(m_view, QCoreApplication::translate("QAReporter", "Failures"));

    m_slowest = new QARSlowestModel(this);
    m_slowestView = new QTreeView(m_tabs);
    m_slowestView->setObjectName(QStringLiteral("slowestView"));
    m_slowestView->setModel(m_slowest);
    m_slowestView->setRootIsDecorated(false);
    m_slowestView->setUniformRowHeights(true);
    m_slowestView->setAllColumnsShowFocus(true);
    QHeaderView *header = m_slowestView->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QARSlowestModel::DurationColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(QARSlowestModel::TestColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(QARSlowestModel::FileColumn, QHeaderView::ResizeToContents);
    m_tabs->addTab(m_slowestView, QCoreApplication::translate("QAReporter", "Slowest tests"));
    setWidget(m_tabs);
    connect(m_view, &QTreeView::clicked, this, &QARFailuresDock::choose);
    connect(m_view, &QTreeView::activated, this, &QARFailuresDock::choose);
    connect(m_slowestView, &QTreeView::clicked, this, &QARFailuresDock::chooseSlow);
    connect(m_slowestView, &QTreeView::activated, this, &QARFailuresDock::chooseSlow);
}

QARFailuresDock::~QARFailuresDock() = default;

void QARFailuresDock::reportsChanged()
{
    m_stale = true;
    if (!isHidden())
        fill();
}

void QARFailuresDock::fillIfStale()
{
    if (m_stale)
        fill();
}

void QARFailuresDock::showEvent(QShowEvent *event)
{
    fillIfStale();
    QDockWidget::showEvent(event);
}

void QARFailuresDock::fill()
{
    m_stale = false;
    const QList<QARFailuresModel::File> files = m_files ? m_files() : QList<QARFailuresModel::File>();
    m_model->setFiles(files);
    m_slowest->setFiles(files);
    // The largest group comes first and is opened.
    if (m_model->rowCount() > 0)
        m_view->expand(m_model->index(0, 0));
}

void QARFailuresDock::choose(const QModelIndex &index)
{
    if (const QARFailuresModel::Failure *failure = m_model->failure(index))
        Q_EMIT failureChosen(failure->file, failure->id, failure->path);
}

void QARFailuresDock::chooseSlow(const QModelIndex &index)
{
    if (const QARSlowestModel::Entry *entry = m_slowest->entry(index))
        Q_EMIT failureChosen(entry->file, entry->id, entry->path);
}
