#pragma once

#include <QByteArray>

// Client of the defect-tracking system, handed out ready for use by the
// host. Each operation returns 0 on failure, after which getErrorMessage()
// tells why; with command-line tracing on, getCmdLine() gives the command
// the last operation ran.
class MerrowInterface
{
public:
    MerrowInterface();
    virtual ~MerrowInterface();

    virtual short establishConnection() = 0;
    virtual short createForm() = 0;
    virtual short setHeadLine(const char* headline) = 0;
    virtual short setDescription(const char* description) = 0;
    virtual short addFileAttachment(const char* path, const char* description) = 0;
    virtual short showMerrowDefectWindow(short mode) = 0;

    // Non-zero when the client traces its command lines.
    short activatedCmdLine() const;
    char* getCmdLine();
    char* getErrorMessage();

protected:
    void setCmdLineTracing(bool on);
    void setCmdLine(const QByteArray& line);
    void setErrorMessage(const QByteArray& message);

private:
    short m_tracing = 0;
    QByteArray m_cmdLine;
    QByteArray m_error;
};
