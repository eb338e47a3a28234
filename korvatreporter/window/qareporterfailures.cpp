// The report window's Failures dock: the failed cases of every loaded file
// grouped by cause, a click on one selecting its node in the tree.

#include "korvatreporter/window/qareporter.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/session/qareportsession.h"
#include "korvatreporter/window/qarfailuresdock.h"
#include "korvatreporter/window/qartreemodel.h"

void QAReporter::createFailuresDock()
{
    // The cases are read from the full records, whatever the filters show.
    m_failuresDock = new QARFailuresDock(
        [this] {
            QList<QARFailuresModel::File> files;
            for (const auto &record : m_session->records()) {
                if (record)
                    files.append({record->fileName, record->dataTree});
            }
            return files;
        },
        this);
    addDockWidget(Qt::BottomDockWidgetArea, m_failuresDock);
    m_failuresDock->hide();
    connect(m_failuresDock, &QARFailuresDock::failureChosen, this, &QAReporter::showFailure);
}

QARFailuresDock *QAReporter::failuresDock() const
{
    return m_failuresDock;
}

void QAReporter::toggleFailures()
{
    if (!m_failuresDock)
        return;
    m_failuresDock->setVisible(m_failuresDock->isHidden());
    if (!m_failuresDock->isHidden())
        m_failuresDock->fillIfStale();
}

bool QAReporter::showFailure(const QString &file, const QString &id, const QString &path)
{
    if (!m_treeModel || !m_treeView)
        return false;
    QModelIndex found = m_treeModel->findNode(file, id, path);
    if (!found.isValid() && m_treeFilter && !m_treeFilter->text().isEmpty()) {
        m_treeFilter->clear();
        found = m_treeModel->findNode(file, id, path);
    }
    if (!found.isValid())
        return false;
    m_treeView->setCurrentRow(found);
    m_treeView->scrollToRow(found);
    // A row already current does not move the report by itself.
    moveDoc(found);
    return true;
}
