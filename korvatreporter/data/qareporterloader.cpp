#include "korvatreporter/data/qareporterloader.h"

#include "korvatreporter/data/qastxmlrodhandler.h"
#include "korvatreporter/data/qastxmlrodreader.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefstyles.h"
#include "rendoc/ddocument.h"
#include "rendoc/dregularfile.h"
#include "sdk/qamodal.h"
#include "sdk/qastoutputwidget.h"
#include "sdk/qastudiointerface.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
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
// display. False when the file is refused or does not parse, with the
// reason in `reason`. Only regular files are opened: a named pipe would
// block in open() until something writes to it.
bool readFile(const QString &fileName, QAstXmlRodReader &reader, QString *reason)
{
    const QString refusal = DRegularFile::refusal(fileName);
    if (!refusal.isEmpty()) {
        *reason = refusal;
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    QXmlInputSource source(&file);
    reader.rodHandler()->setStyles(currentStyles());
    if (reader.parse(&source, &file, currentStudio()))
        return true;
    *reason = reader.errorDescription();
    return false;
}

} // namespace

bool QAReporterLoader::readRecord(QAReporterData &record, QString *reason)
{
    QAstXmlRodReader reader;
    QString why;
    if (!readFile(record.fileName, reader, &why)) {
        if (reason)
            *reason = why;
        return false;
    }
    record.document = reader.takeDocument();
    record.dataTree = reader.takeDataTree();
    record.types = reader.types();
    record.passed = reader.passed();
    record.failed = reader.failed();
    record.inconclusive = reader.inconclusive();
    return true;
}

QStringList QAReporterLoader::loadFiles(const QStringList &files,
                                        std::vector<std::unique_ptr<QAReporterData>> &records)
{
    QStringList unreadable;
    QStringList reasons;
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
        QString reason;
        if (!readRecord(*record, &reason)) {
            unreadable.append(fileName);
            reasons.append(reason);
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
        const QString message = unreadableMessage(unreadable, reasons);
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
    QString reason;
    if (!readFile(fileName, reader, &reason))
        return nullptr;
    return reader.takeDocument();
}

QString QAReporterLoader::unreadableMessage(const QStringList &names, const QStringList &reasons)
{
    QString message = QCoreApplication::translate("QAReporter", "File(s) not found or corrupted:\n");
    for (int i = 0; i < names.size(); ++i) {
        message += QCoreApplication::translate("QAReporter", "\t");
        message += names.at(i);
        message += QCoreApplication::translate("QAReporter", "\n");
        // The reason goes on a line of its own, indented under its file;
        // only its first line, so that one file cannot flood the pane.
        const QString reason =
            i < reasons.size() ? reasons.at(i).trimmed().section(QLatin1Char('\n'), 0, 0) : QString();
        if (!reason.isEmpty())
            message += QLatin1String("\t\t") + reason + QLatin1Char('\n');
    }
    return message;
}
