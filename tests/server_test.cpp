// The server path for real: the exact connection strings reach a PostgreSQL server of the tests'
// own through its ODBC driver registered as "SQL Server", and a SQLite file through the SQLite
// ODBC driver; a whole run there gives what the embedded run gives.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <atomic>

#include "schema/Currency.h"
#include "schema/TableDefs.h"
#include "support/Servers.h"
#include "support/TestSupport.h"

using namespace velthorn;
using namespace velthorn::test;

namespace {

#define REQUIRE_SERVER()                                       \
    do {                                                       \
        const QString why = PostgresServer::Unavailable();     \
        if (!why.isEmpty()) GTEST_SKIP() << why.toStdString(); \
    } while (false)

// Every table a run touches, each row's values normalised (amounts exact, whatever their type).
QStringList Content(QSqlDatabase& db) {
    QStringList content;
    for (const char* table :
         {"System", "Brand", "LastID", "OldID", "Fac", "AltGX", "PriceList", "MovementStock", "SPG",
          "Price", "Sale", "Pta5", "Alt5", "AltG5", "FacD5"}) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        EXPECT_TRUE(query.exec(QString("SELECT * FROM %1").arg(table)))
            << table << ": " << query.lastError().text().toStdString();
        QStringList rows;
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i) {
                const QVariant value = query.value(i);
                QString text = value.isNull() ? QStringLiteral("NULL") : value.toString();
                try {
                    if (!value.isNull()) text = schema::Currency::FromVariant(value).toString();
                } catch (...) {
                }
                values << text;
            }
            rows << values.join('|');
        }
        rows.sort();
        content << QString("== %1 (%2 rows)").arg(table).arg(rows.size()) << rows;
    }
    return content;
}

std::atomic<int> g_connections{0};

QStringList ContentOf(const QString& driver, const QString& name) {
    const QString connection = QString("server-test-%1").arg(++g_connections);
    QStringList content;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, connection);
        db.setDatabaseName(name);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        content = Content(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return content;
}

void ExpectSameContent(const QStringList& actual, const QStringList& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (int i = 0; i < actual.size(); ++i)
        ASSERT_EQ(actual[i], expected[i]) << "line " << i;
}

demo::DemoOptions Options(const QString& dir, const char* version, int parts = 600) {
    demo::DemoOptions options;
    options.dir = dir;
    options.version = version;
    options.parts = parts;
    options.chunkRows = 250;
    return options;
}

struct ServerCase {
    const char* version;
    bool serverMachine;  // the "SQL Server" ODBC kind; else the OLE DB kind
};

class WholeRunOnAServer : public ::testing::TestWithParam<ServerCase> {};

TEST_P(WholeRunOnAServer, GivesWhatTheEmbeddedRunGives) {
    REQUIRE_SERVER();
    const ServerCase& c = GetParam();
    Workspace workspace;
    PostgresServer server;
    server.CreateDatabase("stock");
    OdbcRegistration registration(OdbcRegistration::PostgresDriver());

    const demo::DemoResult embedded =
        demo::WriteDemo(Options(workspace.Path("embedded"), c.version));
    demo::DemoOptions onServer = Options(workspace.Path("server"), c.version);
    onServer.odbc = server.OdbcString("stock");
    const demo::DemoResult served = demo::WriteDemo(onServer);

    const Outcome local = RunVelthorn(
        {"--price-list", embedded.priceListPath, "--data", embedded.productPath, "--reorganise"});
    ASSERT_EQ(local.exitCode, 0) << local.err.toStdString();
    QStringList arguments = {"--price-list",     served.priceListPath, "--server",
                             server.socketDir(), "--database",         "stock",
                             "--login",          server.user(),        "--password",
                             server.password(),  "--reorganise"};
    if (!c.serverMachine) arguments << "--client-machine";
    const Outcome remote = RunVelthorn(arguments);
    ASSERT_EQ(remote.exitCode, 0) << remote.err.toStdString();
    // The same report and summary; only the file gets a backup.
    QStringList localLines = local.out.split('\n');
    localLines.removeIf(
        [](const QString& line) { return line.startsWith(QStringLiteral("สำรองข้อมูล")); });
    EXPECT_EQ(remote.out.split('\n'), localLines);

    ExpectSameContent(ContentOf("QODBC", server.OdbcString("stock")),
                      ContentOf("QSQLITE", embedded.productPath));
    EXPECT_EQ(Rows(served.priceListPath, "SELECT * FROM PriceListAll ORDER BY PartNO"),
              Rows(embedded.priceListPath, "SELECT * FROM PriceListAll ORDER BY PartNO"));
}

