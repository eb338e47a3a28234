#include "sdk/merrowinterface.h"

MerrowInterface::MerrowInterface() = default;

MerrowInterface::~MerrowInterface() = default;

short MerrowInterface::activatedCmdLine() const
{
    return m_tracing;
}

char* MerrowInterface::getCmdLine()
{
    return m_cmdLine.data();
}

char* MerrowInterface::getErrorMessage()
{
    return m_error.data();
}

void MerrowInterface::setCmdLineTracing(bool on)
{
    m_tracing = on ? 1 : 0;
}

void MerrowInterface::setCmdLine(const QByteArray& line)
{
    m_cmdLine = line;
}

void MerrowInterface::setErrorMessage(const QByteArray& message)
{
    m_error = message;
}
