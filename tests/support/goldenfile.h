#pragma once

#include <QFile>
#include <QString>

// Compares a text with a golden file of the test data folder. With the
// environment variable KORVAT_UPDATE_GOLDEN set, the file is written instead,
// so that a reviewed change of output can be recorded.
namespace GoldenFile {

// True when equal (or written); otherwise `message` shows both texts.
inline bool check(const QString &name, const QString &actual, QString *message)
{
    QFile file(KORVAT_TEST_DATA "/" + name);
    if (qEnvironmentVariableIsSet("KORVAT_UPDATE_GOLDEN"))
        return file.open(QIODevice::WriteOnly) && file.write(actual.toUtf8()) >= 0;
    const QString expected = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : "(missing)";
    *message = name + " differs.\nExpected:\n" + expected + "\nActual:\n" + actual;
    return actual == expected;
}

} // namespace GoldenFile

// Fails the running test, showing both texts, when `actual` differs from the golden file `name`.
#define KORVAT_VERIFY_GOLDEN(name, ...)                                                            \
    do {                                                                                           \
        QString goldenMessage;                                                                     \
        QVERIFY2(GoldenFile::check(name, __VA_ARGS__, &goldenMessage), qPrintable(goldenMessage)); \
    } while (false)
