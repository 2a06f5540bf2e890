#pragma once
// A PostgreSQL server of the tests' own (a fresh folder, a Unix socket only, stopped at the end),
// and a test-only registration of an ODBC driver under the name "SQL Server".
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace velthorn::test {

class PostgresServer {
  public:
    // Why no server can be started here; empty when one can.
    static QString Unavailable();

    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    void CreateDatabase(const QString& name);
    // Stops the server at once, as a crash or a pulled cable would.
    void StopNow();

    QString socketDir() const { return dir_; }
    QString user() const { return QStringLiteral("velthorn"); }
    QString password() const { return QStringLiteral("Pg-s3cret"); }
    // The connection string of the "SQL Server" kind for a database of this server.
    QString OdbcString(const QString& database) const;

  private:
    QString Tool(const QString& name) const;
    void RunAsServerUser(const QString& program, const QStringList& arguments) const;

    QString bin_;
    QString dir_;
    bool running_ = false;
};

// Registers a driver library under "SQL Server" in an odbcinst.ini of its own, for this process
// and the programs it starts; with a trace file the driver manager logs every call there.
class OdbcRegistration {
  public:
    explicit OdbcRegistration(const QString& driverLibrary, const QString& traceFile = QString());
    ~OdbcRegistration();

    static QString PostgresDriver();
    static QString SqliteDriver();

  private:
    QTemporaryDir dir_;
    QByteArray previous_;
};

}  // namespace velthorn::test
