#include "tests/support/fakestudio.h"

namespace {

QString yesNo(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace

FakeStudio::FakeStudio() = default;

FakeStudio::~FakeStudio() = default;

QStringList FakeStudio::callsTo(const QString& name) const
{
    QStringList out;
    const QString prefix = name + QLatin1Char('(');
    for (const QString& call : calls) {
        if (call.startsWith(prefix))
            out << call;
    }
    return out;
}

QStringList FakeStudio::actions() const
{
    static const QStringList queries{
        QStringLiteral("mainWindow()"),       QStringLiteral("outputWidget()"),
        QStringLiteral("installDirectory()"), QStringLiteral("exportDirectory()"),
        QStringLiteral("searchPath()"),       QStringLiteral("defectClient()"),
        QStringLiteral("productName()"),      QStringLiteral("progressCanceled()"),
        QStringLiteral("queryInterface()"),   QStringLiteral("addRef()"),
        QStringLiteral("release()")
    };
    QStringList out;
    for (const QString& call : calls) {
        if (!queries.contains(call))
            out << call;
    }
    return out;
}

QAStOutputWidget* FakeStudio::enableOutputWidget()
{
    if (!m_output)
        m_output = std::make_unique<QAStOutputWidget>();
    return m_output.get();
}

QString FakeStudio::outputText() const
{
    return m_output ? m_output->toPlainText() : QString();
}

QRESULT FakeStudio::queryInterface(const QUuid& id, QUnknownInterface** iface)
{
    calls << QStringLiteral("queryInterface()");
    if (!iface)
        return QE_NOINTERFACE;
    if (id == IID_QAStudioInterface || id == IID_QUnknown) {
        *iface = this;
        return QS_OK;
    }
    *iface = nullptr;
    return QE_NOINTERFACE;
}

unsigned long FakeStudio::addRef()
{
    calls << QStringLiteral("addRef()");
    return ++m_refs;
}

unsigned long FakeStudio::release()
{
    // The test owns the fake: releasing only counts.
    calls << QStringLiteral("release()");
    return m_refs ? --m_refs : 0;
}

QMainWindow* FakeStudio::mainWindow()
{
    calls << QStringLiteral("mainWindow()");
    return m_mainWindow;
}

QAStOutputWidget* FakeStudio::outputWidget()
{
    calls << QStringLiteral("outputWidget()");
    return m_output.get();
}

QAStOutputWidget* FakeStudio::showOutputWidget(QAStOutputWidget* pane)
{
    calls << QStringLiteral("showOutputWidget(%1)")
                 .arg(pane ? (pane == m_output.get() ? QStringLiteral("output")
                                                     : QStringLiteral("other"))
                           : QStringLiteral("null"));
    return pane ? pane : m_output.get();
}

QString FakeStudio::installDirectory()
{
    calls << QStringLiteral("installDirectory()");
    return m_installDir;
}

QString FakeStudio::exportDirectory()
{
    calls << QStringLiteral("exportDirectory()");
    return m_exportDir;
}

QString FakeStudio::searchPath()
{
    calls << QStringLiteral("searchPath()");
    return m_searchPath;
}

void FakeStudio::startProgress(int steps, const QString& label, const QString& cancelText,
                               int minimum, int flags)
{
    calls << QStringLiteral("startProgress(%1,%2,%3,%4,%5)")
                 .arg(steps).arg(label, cancelText).arg(minimum).arg(flags);
    m_progressRunning = true;
    m_progress = 0;
}

void FakeStudio::setProgress(int value)
{
    calls << QStringLiteral("setProgress(%1)").arg(value);
    m_progress = value;
    ++m_steps;
}

void FakeStudio::endProgress()
{
    calls << QStringLiteral("endProgress()");
    m_progressRunning = false;
}

void FakeStudio::openSourceFile(const QString& target, int mode, bool readOnly)
{
    calls << QStringLiteral("openSourceFile(%1,%2,%3)").arg(target).arg(mode).arg(yesNo(readOnly));
}

void FakeStudio::registerPreferences(QAResProducer* producer)
{
    calls << QStringLiteral("registerPreferences(%1)")
                 .arg(producer ? QStringLiteral("producer") : QStringLiteral("null"));
    m_producer = producer;
}

int FakeStudio::insertMenu(const QString& title, QMenu* menu)
{
    calls << QStringLiteral("insertMenu(%1)").arg(title);
    const int id = m_nextMenuId++;
    m_menus.insert(id, menu);
    return id;
}

void FakeStudio::removeMenu(int id)
{
    calls << QStringLiteral("removeMenu(%1)").arg(id);
    m_menus.remove(id);
}

MerrowInterface* FakeStudio::defectClient()
{
    calls << QStringLiteral("defectClient()");
    return m_defect;
}

QString FakeStudio::productName()
{
    calls << QStringLiteral("productName()");
    return m_product;
}

bool FakeStudio::progressCanceled()
{
    calls << QStringLiteral("progressCanceled()");
    return m_cancelAfter >= 0 && m_steps >= m_cancelAfter;
}