INSTANTIATE_TEST_SUITE_P(Kinds, WholeRunOnAServer,
                         ::testing::Values(ServerCase{"P.64 (Bar)", true},
                                           ServerCase{"V.31", false}),
                         [](const auto& info) {
                             return std::string(info.param.serverMachine ? "OdbcKindP64"
                                                                         : "OleDbKindV31");
                         });

TEST(SqliteOdbcDriver, FileDatabaseThroughOdbcGivesWhatTheEmbeddedRunGives) {
    if (!QFile::exists(OdbcRegistration::SqliteDriver())) {
        GTEST_SKIP() << "the SQLite ODBC driver is not installed (libsqliteodbc)";
    }
    Workspace workspace;
    OdbcRegistration registration(OdbcRegistration::SqliteDriver());
    const demo::DemoResult embedded =
        demo::WriteDemo(Options(workspace.Path("embedded"), "P.49 (Bar)"));
    const demo::DemoResult viaOdbc = demo::WriteDemo(Options(workspace.Path("odbc"), "P.49 (Bar)"));
    ASSERT_EQ(RunVelthorn({"--price-list", embedded.priceListPath, "--data", embedded.productPath})
                  .exitCode,
              0);
    const QString trace = workspace.Path("trace.sql");
    const Outcome outcome =
        RunVelthorn({"--price-list", viaOdbc.priceListPath, "--server", "localhost", "--database",
                     viaOdbc.productPath, "--login", "sa", "--password", "pw", "--trace", trace});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    ExpectSameContent(ContentOf("QSQLITE", viaOdbc.productPath),
                      ContentOf("QSQLITE", embedded.productPath));
    // Yes/no values went to the server kind as 1 and 0.
    QFile file(trace);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains("-- cnData: QueryTimeout = 100"));
    EXPECT_FALSE(text.contains(", True, "));
}

TEST(SqliteOdbcDriver, PreviewIsRefusedWhereTheDriverCannotNestTransactions) {
    if (!QFile::exists(OdbcRegistration::SqliteDriver())) {
        GTEST_SKIP() << "the SQLite ODBC driver is not installed (libsqliteodbc)";
    }
    Workspace workspace;
    OdbcRegistration registration(OdbcRegistration::SqliteDriver());
    const demo::DemoResult viaOdbc = demo::WriteDemo(Options(workspace.Path(""), "V.31", 100));
    const QStringList before = ContentOf("QSQLITE", viaOdbc.productPath);
    const Outcome outcome =
        RunVelthorn({"--preview", "--price-list", viaOdbc.priceListPath, "--server", "localhost",
                     "--database", viaOdbc.productPath, "--login", "sa", "--password", "pw"});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.err.contains("preview is not possible")) << outcome.err.toStdString();
    EXPECT_EQ(ContentOf("QSQLITE", viaOdbc.productPath), before);
}

TEST(ServerFailures, WrongLoginOrDatabaseFailsOnceWithTheDetail) {
    REQUIRE_SERVER();
    Workspace workspace;
    PostgresServer server;
    server.CreateDatabase("stock");
    OdbcRegistration registration(OdbcRegistration::PostgresDriver());
    demo::WritePriceList(workspace.priceList(), {});
    struct Case {
        const char* database;
        const char* password;
        const char* detail;
    };
    for (const Case& c : {Case{"stock", "wrong-password", "password authentication failed"},
                          Case{"nostock", nullptr, "does not exist"}}) {
        SCOPED_TRACE(c.detail);
        const QString password = c.password ? QString(c.password) : server.password();
        const QString trace = workspace.Path("trace.sql");
        const Outcome outcome = RunVelthorn(
            {"--price-list", workspace.priceList(), "--server", server.socketDir(), "--database",
             c.database, "--login", server.user(), "--password", password, "--trace", trace});
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_EQ(outcome.out, QStringLiteral("ไม่สามรถบันทึกได้\n"));
        EXPECT_TRUE(outcome.err.contains(c.detail)) << outcome.err.toStdString();
        EXPECT_FALSE(outcome.err.contains(password)) << outcome.err.toStdString();
        QFile file(trace);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(file.readAll()).count("-- cnData: Open "), 1);  // no retry
    }
}

