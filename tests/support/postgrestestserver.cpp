#include "tests/support/postgrestestserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVersionNumber>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>

namespace {

const char *const SetupHint = "run scripts/setup to install the postgresql and libqt6sql6-psql packages";

} // namespace

PostgresTestServer::~PostgresTestServer()
{
    stop();
}

QString PostgresTestServer::findBinDir()
{
    const QString override = qEnvironmentVariable("KORVAT_PG_BIN");
    if (!override.isEmpty())
        return override;
    QDir root(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(), [](const QString &a, const QString &b) {
        return QVersionNumber::fromString(a) > QVersionNumber::fromString(b);
    });
    for (const QString &version : versions) {
        const QString bin = root.filePath(version + QStringLiteral("/bin"));
        if (QFileInfo(bin + QStringLiteral("/initdb")).isExecutable()
            && QFileInfo(bin + QStringLiteral("/pg_ctl")).isExecutable())
            return bin;
    }
    return QString();
}

bool PostgresTestServer::runTool(const QString &tool, const QStringList &args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QString program = m_bin + QLatin1Char('/') + tool;
    if (m_asPostgres)
        process.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                                             QStringLiteral("--"), program} + args);
    else
        process.start(program, args);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        m_error = QStringLiteral("%1 failed (%2): %3")
                      .arg(tool, process.errorString(), QString::fromLocal8Bit(process.readAll()));
        process.kill();
        process.waitForFinished(5000);
        return false;
    }
    return true;
}

bool PostgresTestServer::start()
{
    m_bin = findBinDir();
    if (m_bin.isEmpty()) {
        m_error = QStringLiteral("no PostgreSQL server (initdb, pg_ctl) under /usr/lib/postgresql: %1")
                      .arg(QLatin1String(SetupHint));
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        m_error = QStringLiteral("Qt's QPSQL driver is missing: %1").arg(QLatin1String(SetupHint));
        return false;
    }
    // A short path: the socket's full name must stay under the system's limit.
    m_dir = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/korvat-pg-XXXXXX"));
    if (!m_dir->isValid()) {
        m_error = QStringLiteral("cannot create a temporary folder: %1").arg(m_dir->errorString());
        return false;
    }
    m_asPostgres = geteuid() == 0;
    if (m_asPostgres) {
        const passwd *account = getpwnam("postgres");
        if (!account || chown(QFile::encodeName(m_dir->path()).constData(), account->pw_uid, account->pw_gid) != 0) {
            m_error = QStringLiteral("running as root, but the postgres user is missing: %1")
                          .arg(QLatin1String(SetupHint));
            return false;
        }
    }
    const QString data = m_dir->filePath(QStringLiteral("data"));
    if (!runTool(QStringLiteral("initdb"), {QStringLiteral("-D"), data, QStringLiteral("-U"), userName(),
                                            QStringLiteral("-A"), QStringLiteral("trust"), QStringLiteral("-E"),
                                            QStringLiteral("UTF8"), QStringLiteral("--no-locale"),
                                            QStringLiteral("--no-sync")}))
        return false;
    const QString options = QStringLiteral("-c listen_addresses='' -c unix_socket_directories='%1' "
                                           "-c fsync=off -c synchronous_commit=off -c full_page_writes=off")
                                .arg(m_dir->path());
    if (!runTool(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), data, QStringLiteral("-l"),
                                            m_dir->filePath(QStringLiteral("server.log")), QStringLiteral("-w"),
                                            QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("-o"),
                                            options, QStringLiteral("start")}))
        return false;
    m_running = true;
    return true;
}

void PostgresTestServer::stop()
{
    if (m_running) {
        runTool(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), m_dir->filePath(QStringLiteral("data")),
                                           QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"),
                                           QStringLiteral("stop")});
        m_running = false;
    }
    m_dir.reset();
}

bool PostgresTestServer::createDatabase(const QString &name)
{
    const QString connection = QStringLiteral("korvat-pg-admin");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        db.setHostName(socketDir());
        db.setUserName(userName());
        db.setDatabaseName(QStringLiteral("postgres"));
        if (!db.open()) {
            m_error = QStringLiteral("cannot connect to the test server: %1").arg(db.lastError().text());
        } else {
            QSqlQuery query(db);
            ok = query.exec(QStringLiteral("CREATE DATABASE \"%1\"").arg(name));
            if (!ok)
                m_error = QStringLiteral("cannot create database %1: %2").arg(name, query.lastError().text());
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

QString PostgresTestServer::url(const QString &name) const
{
    return QStringLiteral("postgresql:///%1?host=%2&user=%3").arg(name, socketDir(), userName());
}

QString PostgresTestServer::socketDir() const
{
    return m_dir ? m_dir->path() : QString();
}
