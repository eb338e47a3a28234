#include "korvatreporter/data/qareporterloader.h"

#include "korvatreporter/data/qareportformat.h"
#include "korvatreporter/data/qareportformats.h"
#include "korvatreporter/data/qareportreader.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/aml/dregularfile.h"
#include "sdk/qailogmonitor.h"
#include "sdk/qamodal.h"
#include "sdk/qastoutputwidget.h"
#include "sdk/qastudiointerface.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <utility>

namespace {

// Reads one file into `record` with the reader of its format (told by its
// content), the current styles and the studio's progress display: Read,
// Unreadable when the file is refused or does not parse (with the reason in
// `reason`), Canceled when the user stopped the read. Only regular files are
// opened: a named pipe would block in open() until something writes to it.
QAReporterLoader::ReadResult readFile(const QString &fileName, const QAReporterReadContext &context,
                                      QAReporterData &record, QString *reason)
{
    const QString refusal = DRegularFile::refusal(fileName);
    if (!refusal.isEmpty()) {
        *reason = refusal;
        return QAReporterLoader::Unreadable;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return QAReporterLoader::Unreadable;
    }
    const QByteArray head = QAReportFormat::head(file);
    // Recognising a format parses the head: once is enough for a file that has one.
    const QAReportFormat *format = QAReportFormats::recognise(head);
    if (!format) {
        const QString foreign = QAReportFormats::refusal(head);
        if (!foreign.isEmpty()) {
            *reason = foreign;
            return QAReporterLoader::Unreadable;
        }
    }
    const std::unique_ptr<QAReportReader> reader =
        (format ? format : QAReportFormats::all().front())->createReader();
    reader->setTotalsOnly(context.totalsOnly);
    reader->setTestsOnly(context.testsOnly);
    reader->setTreeOnly(context.treeOnly);
    reader->setTestsListed(context.testsListed);
    if (reader->read(file, context.studio, context.styles, record))
        return QAReporterLoader::Read;
    if (reader->canceled())
        return QAReporterLoader::Canceled;
    *reason = reader->errorString();
    return QAReporterLoader::Unreadable;
}

// Gives the documents of one load names no two of them share: a document
// keeps its own name when it is not taken yet, else takes it with the file's
// list index appended, then "-2", "-3", ... while that is taken too. A
// nameless document always takes the indexed form, so that every document
// has a name a link can point at. The next suffix of each indexed base is
// remembered, so that many alike names cost linear time, not quadratic.
class DocumentNamer
{
public:
    QString take(const QString &name, int index)
    {
        if (!name.isEmpty() && !m_taken.contains(name)) {
            m_taken.insert(name);
            return name;
        }
        const QString indexed = name + QString::number(index);
        int k = m_nextSuffix.value(indexed, 1);
        QString unique = suffixed(indexed, k);
        while (m_taken.contains(unique))
            unique = suffixed(indexed, ++k);
        m_nextSuffix.insert(indexed, k + 1);
        m_taken.insert(unique);
        return unique;
    }

private:
    static QString suffixed(const QString &indexed, int k)
    {
        return k == 1 ? indexed : indexed + QLatin1Char('-') + QString::number(k);
    }

    QSet<QString> m_taken;
    QHash<QString, int> m_nextSuffix;
};

} // namespace

QAReporterLoader::ReadResult QAReporterLoader::readRecord(QAReporterData &record,
                                                          const QAReporterReadContext &context,
                                                          QString *reason)
{
    QString why;
    const ReadResult result = readFile(record.fileName, context, record, &why);
    if (result == Unreadable && reason)
        *reason = why;
    return result;
}

QStringList QAReporterLoader::loadFiles(const QStringList &files,
                                        std::vector<std::unique_ptr<QAReporterData>> &records,
                                        const QAReporterReadContext &context,
                                        QAILogMonitor *log)
{
    QStringList unreadable;
    QStringList reasons;
    // Document names given in this call.
    DocumentNamer names;
    for (int i = 0; i < files.size(); ++i) {
        const QString &fileName = files.at(i);
        const bool held = std::any_of(records.cbegin(), records.cend(),
                                      [&](const std::unique_ptr<QAReporterData> &r) {
                                          return r->fileName == fileName;
                                      });
        if (held)
            continue;
        auto record = std::make_unique<QAReporterData>();
        record->fileName = fileName;
        QString reason;
        const ReadResult result = readRecord(*record, context, &reason);
        if (result == Canceled)
            break;
        if (result == Unreadable) {
            unreadable.append(fileName);
            reasons.append(reason);
            continue;
        }
        for (DDocument *document : record->documents()) {
            const QString name = names.take(document->name(), i);
            if (name != document->name())
                document->setName(name);
        }
        // A record read without its documents is named as its first one would be.
        if (!record->document && (record->dataTree || record->testsListed))
            record->documentName = names.take(record->documentName, i);
        for (QAStTestResult &test : record->tests)
            test.document = record->documentName;
        records.push_back(std::move(record));
    }

    if (!unreadable.isEmpty()) {
        const QString message = unreadableMessage(unreadable, reasons);
        QAStudioInterface *studio = context.studio;
        if (log)
            log->message(message);
        else if (QAStOutputWidget *pane = studio ? studio->outputWidget() : nullptr)
            pane->append(message);
        else
            QAModal::warning(nullptr, QCoreApplication::translate("QAReporter", "Test Report"), message);
    }
    return unreadable;
}

DDocument *QAReporterLoader::loadReportDocument(const QString &fileName,
                                                const QAReporterReadContext &context)
{
    QAReporterData record;
    QString reason;
    QAReporterReadContext full = context;
    full.totalsOnly = false;
    full.treeOnly = false;
    if (readFile(fileName, full, record, &reason) != Read)
        return nullptr;
    return record.document.release();
}

QString QAReporterLoader::unreadableMessage(const QStringList &names, const QStringList &reasons)
{
    QString message = QCoreApplication::translate("QAReporter", "File(s) not found or corrupted:\n");
    for (int i = 0; i < names.size(); ++i) {
        message += QLatin1Char('\t');
        message += names.at(i);
        message += QLatin1Char('\n');
        // The reason goes on a line of its own, indented under its file;
        // only its first line, so that one file cannot flood the pane.
        const QString reason =
            i < reasons.size() ? reasons.at(i).trimmed().section(QLatin1Char('\n'), 0, 0) : QString();
        if (!reason.isEmpty())
            message += QLatin1String("\t\t") + reason + QLatin1Char('\n');
    }
    return message;
}