TEST(ServerFailures, ServerGoingAwayMidRunEndsInTheFailurePath) {
    REQUIRE_SERVER();
    Workspace workspace;
    auto server = std::make_unique<PostgresServer>();
    server->CreateDatabase("stock");
    OdbcRegistration registration(OdbcRegistration::PostgresDriver());
    demo::DemoOptions options = Options(workspace.Path(""), "P.64 (Bar)", 4000);
    options.odbc = server->OdbcString("stock");
    const demo::DemoResult served = demo::WriteDemo(options);

    QProcess process;
    process.setReadChannel(QProcess::StandardError);
    process.start(Program("velthorn"), {"--price-list", served.priceListPath, "--server",
                                        server->socketDir(), "--database", "stock", "--login",
                                        server->user(), "--password", server->password()});
    ASSERT_TRUE(process.waitForStarted());
    QByteArray seen;
    while (!seen.contains(QStringLiteral("กำลังเปลี่ยนราคา").toUtf8()) &&
           process.state() == QProcess::Running) {
        process.waitForReadyRead(50);
        seen += process.readAllStandardError();
    }
    QThread::msleep(300);
    server->StopNow();
    ASSERT_TRUE(process.waitForFinished(120000));
    seen += process.readAllStandardError();
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()),
              QStringLiteral("ไม่สามรถบันทึกได้\n"));
    const QString err = QString::fromUtf8(seen);
    // The driver's own words reach the operator.
    EXPECT_TRUE(err.contains("closed the connection") || err.contains("connection has been lost"))
        << err.toStdString();
}

TEST(ServerSettings, CommandTimeOutReachesTheDriverAsQueryTimeOut) {
    REQUIRE_SERVER();
    Workspace workspace;
    PostgresServer server;
    server.CreateDatabase("stock");
    const QString driverTrace = workspace.Path("odbc-trace.log");
    OdbcRegistration registration(OdbcRegistration::PostgresDriver(), driverTrace);
    demo::DemoOptions options = Options(workspace.Path(""), "V.31", 20);
    options.odbc = server.OdbcString("stock");
    const demo::DemoResult served = demo::WriteDemo(options);
    QFile::remove(driverTrace);
    const Outcome outcome = RunVelthorn({"--price-list", served.priceListPath, "--server",
                                         server.socketDir(), "--database", "stock", "--login",
                                         server.user(), "--password", server.password()});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    QFile file(driverTrace);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString log = QString::fromUtf8(file.readAll());
    // SQL_ATTR_QUERY_TIMEOUT is attribute 0; 100 seconds is 0x64.
    EXPECT_TRUE(
        log.contains(QRegularExpression("SQLSetConnectAttr.c.*\\n\\s+Entry:\\n\\s+Connection = "
                                        "\\S+\\n\\s+Attribute = 0\\n\\s+Value = 0x64")))
        << log.left(2000).toStdString();
}

TEST(ServerDemo, CreatesItsTablesOnlyInAnEmptyDatabase) {
    REQUIRE_SERVER();
    Workspace workspace;
    PostgresServer server;
    server.CreateDatabase("stock");
    OdbcRegistration registration(OdbcRegistration::PostgresDriver());
    const QStringList arguments = {
        workspace.Path(""),        "--parts", "30", "--version", "P.45 (Bar)", "--odbc",
        server.OdbcString("stock")};
    QProcess first;
    first.start(Program("velthorn-demo"), arguments);
    ASSERT_TRUE(first.waitForFinished(60000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    EXPECT_FALSE(QString::fromUtf8(first.readAllStandardOutput()).contains(server.password()));
    const QStringList content = ContentOf("QODBC", server.OdbcString("stock"));
    EXPECT_TRUE(content.contains("== Pta5 (30 rows)"))
        << content.join('\n').left(500).toStdString();
    EXPECT_TRUE(content.contains("P.45 (Bar)"));
    QProcess second;
    second.start(Program("velthorn-demo"), arguments);
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(second.readAllStandardError().contains("already has a table"));
}

}  // namespace
