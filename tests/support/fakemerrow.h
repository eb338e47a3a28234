#pragma once

#include "sdk/merrowinterface.h"

#include <QSet>
#include <QStringList>

// A defect-tracker client for tests: records every operation in `calls`
// ("createForm()", "setHeadLine(<text>)", "addFileAttachment(<path>,<text>)",
// "showMerrowDefectWindow(0)"), fails the operations named in `failing`
// with the error message "<name> failed", and traces command lines
// "cmd <name>" when tracing is switched on.
class FakeMerrow : public MerrowInterface
{
public:
    FakeMerrow();
    ~FakeMerrow() override;

    QStringList calls;
    QSet<QString> failing;

    void setTracing(bool on) { setCmdLineTracing(on); }

    short establishConnection() override;
    short createForm() override;
    short setHeadLine(const char* headline) override;
    short setDescription(const char* description) override;
    short addFileAttachment(const char* path, const char* description) override;
    short showMerrowDefectWindow(short mode) override;

private:
    short record(const QString& name, const QString& line);
};
