#include "goldenfile.h"

#include <QFile>
#include <QStringList>

bool GoldenFile::check(const QString &name, const QString &actual, QString *message)
{
    const QString path = QStringLiteral(KORVAT_TEST_DATA "/") + name;
    QFile file(path);
    if (qEnvironmentVariableIsSet("KORVAT_UPDATE_GOLDEN")) {
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            *message = QStringLiteral("cannot write ") + path;
            return false;
        }
        file.write(actual.toUtf8());
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *message = QStringLiteral("missing golden file ") + path;
        return false;
    }
    const QString expected = QString::fromUtf8(file.readAll());
    if (expected == actual)
        return true;
    const QStringList want = expected.split(QLatin1Char('\n'));
    const QStringList got = actual.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < qMax(want.size(), got.size()); ++i) {
        const QString w = i < want.size() ? want.at(i) : QStringLiteral("<end>");
        const QString g = i < got.size() ? got.at(i) : QStringLiteral("<end>");
        if (w != g) {
            *message = QStringLiteral("%1 line %2:\n  expected: %3\n  actual:   %4")
                           .arg(name)
                           .arg(i + 1)
                           .arg(w, g);
            break;
        }
    }
    return false;
}
