#pragma once

#include "sdk/merrowinterface.h"

#include <QByteArrayList>
#include <QSet>
#include <QString>

// A defect-tracker client for tests: records every call with its arguments
// as given (bytes), e.g. "createForm()", "setHeadLine(<headline>)",
// "addFileAttachment(<path>,<description>)", "showMerrowDefectWindow(0)".
// The operations named in `failing` return 0 with the error message
// "<name> failed"; with tracing on each call leaves "cmd <name>" as its
// command line.
class FakeDefectClient : public MerrowInterface
{
public:
    QByteArrayList calls;
    QSet<QByteArray> failing;

    void setTracing(bool on) { setCmdLineTracing(on); }

    short establishConnection() override { return record("establishConnection", {}); }
    short createForm() override { return record("createForm", {}); }
    short setHeadLine(const char* headline) override { return record("setHeadLine", headline); }
    short setDescription(const char* description) override { return record("setDescription", description); }
    short addFileAttachment(const char* path, const char* description) override
    {
        return record("addFileAttachment", QByteArray(path) + ',' + description);
    }
    short showMerrowDefectWindow(short mode) override
    {
        return record("showMerrowDefectWindow", QByteArray::number(mode));
    }

private:
    short record(const QByteArray& name, const QByteArray& arguments);
};
