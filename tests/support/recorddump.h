#pragma once

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qareporterreadcontext.h"
#include "korvatreporter/data/qareportreader.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/dtreeprinter.h"
#include "tests/support/threadthreshold.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

// Reading a report file (through the loader, so its format is chosen by
// content, or with a given reader) and printing what it gave, for the tests
// of the format readers.
namespace RecordDump {

// The record of one file as a text: types, totals, one line per node in
// document order (indented by depth: name, type, state, id and the item its
// text starts with) and the printed document.
inline QString dump(QAReporterData &record)
{
    QString out = "types: " + record.types.join(", ") + '\n';
    out += QStringLiteral("passed %1, failed %2, inconclusive %3\n")
               .arg(record.passed)
               .arg(record.failed)
               .arg(record.inconclusive);
    QAReporterDataTree *tree = record.dataTree;
    const auto text = [](const QString &value) { return value.isNull() ? QString("-") : '"' + value + '"'; };
    for (QAReporterNode *n = tree->root(); n; n = tree->next(QAReporterDataTree::Forward)) {
        out += QString(2 * (tree->depth() - 1), ' ') + text(n->name) + ' ' + text(n->type) + ' ' + text(n->state)
               + ' ' + text(n->id) + " @ " + (n->startItem ? DTreePrinter::line(n->startItem) : "-") + '\n';
    }
    return out + DTreePrinter::print(record.document);
}

// The nodes below the root as "name:state" in document order, one dot of
// indentation per level below the root's children.
inline QStringList tree(QAReporterData &record)
{
    QStringList lines;
    QAReporterDataTree *tree = record.dataTree;
    tree->root();
    for (QAReporterNode *n = tree->next(QAReporterDataTree::Forward); n; n = tree->next(QAReporterDataTree::Forward))
        lines << QString(tree->depth() - 2, '.') + n->name + ':' + n->state;
    return lines;
}

// The same tree as one text, lines joined by newlines.
inline QString outline(QAReporterData &record)
{
    return tree(record).join('\n');
}

// Reads `path` with `reader`, without styles or studio; false with the
// reader's error when it fails.
inline bool read(QAReportReader &reader, const QString &path, QAReporterData &record)
{
    QFile file(path);
    record.fileName = path;
    return file.open(QIODevice::ReadOnly) && reader.read(file, nullptr, {}, record);
}

// The trimmed error of `reader` refusing `path`, or what went wrong instead:
// the file was read, or a refused read left part of a record behind.
inline QString refusal(QAReportReader &reader, const QString &path)
{
    QAReporterData record;
    if (read(reader, path, record))
        return QStringLiteral("(read without error)");
    if (record.dataTree || record.document)
        return QStringLiteral("(a refused read left a record)");
    return reader.errorString().trimmed();
}

// Reads `path` with the loader, without styles or studio.
struct Read
{
    QAReporterData record;
    QAReporterLoader::ReadResult result = QAReporterLoader::Unreadable;
    QString reason;

    explicit Read(const QString &path)
    {
        record.fileName = path;
        result = QAReporterLoader::readRecord(record, QAReporterReadContext(), &reason);
    }
    bool ok() const { return result == QAReporterLoader::Read; }
};

// Records read with the loader (without styles or studio), in the order read.
struct Records
{
    std::vector<std::unique_ptr<QAReporterData>> owned;
    QList<QAReporterData *> list;

    // Reads `path` and appends its record; false when it was not read.
    bool read(const QString &path)
    {
        owned.push_back(std::make_unique<QAReporterData>());
        owned.back()->fileName = path;
        list << owned.back().get();
        return QAReporterLoader::readRecord(*owned.back(), QAReporterReadContext()) == QAReporterLoader::Read;
    }
};

// Writes `content` to `name` in `dir`; the path, or null when it fails.
inline QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return QString();
    return file.fileName();
}

// Checks that the loader refuses `path`, with the parser in turn and on a
// thread of its own alike: a reason holding `error`, and nothing of the file
// kept. A failed check ends the calling test once it returns.
inline void verifyRefused(const QString &path, const QString &error)
{
    for (const qint64 threshold : {-1, 0}) {
        const ThreadThreshold threads(threshold);
        Read read(path);
        QCOMPARE(read.result, QAReporterLoader::Unreadable);
        QVERIFY2(read.reason.contains(error), qPrintable(read.reason));
        QVERIFY(!read.record.dataTree && !read.record.document);
    }
}

} // namespace RecordDump
