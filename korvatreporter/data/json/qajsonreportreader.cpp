#include "korvatreporter/data/json/qajsonreportreader.h"

#include "korvatreporter/data/json/qajsonfile.h"
#include "korvatreporter/data/json/qajsonpullreader.h"
#include "korvatreporter/data/results/qaresultsbuilder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

QAJsonReportReader::QAJsonReportReader(const QString &formatName)
    : m_formatName(formatName)
{
}

QAJsonReportReader::~QAJsonReportReader() = default;

bool QAJsonReportReader::read(QFile &file, QAStudioInterface *studio, const QList<DStyle *> &styles,
                              QAReporterData &record)
{
    m_error.clear();
    m_canceled = false;
    reset();
    m_fileName = QFileInfo(file.fileName()).fileName();
    QByteArray bytes;
    if (!QAJsonFile::contents(file, bytes)) {
        m_error = m_formatName + QStringLiteral(", ") + file.errorString() + QLatin1Char('\n');
        return false;
    }
    QAJsonPullReader json(bytes);
    QAResultsBuilder builder(m_formatName, file, studio, styles);
    builder.setTotalsOnly(totalsOnly());
    builder.setTreeOnly(treeOnly());
    m_json = &json;
    m_builder = &builder;
    const bool ok = readRoot();
    m_json = nullptr;
    m_builder = nullptr;
    if (ok)
        builder.finish(record);
    m_error = ok ? QString() : builder.errorString();
    m_canceled = builder.canceled();
    return ok;
}

bool QAJsonReportReader::startRoot()
{
    if (m_json->next() == QAJsonPullReader::StartObject)
        return true;
    if (m_json->token() == QAJsonPullReader::Error)
        return jsonFailed();
    return m_builder->fail(m_builder->error(
        QCoreApplication::translate("Reporter", "the file does not hold a JSON object.")));
}

bool QAJsonReportReader::jsonFailed()
{
    return m_builder->fail(m_builder->error(m_json->errorString()));
}

bool QAJsonReportReader::readObjects(const std::function<bool()> &readObject)
{
    if (m_json->next() != QAJsonPullReader::StartArray)
        return m_json->token() == QAJsonPullReader::Error ? jsonFailed() : m_json->skipValue() || jsonFailed();
    while (m_json->next() != QAJsonPullReader::EndArray) {
        if (m_json->token() == QAJsonPullReader::StartObject) {
            if (!readObject())
                return false;
        } else if (!m_json->skipValue()) {
            return jsonFailed();
        }
    }
    return true;
}
