#include "tests/support/fakemerrow.h"

FakeMerrow::FakeMerrow() = default;

FakeMerrow::~FakeMerrow() = default;

short FakeMerrow::record(const QString& name, const QString& line)
{
    calls << line;
    setCmdLine(QByteArray("cmd ") + name.toUtf8());
    if (failing.contains(name)) {
        setErrorMessage(name.toUtf8() + " failed");
        return 0;
    }
    setErrorMessage(QByteArray());
    return 1;
}

short FakeMerrow::establishConnection()
{
    return record(QStringLiteral("establishConnection"), QStringLiteral("establishConnection()"));
}

short FakeMerrow::createForm()
{
    return record(QStringLiteral("createForm"), QStringLiteral("createForm()"));
}

short FakeMerrow::setHeadLine(const char* headline)
{
    return record(QStringLiteral("setHeadLine"),
                  QStringLiteral("setHeadLine(%1)").arg(QString::fromLocal8Bit(headline)));
}

short FakeMerrow::setDescription(const char* description)
{
    return record(QStringLiteral("setDescription"),
                  QStringLiteral("setDescription(%1)").arg(QString::fromLocal8Bit(description)));
}

short FakeMerrow::addFileAttachment(const char* path, const char* description)
{
    return record(QStringLiteral("addFileAttachment"),
                  QStringLiteral("addFileAttachment(%1,%2)")
                      .arg(QString::fromLocal8Bit(path), QString::fromLocal8Bit(description)));
}

short FakeMerrow::showMerrowDefectWindow(short mode)
{
    return record(QStringLiteral("showMerrowDefectWindow"),
                  QStringLiteral("showMerrowDefectWindow(%1)").arg(mode));
}
