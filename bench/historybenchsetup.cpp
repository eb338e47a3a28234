#include "historybenchsetup.h"

#include "tests/support/postgrestestserver.h"

#include <cstdio>

HistoryBenchSetup::HistoryBenchSetup(const QStringList &args)
{
    for (qsizetype i = 1; i + 1 < args.size(); i += 2)
        m_options.insert(args.at(i), args.at(i + 1));
}

HistoryBenchSetup::~HistoryBenchSetup() = default;

int HistoryBenchSetup::number(const char *name, int fallback) const
{
    bool ok = false;
    const int value = m_options.value(QLatin1String(name)).toInt(&ok);
    return ok ? value : fallback;
}

bool HistoryBenchSetup::chosen(const char *backend) const
{
    const QString only = m_options.value(QStringLiteral("--only"));
    return only.isEmpty() || only == QLatin1String(backend);
}

bool HistoryBenchSetup::run(const Bench &bench)
{
    bool ok = true;
    if (chosen("sqlite")) {
        ok = bench(QStringLiteral("sqlite"), [this](const QString &name) {
            return QStringLiteral("sqlite:") + m_dir.filePath(name + QStringLiteral(".sqlite"));
        }) && ok;
    }
    if (chosen("postgresql")) {
        m_server = std::make_unique<PostgresTestServer>();
        if (!m_server->start()) {
            std::printf("postgresql: %s\n", qPrintable(m_server->errorString()));
            m_server.reset();
            return false;
        }
        ok = bench(QStringLiteral("postgresql"), [this](const QString &name) {
            return m_server->createDatabase(name) ? m_server->url(name) : QString();
        }) && ok;
        m_server->stop();
        m_server.reset();
    }
    return ok;
}
