#pragma once

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qareportreader.h"
#include "rendoc/model/dtreeprinter.h"

#include <QFile>
#include <QString>

// Reading one report file with a given reader, and the record as a text for
// golden files: types, totals, one line per node in document order
// (indented by depth: name, type, state, id and the item its text starts
// with) and the printed document.
namespace RecordDump {

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
        out += QString(2 * (tree->depth() - 1), ' ') + text(n->name) + ' ' + text(n->type) + ' '
               + text(n->state) + ' ' + text(n->id) + " @ "
               + (n->startItem ? DTreePrinter::line(n->startItem) : "-") + '\n';
    }
    return out + DTreePrinter::print(record.document);
}

// The node tree as "name:state" lines, each indented by a dot per level
// below the root's children.
inline QString outline(QAReporterData &record)
{
    QStringList lines;
    QAReporterDataTree *tree = record.dataTree;
    tree->root();
    for (QAReporterNode *n = tree->next(QAReporterDataTree::Forward); n; n = tree->next(QAReporterDataTree::Forward))
        lines << QString(tree->depth() - 2, '.') + n->name + ':' + n->state;
    return lines.join('\n');
}

// Reads `path` with `reader`, without styles or studio; false with the
// reader's error when it fails.
inline bool read(QAReportReader &reader, const QString &path, QAReporterData &record)
{
    QFile file(path);
    record.fileName = path;
    return file.open(QIODevice::ReadOnly) && reader.read(file, nullptr, {}, record);
}

} // namespace RecordDump
