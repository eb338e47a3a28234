#include "tests/support/fakestudio.h"

QStringList FakeStudio::callsTo(const QString& name) const
{
    QStringList out;
    for (const QString& call : calls) {
        if (call.startsWith(name + QLatin1Char('(')))
            out << call;
    }
    return out;
}

QStringList FakeStudio::actions() const
{
    static const QStringList queries{ "mainWindow()", "outputWidget()", "installDirectory()",
                                      "exportDirectory()", "searchPath()", "defectClient()",
                                      "productName()", "progressCanceled()", "queryInterface()",
                                      "addRef()", "release()" };
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

QRESULT FakeStudio::queryInterface(const QUuid& id, QUnknownInterface** iface)
{
    calls << QStringLiteral("queryInterface()");
    if (!iface)
        return QE_NOINTERFACE;
    const bool known = id == IID_QAStudioInterface || id == IID_QUnknown;
    *iface = known ? this : nullptr;
    return known ? QS_OK : QE_NOINTERFACE;
}

QAStOutputWidget* FakeStudio::showOutputWidget(QAStOutputWidget* pane)
{
    const char* which = !pane ? "null" : pane == m_output.get() ? "output" : "other";
    calls << QStringLiteral("showOutputWidget(%1)").arg(QLatin1String(which));
    return pane ? pane : m_output.get();
}

void FakeStudio::startProgress(int steps, const QString& label, const QString& cancelText,
                               int minimum, int flags)
{
    calls << QStringLiteral("startProgress(%1,%2,%3,%4,%5)")
                 .arg(steps).arg(label, cancelText).arg(minimum).arg(flags);
    m_progress = 0;
}

void FakeStudio::setProgress(int value)
{
    calls << QStringLiteral("setProgress(%1)").arg(value);
    m_progress = value;
    ++m_steps;
}

void FakeStudio::openSourceFile(const QString& target, int mode, bool readOnly)
{
    calls << QStringLiteral("openSourceFile(%1,%2,%3)").arg(target).arg(mode).arg(readOnly ? "true" : "false");
}

void FakeStudio::registerPreferences(QAResProducer* producer)
{
    calls << QStringLiteral("registerPreferences(%1)").arg(producer ? "producer" : "null");
    m_producer = producer;
}

int FakeStudio::insertMenu(const QString& title, QMenu* menu)
{
    calls << QStringLiteral("insertMenu(%1)").arg(title);
    m_menus.insert(m_nextMenuId, menu);
    return m_nextMenuId++;
}

void FakeStudio::removeMenu(int id)
{
    calls << QStringLiteral("removeMenu(%1)").arg(id);
    m_menus.remove(id);
}
