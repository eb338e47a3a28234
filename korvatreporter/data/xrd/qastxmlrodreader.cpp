#include "korvatreporter/data/xrd/qastxmlrodreader.h"

#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/xrd/qastxmlrodhandler.h"
#include "rendoc/model/ddocument.h"
#include "sdk/qastudiointerface.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <limits>

QAstXmlRodReader::QAstXmlRodReader()
    : DAmlReader(new QAstXmlRodHandler)
{
    m_rodHandler = static_cast<QAstXmlRodHandler *>(handler());
}

QAstXmlRodReader::~QAstXmlRodReader() = default;

bool QAstXmlRodReader::parse(QIODevice *input, QFile *file, QAStudioInterface *studio)
{
    const bool showProgress = file && studio;
    int steps = 0;
    if (showProgress) {
        const qint64 byteSteps = file->size() / BytesPerStep;
        steps = int(qMin<qint64>(byteSteps, std::numeric_limits<int>::max()));
    }
    // The counter is shared: only a read that shows progress touches it.
    if (showProgress)
        QAstXmlRodHandler::resetProgress(steps);
    setInputSize(file ? file->size() : 0);
    if (showProgress) {
        m_rodHandler->setProgressTarget(file, studio);
        const QString label = QCoreApplication::translate("Reporter", "Analysing %1")
                                  .arg(QFileInfo(file->fileName()).fileName());
        studio->startProgress(steps, label, QCoreApplication::translate("Reporter", "Cancel"), 0, 0);
    } else {
        m_rodHandler->setProgressTarget(nullptr, nullptr);
    }
    const bool ok = DAmlReader::parse(input);
    if (showProgress) {
        m_rodHandler->flushProgress();
        studio->endProgress();
    }
    return ok;
}

QAReporterDataTree *QAstXmlRodReader::dataTree() const
{
    return m_rodHandler->dataTree();
}

QAReporterDataTree *QAstXmlRodReader::takeDataTree()
{
    return m_rodHandler->takeDataTree();
}

QStringList QAstXmlRodReader::types() const
{
    return m_rodHandler->types();
}

qint64 QAstXmlRodReader::passed() const
{
    return m_rodHandler->passed();
}

qint64 QAstXmlRodReader::failed() const
{
    return m_rodHandler->failed();
}

qint64 QAstXmlRodReader::inconclusive() const
{
    return m_rodHandler->inconclusive();
}

bool QAstXmlRodReader::canceled() const
{
    return m_rodHandler->canceled();
}

DDocument *QAstXmlRodReader::takeDocument()
{
    return m_rodHandler->takeDocuments();
}
