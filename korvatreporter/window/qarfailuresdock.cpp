#include "korvatreporter/window/qarfailuresdock.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTreeView>

#include <utility>

QARFailuresDock::QARFailuresDock(Provider files, QWidget *parent)
    : QDockWidget(QCoreApplication::translate("QAReporter", "Failures"), parent)
    , m_files(std::move(files))
{
    setObjectName(QStringLiteral("failuresDock"));
    m_model = new QARFailuresModel(this);
    m_view = new QTreeView(this);
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
    setWidget(m_view);
    connect(m_view, &QTreeView::clicked, this, &QARFailuresDock::choose);
    connect(m_view, &QTreeView::activated, this, &QARFailuresDock::choose);
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
    m_model->setFiles(m_files ? m_files() : QList<QARFailuresModel::File>());
    // The largest group comes first and is opened.
    if (m_model->rowCount() > 0)
        m_view->expand(m_model->index(0, 0));
}

void QARFailuresDock::choose(const QModelIndex &index)
{
    if (const QARFailuresModel::Failure *failure = m_model->failure(index))
        Q_EMIT failureChosen(failure->file, failure->id, failure->path);
}
