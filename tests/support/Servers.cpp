#include "support/Servers.h"

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <stdexcept>

namespace velthorn::test {

namespace {
QString PostgresBin() {
    QDir root(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (auto it = versions.crbegin(); it != versions.crend(); ++it) {
        const QString bin = root.filePath(*it + "/bin");
        if (QFileInfo::exists(bin + "/initdb")) return bin;
    }
    return QString();
}

const char* const kDriverDir = "/usr/lib/x86_64-linux-gnu/odbc/";
}  // namespace

QString OdbcRegistration::PostgresDriver() {
    return QString(kDriverDir) + "psqlodbcw.so";
}
QString OdbcRegistration::SqliteDriver() {
    return QString(kDriverDir) + "libsqlite3odbc.so";
}

QString PostgresServer::Unavailable() {
    if (PostgresBin().isEmpty()) return QStringLiteral("PostgreSQL is not installed (postgresql)");
    if (!QFileInfo::exists(OdbcRegistration::PostgresDriver())) {
        return QStringLiteral("the PostgreSQL ODBC driver is not installed (odbc-postgresql)");
    }
    if (geteuid() == 0 && QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty()) {
        return QStringLiteral("running as root without runuser");
    }
    return QString();
}

PostgresServer::PostgresServer() : bin_(PostgresBin()) {
    // A folder every user can enter: the server runs as an ordinary user, the tests maybe as root.
    char pattern[] = "/tmp/velthorn-pg-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("no folder for the server");
    dir_ = QString::fromLatin1(pattern);
    QFile::setPermissions(dir_, QFile::Permissions(0x7777));
    const QString passwordFile = dir_ + "/password";
    {
        QFile file(passwordFile);
        if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("no password file");
        file.write(password().toUtf8() + "\n");
    }
    QFile::setPermissions(passwordFile, QFile::Permissions(0x6666));
    RunAsServerUser(Tool("initdb"), {"-D", dir_ + "/data", "-U", user(), "--auth=scram-sha-256",
                                     "--pwfile=" + passwordFile, "-E", "UTF8", "--locale=C"});
    RunAsServerUser(Tool("pg_ctl"), {"-D", dir_ + "/data", "-l", dir_ + "/server.log", "-w", "-o",
                                     "-c listen_addresses='' -c unix_socket_directories='" + dir_ +
                                         "' -c fsync=off -c synchronous_commit=off",
                                     "start"});
    running_ = true;
}

PostgresServer::~PostgresServer() {
    try {
        StopNow();
    } catch (...) {
    }
    QDir(dir_).removeRecursively();
}

QString PostgresServer::Tool(const QString& name) const {
    return bin_ + "/" + name;
}

void PostgresServer::RunAsServerUser(const QString& program, const QStringList& arguments) const {
    QProcess process;
    if (geteuid() == 0) {
        process.start(QStringLiteral("runuser"),
                      QStringList{"-u", "postgres", "--", program} + arguments);
    } else {
        process.start(program, arguments);
    }
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        throw std::runtime_error(
            (program + " failed: " + QString::fromLocal8Bit(process.readAllStandardError()) +
             QString::fromLocal8Bit(process.readAllStandardOutput()))
                .toStdString());
    }
}

void PostgresServer::CreateDatabase(const QString& name) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PGPASSWORD", password());
    process.setProcessEnvironment(environment);
    process.start(Tool("createdb"), {"-h", dir_, "-U", user(), name});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        throw std::runtime_error(
            ("createdb failed: " + QString::fromLocal8Bit(process.readAllStandardError()))
                .toStdString());
    }
}

void PostgresServer::StopNow() {
    if (!running_) return;
    running_ = false;
    RunAsServerUser(Tool("pg_ctl"), {"-D", dir_ + "/data", "-m", "immediate", "-w", "stop"});
}

QString PostgresServer::OdbcString(const QString& database) const {
    return "driver={SQL Server};server=" + dir_ + ";uid=" + user() + ";pwd=" + password() +
           ";database=" + database + ";";
}

OdbcRegistration::OdbcRegistration(const QString& driverLibrary, const QString& traceFile)
    : previous_(qgetenv("ODBCSYSINI")) {
    QFile file(dir_.filePath("odbcinst.ini"));
    if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("no odbcinst.ini");
    QByteArray text;
    if (!traceFile.isEmpty()) text += "[ODBC]\nTrace=Yes\nTraceFile=" + traceFile.toUtf8() + "\n\n";
    text += "[SQL Server]\nDriver=" + driverLibrary.toUtf8() + "\n";
    file.write(text);
    file.close();
    qputenv("ODBCSYSINI", dir_.path().toUtf8());
}

OdbcRegistration::~OdbcRegistration() {
    if (previous_.isNull()) {
        qunsetenv("ODBCSYSINI");
    } else {
        qputenv("ODBCSYSINI", previous_);
    }
}

}  // namespace velthorn::test
