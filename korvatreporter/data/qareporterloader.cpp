#include "korvatreporter/data/qareporterloader.h"

#include "korvatreporter/data/qareportformat.h"
#include "korvatreporter/data/qareportformats.h"
#include "korvatreporter/data/qareportreader.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefstyles.h"
#include "rendoc/ddocument.h"
#include "sdk/qamodal.h"
#include "sdk/qastoutputwidget.h"
#include "sdk/qastudiointerface.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <utility>

namespace {

QAStudioInterface *currentStudio()
{
    QAReporterPref *pref = QAReporterPref::instance();
    return pref ? pref->studio() : nullptr;
}

QList<DStyle *> currentStyles()
{
    QAReporterPref *pref = QAReporterPref::instance();
    return pref && pref->stylesPage() ? pref->stylesPage()->styles() : QList<DStyle *>();
}

// Reads one file into `record` with the reader of its format (told by its
// content), the current styles and the studio's progress display: Read,
// Unreadable when the file is missing or does not parse, Canceled when the
// user stopped the read.
QAReporterLoader::ReadResult readFile(const QString &fileName, QAReporterData &record)
{
    QFile file(fileName);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return QAReporterLoader::Unreadable;
    const std::unique_ptr<QAReportReader> reader = QAReportFormats::forDevice(file).createReader();
    if (reader->read(file, currentStudio(), currentStyles(), record))
        return QAReporterLoader::Read;
    return reader->canceled() ? QAReporterLoader::Canceled : QAReporterLoader::Unreadable;
}

// The name a document takes so that no two documents of one load share one:
// its own when not taken yet, else with the file's list index appended, then
// "-2", "-3", ... while that is taken too. A null name counts as "".
QString uniqueName(const QString &name, int index, QSet<QString> &taken)
{
    QString unique = name;
    const QString indexed = name + QString::number(index);
    for (int k = 1; taken.contains(unique); ++k)
        unique = k == 1 ? indexed : indexed + QLatin1Char('-') + QString::number(k);
    taken.insert(unique);
    return unique;
}

} // namespace

QAReporterLoader::ReadResult QAReporterLoader::readRecord(QAReporterData &record)
{
    return readFile(record.fileName, record);
}

QStringList QAReporterLoader::loadFiles(const QStringList &files,
                                        std::vector<std::unique_ptr<QAReporterData>> &records)
{
    QStringList unreadable;
    // Document names given in this call.
    QSet<QString> names;
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
        const ReadResult result = readRecord(*record);
        if (result == Canceled)
            break;
        if (result == Unreadable) {
            unreadable.append(fileName);
            continue;
        }
        for (DDocument *document : record->documents()) {
            const QString name = uniqueName(document->name(), i, names);
            if (name != document->name())
                document->setName(name);
        }
        records.push_back(std::move(record));
    }

    if (!unreadable.isEmpty()) {
        const QString message = unreadableMessage(unreadable);
        QAStudioInterface *studio = currentStudio();
        if (QAStOutputWidget *pane = studio ? studio->outputWidget() : nullptr)
            pane->append(message);
        else
            QAModal::warning(nullptr, QCoreApplication::translate("QAReporter", "Test Report"), message);
    }
    return unreadable;
}

DDocument *QAReporterLoader::loadReportDocument(const QString &fileName)
{
    QAReporterData record;
    if (readFile(fileName, record) != Read)
        return nullptr;
    return std::exchange(record.document, nullptr);
}

QString QAReporterLoader::unreadableMessage(const QStringList &names)
{
    QString message = QCoreApplication::translate("QAReporter", "File(s) not found or corrupted:\n");
    for (const QString &name : names) {
        message += QCoreApplication::translate("QAReporter", "\t");
        message += name;
        message += QCoreApplication::translate("QAReporter", "\n");
    }
    return message;
}
