#include "korvatreporter/document/qareporterheader.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareportertotal.h"
#include "rendoc/model/ditems.h"
#include "rendoc/style/dstyle.h"
#include "rendoc/model/dupdater.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QVector>

namespace {

// Links items into one container in order, by hand: the first becomes the
// container's child, the others the previous one's next.
class Appender
{
public:
    explicit Appender(DItemContainer *container) : m_container(container) {}

    template <class T>
    T *append(T *item)
    {
        item->setParent(m_container);
        if (m_last)
            m_last->setNext(item);
        else
            m_container->setChild(item);
        m_last = item;
        return item;
    }

private:
    DItemContainer *m_container;
    DItem *m_last = nullptr;
};

// A cell holding one text.
DCell *textCell(const QString &text)
{
    auto *cell = new DCell(0, 0);
    Appender(cell).append(new DText(text));
    return cell;
}

// The column titles; the Flaky and Inconclusive columns only where some file has them.
void appendHeading(Appender &rows, DStyle *style, bool showFlaky, bool showInconclusive)
{
    auto *heading = rows.append(new DRow());
    heading->setStyle(style);
    Appender cells(heading);
    cells.append(new DCellText(QCoreApplication::translate("Reporter", "Name"), 0, 0));
    cells.append(new DCellText(QCoreApplication::translate("Reporter", "Status"), 0, 0));
    cells.append(new DCellText(QCoreApplication::translate("Reporter", "Failed"), 0, 0));
    cells.append(new DCellText(QCoreApplication::translate("Reporter", "Passed"), 0, 0));
    if (showFlaky)
        cells.append(new DCellText(QCoreApplication::translate("Reporter", "Flaky"), 0, 0));
    if (showInconclusive)
        cells.append(new DCellText(QCoreApplication::translate("Reporter", "Inconclusive"), 0, 0));
    cells.append(new DCellText(QCoreApplication::translate("Reporter", "Total"), 0, 0));
}

} // namespace

std::unique_ptr<DDocument> buildHeaderDocument(
    const std::vector<std::unique_ptr<QAReporterData>> &records, const QList<DStyle *> &styles)
{
    QList<QAReporterData *> list;
    list.reserve(qsizetype(records.size()));
    for (const auto &record : records)
        list.append(record.get());
    return buildHeaderDocument(list, styles);
}

std::unique_ptr<DDocument> buildHeaderDocument(const QList<QAReporterData *> &records,
                                               const QList<DStyle *> &styles)
{
    bool showInconclusive = false;
    // Flaky cases (passed on a rerun) are counted among the passed ones too;
    // their column is there only when some file has one.
    bool showFlaky = false;
    for (const QAReporterData *record : records) {
        showInconclusive = showInconclusive || (record && record->inconclusive >= 0);
        showFlaky = showFlaky || (record && record->flaky > 0);
    }

    auto document = std::make_unique<DDocument>(QCoreApplication::translate("Reporter", "Results files"),
                                                QStringLiteral("tagheaderdoc0"));
    // Later entries of a name hide earlier ones; the styles are not owned.
    QHash<QString, DStyle *> byName;
    for (DStyle *style : styles) {
        if (style)
            byName.insert(style->name(), style);
    }
    DStyle *arrayStyle = byName.value(QStringLiteral("Array"));
    DStyle *failedStyle = byName.value(QStringLiteral("Array Failed"));
    DStyle *passedStyle = byName.value(QStringLiteral("Array Passed"));
    document->setStyle(arrayStyle);

    auto *section = Appender(document.get()).append(new DSection(QStringLiteral("tagheaderdoc1")));
    auto *table = Appender(section).append(new DTable(2));
    table->setStyle(arrayStyle);
    QVector<float> widths{0.6f - (showInconclusive ? 0.1f : 0.0f) - (showFlaky ? 0.1f : 0.0f), 0.1f, 0.1f, 0.1f};
    if (showFlaky)
        widths.append(0.1f);
    if (showInconclusive)
        widths.append(0.1f);
    widths.append(0.1f);
    table->setWidth(widths);

    Appender rows(table);
    appendHeading(rows, arrayStyle, showFlaky, showInconclusive);

    qint64 failedSum = 0;
    qint64 passedSum = 0;
    qint64 inconclusiveSum = 0;
    qint64 flakySum = 0;
    for (const QAReporterData *record : records) {
        if (!record)
            continue;
        const bool failed = record->failed != 0;
        auto *row = rows.append(new DRow());
        row->setStyle(failed ? failedStyle : passedStyle);
        Appender cells(row);

        auto *nameCell = cells.append(new DCell(0, 0));
        const QString documentName = record->document ? record->document->name() : QString();
        auto *link = Appender(nameCell).append(new DLink(QStringLiteral("::") + documentName));
        Appender(link).append(new DText(QFileInfo(record->fileName).fileName()));

        cells.append(new DCellText(failed ? QCoreApplication::translate("Reporter", "Failed") : QCoreApplication::translate("Reporter", "Passed"), 0, 0));
        cells.append(textCell(QString::number(record->failed)));
        cells.append(textCell(QString::number(record->passed)));
        qint64 total = QAReporterTotal::add(record->failed, record->passed);
        if (showFlaky)
            cells.append(textCell(QString::number(record->flaky)));
        if (showInconclusive) {
            const qint64 inconclusive = record->inconclusive > 0 ? record->inconclusive : 0;
            cells.append(textCell(QString::number(inconclusive)));
            total = QAReporterTotal::add(total, inconclusive);
        }
        cells.append(textCell(QString::number(total)));

        failedSum = QAReporterTotal::add(failedSum, record->failed);
        passedSum = QAReporterTotal::add(passedSum, record->passed);
        flakySum = QAReporterTotal::add(flakySum, record->flaky);
        if (record->inconclusive > 0)
            inconclusiveSum = QAReporterTotal::add(inconclusiveSum, record->inconclusive);
    }

    // No Status cell here: the label spans the Name and Status columns.
    auto *totals = rows.append(new DRow());
    Appender cells(totals);
    cells.append(new DCellText(QCoreApplication::translate("Reporter", "Total"), 1, 0));
    cells.append(textCell(QString::number(failedSum)));
    cells.append(textCell(QString::number(passedSum)));
    qint64 grandTotal = QAReporterTotal::add(failedSum, passedSum);
    if (showFlaky)
        cells.append(textCell(QString::number(flakySum)));
    if (showInconclusive) {
        cells.append(textCell(QString::number(inconclusiveSum)));
        grandTotal = QAReporterTotal::add(grandTotal, inconclusiveSum);
    }
    cells.append(textCell(QString::number(grandTotal)));

    DUpdater updater;
    updater.doAll(document.get());
    return document;
}
