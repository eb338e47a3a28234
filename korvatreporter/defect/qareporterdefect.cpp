#include "korvatreporter/defect/qareporterdefect.h"

#include "korvatreporter/data/qareporternode.h"
#include "sdk/merrowinterface.h"
#include "sdk/qastoutputwidget.h"
#include "sdk/qastudiointerface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// Writes to the output pane, or nowhere when the studio has none.
class Output
{
public:
    explicit Output(QAStOutputWidget *pane) : m_pane(pane) {}
    void operator()(const QString &text) const
    {
        if (m_pane)
            m_pane->append(text);
    }

private:
    QPointer<QAStOutputWidget> m_pane;
};

// After each client call: its command line when the client traces them.
void trace(MerrowInterface *client, const Output &out)
{
    if (client->activatedCmdLine())
        out(QString::fromLocal8Bit(client->getCmdLine()) + QLatin1Char('\n'));
}

QString errorText(MerrowInterface *client)
{
    return QString::fromLocal8Bit(client->getErrorMessage()) + QLatin1Char('\n');
}

// A call whose failure is reported and passed over.
void warnOnFailure(short result, MerrowInterface *client, const Output &out)
{
    trace(client, out);
    if (result)
        return;
    out(QCoreApplication::translate("QAReporter", "Warning ...\n"));
    out(errorText(client));
}

} // namespace

void QAReporterDefect::submit(QAStudioInterface *studio, const nodeData &node,
                              const std::optional<Subject> &selected)
{
    if (!studio)
        return;
    QAStOutputWidget *pane = studio->outputWidget();
    studio->showOutputWidget(pane);
    const Output out(pane);

    MerrowInterface *client = studio->defectClient();
    if (!client) {
        out(QCoreApplication::translate("QAReporter", "Submit Defect Report Failed ...\n"));
        return;
    }
    out(QCoreApplication::translate("QAReporter", "Submit Defect Report ...\n"));

    const nodeData host = node;
    if (!selected) {
        out(QCoreApplication::translate("QAReporter", "No nodes selected\n"));
        out(QCoreApplication::translate("QAReporter", "Stopped.\n"));
        return;
    }
    // A file row has no node and so no type to describe: it is refused like
    // a node without report text.
    const QAReporterNode *item = selected->node;
    if (!item || !item->startItem) {
        out(QCoreApplication::translate("QAReporter", "Can't find data\n"));
        out(QCoreApplication::translate("QAReporter", "Stopped.\n"));
        return;
    }

    // "product:workspace:test:file:item", each part ended by a colon.
    QString headline = studio->productName();
    if (!headline.isEmpty())
        headline += QLatin1Char(':');
    QString description;
    if (!host.text.isEmpty()) {
        if (host.workspace) {
            const QString workspace = host.workspace->objectName();
            description += QCoreApplication::translate("QAReporter", "Workspace:  ") + workspace + LineEnd;
            headline += workspace + QLatin1Char(':');
        }
        description += QCoreApplication::translate("QAReporter", "Test:       ") + host.text + LineEnd;
        headline += host.text + QLatin1Char(':');
    }

    const QFileInfo file(selected->filePath);
    const QString attachment = QDir::toNativeSeparators(file.absoluteFilePath());

    description += QCoreApplication::translate("QAReporter", "Report file:  ") + file.fileName() + LineEnd;
    headline += file.fileName() + QLatin1Char(':');
    description += QCoreApplication::translate("QAReporter", "Item failed:  ") + item->name + LineEnd;
    headline += item->name;
    description += QCoreApplication::translate("QAReporter", "Item type:   ") + item->type + LineEnd;

    const short created = client->createForm();
    trace(client, out);
    if (!created) {
        out(errorText(client));
        out(QCoreApplication::translate("QAReporter", "Stopped.\n"));
        return;
    }
    warnOnFailure(client->setHeadLine(headline.toLocal8Bit().constData()), client, out);
    warnOnFailure(client->setDescription(description.toLocal8Bit().constData()), client, out);
    const QByteArray attachmentName = QCoreApplication::translate("QAReporter", "Report File").toLocal8Bit();
    warnOnFailure(client->addFileAttachment(attachment.toLocal8Bit().constData(), attachmentName.constData()),
                  client, out);
    const short shown = client->showMerrowDefectWindow(0);
    trace(client, out);
    if (!shown) {
        out(errorText(client));
        out(QCoreApplication::translate("QAReporter", "Stopped.\n"));
    }
}
