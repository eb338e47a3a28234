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
#include <QHash>

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
// content), the current styles and the studio's progress display. False
// when the file is missing or does not parse.
bool readFile(const QString &fileName, QAReporterData &record)
{
    QFile file(fileName);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return false;
    const std::unique_ptr<QAReportReader> reader = QAReportFormats::forDevice(file).createReader();
    return reader->read(file, currentStudio(), currentStyles(), record);
}

} // namespace

bool QAReporterLoader::readRecord(QAReporterData &record)
{
    return readFile(record.fileName, record);
}

QStringList QAReporterLoader::loadFiles(const QStringList &files,
                                        std::vector<std::unique_ptr<QAReporterData>> &records)
{
    QStringList unreadable;
    // Document names seen in this call; a repeat gets the list index appended.
    QHash<QString, bool> names;
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
        if (!readRecord(*record)) {
            unreadable.append(fileName);
            continue;
        }
        // A document without a name cannot be reached by name, so only named
        // documents take part in the renaming.
        if (DDocument *document = record->document; document && !document->name().isNull()) {
            if (names.contains(document->name()))
                document->setName(document->name() + QString::number(i));
            else
                names.insert(document->name(), true);
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
    if (!readFile(fileName, record))
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
