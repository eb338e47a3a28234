#include "tests/xrdview/historycliharness.h"

#include <QDebug>
#include <QTest>

bool HistoryCliHarness::start()
{
    return m_dir.isValid() && m_server.start();
}

QString HistoryCliHarness::freshStore(const QString& backend)
{
    const QString name = QStringLiteral("s%1").arg(++m_stores);
    if (backend == QLatin1String("sqlite"))
        return QStringLiteral("sqlite:") + m_dir.filePath(name + QStringLiteral(".sqlite"));
    return m_server.createDatabase(name) ? m_server.url(name) : QString();
}

XrdviewRun HistoryCliHarness::run(const QStringList& args, const QStringList& env) const
{
    return runXrdview(args, m_dir.filePath(QStringLiteral("config")), QString(),
                      env + QStringList{ QStringLiteral("KORVAT_DB=") });
}

qint64 HistoryCliHarness::record(const QString& store, const QString& file, const QString& label, int status) const
{
    const XrdviewRun recorded =
        run({ QStringLiteral("--record"), QStringLiteral("--db"), store, QStringLiteral("--label"), label, file });
    if (recorded.status != status) {
        qWarning() << recorded.describe();
        return 0;
    }
    return recorded.out.trimmed().toLongLong();
}

QString HistoryCliHarness::data(const char* name)
{
    return QStringLiteral(KORVAT_TEST_DATA "/") + QLatin1String(name);
}

void HistoryCliHarness::addBackendRows()
{
    QTest::addColumn<QString>("backend");
    QTest::newRow("sqlite") << QStringLiteral("sqlite");
    QTest::newRow("postgresql") << QStringLiteral("postgresql");
}
