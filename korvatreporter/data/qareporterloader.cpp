#include "korvatreporter/data/qareporterloader.h"

#include "korvatreporter/data/qastxmlrodhandler.h"
#include "korvatreporter/data/qastxmlrodreader.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefstyles.h"
#include "rendoc/ddocument.h"
#include "sdk/qamodal.h"
#include "sdk/qastoutputwidget.h"
#include "sdk/qastudiointerface.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QXmlInputSource>

#include <algorithm>

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

// Parses one file with the current styles and the studio's progress
// display. False when the file is missing or does not parse.
bool readFile(const QString &fileName, QAstXmlRodReader &reader)
{
    QFile file(fileName);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return false;
    QXmlInputSource source(&file);
    reader.rodHandler()->setStyles(currentStyles());
    return reader.parse(&source, &file, currentStudio());
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
    QAstXmlRodReader reader;
    if (!readFile(record.fileName, reader))
        return reader.canceled() ? Canceled : Unreadable;
    record.document = reader.takeDocument();
    record.dataTree = reader.takeDataTree();
    record.types = reader.types();
    record.passed = reader.passed();
    record.failed = reader.failed();
    record.inconclusive = reader.inconclusive();
    return Read;
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
    QAstXmlRodReader reader;
    if (!readFile(fileName, reader))
        return nullptr;
    return reader.takeDocument();
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
