// The two connections: their strings and settings per kind, the password retry, how a string is
// reached on this machine, the schema version and the brand.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "db/Connection.h"
#include "db/ConnectionKinds.h"
#include "db/Error.h"
#include "db/Recordset.h"
#include "schema/Versions.h"
#include "support/TestSupport.h"

using namespace velthorn;
using namespace velthorn::test;

namespace {

QStringList DataEvents(const StatementRecorder& recorder) {
    QStringList events;
    for (const QString& event : recorder.events) {
        if (event.startsWith("cnData: ")) events << event.mid(8);
    }
    return events;
}

TEST(ConnectionKinds, ProductDatabaseStringsAndSettingsInOrder) {
    Workspace workspace;
    struct Case {
        const char* name;
        bool access;
        const char* dataPath;
        bool serverMachine;
        QStringList events;
    };
    const std::vector<Case> cases = {
        {"accdb file",
         true,
         "/no/such/Sarnovik.accdb",
         true,
         {"ConnectionString = driver={Microsoft Access Driver (*.mdb, *.accdb)};dbq=/no/such/"
          "Sarnovik.accdb;UID=admin;PWD=********",
          "CommandTimeout = 20", "CursorLocation = 2",
          "Open driver={Microsoft Access Driver (*.mdb, *.accdb)};dbq=/no/such/Sarnovik.accdb;"
          "UID=admin;PWD=********"}},
        {"mdb file, capital extension",
         true,
         "  /no/such/Sarnovik.ACCDB  ",
         true,
         {"ConnectionString = driver={Microsoft Access Driver (*.mdb)};dbq=/no/such/"
          "Sarnovik.ACCDB;UID=admin;PWD=********",
          "CommandTimeout = 20", "CursorLocation = 2",
          "Open driver={Microsoft Access Driver (*.mdb)};dbq=/no/such/Sarnovik.ACCDB;UID=admin;"
          "PWD=********"}},
        {"SQL Server, server machine",
         false,
         "",
         true,
         {"ConnectionString = driver={SQL Server};server= srv ;uid=sa;pwd=********;database=db1;",
          "CommandTimeout = 100", "CursorLocation = 2",
          "Open driver={SQL Server};server= srv ;uid=sa;pwd=********;database=db1;"}},
        {"SQL Server through OLE DB",
         false,
         "",
         false,
         {"CommandTimeout = 100", "CursorLocation = 3",
          "Open Provider=sqloledb;Data Source= srv ;Initial Catalog=db1;User Id=sa;"
          "Password=********;"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormFixture fixture(workspace);
        fixture.view.SetValue(Control::optAccess, c.access ? 1 : 0);
        fixture.view.SetValue(Control::chkComType, c.serverMachine ? 1 : 0);
        fixture.view.SetText(Control::txtDataSarnovik, c.dataPath);
        fixture.view.SetText(Control::txtServer, " srv ");
        fixture.view.SetText(Control::txtdbq, "db1");
        fixture.view.SetText(Control::txtuid, "sa");
        fixture.view.SetText(Control::txtpwd, "s3cret");
        StatementRecorder recorder(true);
        // Nothing is there to reach: the open fails after the settings are made.
        EXPECT_THROW(fixture.form.OpenDataConnection(), VelthornError);
        QStringList events = DataEvents(recorder);
        // An Access file is tried twice: the first password, then the second.
        if (c.access) {
            ASSERT_EQ(events.size(), 8) << events.join("\n").toStdString();
            events = events.mid(0, 4);
        }
        EXPECT_EQ(events, c.events) << events.join("\n").toStdString();
        for (const QString& event : recorder.events) {
            EXPECT_FALSE(event.contains("s3cret")) << event.toStdString();
            EXPECT_FALSE(event.contains("KXR584762")) << event.toStdString();
        }
    }
}

TEST(ConnectionKinds, StringsAreBuiltExactly) {
    EXPECT_EQ(db::SqlServerConnectionString("srv", "sa", "p;w", "db"),
              "driver={SQL Server};server=srv;uid=sa;pwd=p;w;database=db;");
    EXPECT_EQ(db::SqlOleDbConnectionString("srv", "db", "sa", "pw"),
              "Provider=sqloledb;Data Source=srv;Initial Catalog=db;User Id=sa;Password=pw;");
    EXPECT_EQ(db::PriceListConnectionString(" /x/PriceList_DAIHATSU.mdb ", true),
              "driver={Microsoft Access Driver (*.mdb, *.accdb)};dbq=/x/PriceList_DAIHATSU.mdb;"
              "UID=admin;PWD=PLW528");
    EXPECT_EQ(db::AccessConnectionString("/x/S.mdb", false, "TQV863475"),
              "driver={Microsoft Access Driver (*.mdb)};dbq=/x/S.mdb;UID=admin;PWD=TQV863475");
    EXPECT_TRUE(db::EndsInAccdb(" G:\\DataSarnovik\\Sarnovik.accdb "));
    EXPECT_FALSE(db::EndsInAccdb("Sarnovik.ACCDB"));
    EXPECT_FALSE(db::EndsInAccdb(""));
    EXPECT_EQ(db::MaskPasswords("a=1;PWD=x;Password=y;pwd=;"),
              "a=1;PWD=********;Password=********;pwd=********;");
}

TEST(ConnectionKinds, PriceListDriverFollowsTheProductPath) {
    Workspace workspace;
    demo::WritePriceList(workspace.priceList(), {});
    for (const auto& [dataPath, driver] :
         {std::pair{"G:\\DataSarnovik\\Sarnovik.accdb", "(*.mdb, *.accdb)"},
          std::pair{"", "(*.mdb)"}}) {
        FormFixture fixture(workspace);
        fixture.view.SetValue(Control::optSQL, 1);
        fixture.view.SetText(Control::txtDataSarnovik, dataPath);
        fixture.view.SetText(Control::txtPriceList, "  " + workspace.priceList() + "  ");
        StatementRecorder recorder(true);
        fixture.form.cmdUpDate_Click();  // fails at the server: nothing is there
        ASSERT_FALSE(recorder.events.isEmpty());
        EXPECT_EQ(recorder.events.first(),
                  QString("cnPriceList: ConnectionString = driver={Microsoft Access Driver %1};"
                          "dbq=%2;UID=admin;PWD=********")
                      .arg(driver, workspace.priceList()));
        EXPECT_EQ(recorder.events.mid(1, 2), QStringList({"cnPriceList: CommandTimeout = 20",
                                                          "cnPriceList: CursorLocation = 2"}));
    }
}

TEST(PasswordRetry, SecondPasswordOpensSilently) {
    Workspace workspace;
    { demo::ProductWriter product(workspace.product(), "V.31"); }
    FormFixture fixture(workspace);
    QStringList tried;
    db::Connection::SetOpenHook([&tried](const db::Connection&, const QString& string) {
        tried << string.section("PWD=", 1);
        if (string.contains("PWD=KXR584762")) throw VelthornError("not a valid password");
    });
    fixture.form.OpenDataConnection();
    db::Connection::SetOpenHook(nullptr);
    EXPECT_EQ(tried, QStringList({"KXR584762", "TQV863475"}));
    EXPECT_EQ(fixture.form.cnData->State(), db::adStateOpen);
    EXPECT_TRUE(fixture.view.messages.empty());
}

TEST(PasswordRetry, BothRefusedReachesTheCaller) {
    Workspace workspace;
    { demo::ProductWriter product(workspace.product(), "V.31"); }
    FormFixture fixture(workspace);
    int attempts = 0;
    db::Connection::SetOpenHook([&attempts](const db::Connection&, const QString&) {
        ++attempts;
        throw VelthornError("not a valid password");
    });
    EXPECT_THROW(fixture.form.OpenDataConnection(), VelthornError);
    db::Connection::SetOpenHook(nullptr);
    EXPECT_EQ(attempts, 2);
}

TEST(OpenTarget, FilesAreReachedByWhatTheyAre) {
    Workspace workspace;
    { demo::ProductWriter product(workspace.product(), "V.31"); }
    const QString mdb = workspace.Path("nwind.mdb");
    ASSERT_TRUE(QFile::copy(VELTHORN_FIXTURES_DIR "/nwind.mdb", mdb));
    const QString text = workspace.Path("notes.mdb");
    {
        QFile file(text);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("just some text, not a database\n");
    }
    const auto target = [](const QString& path) {
        return db::ResolveTarget(db::AccessConnectionString(path, false, "x"));
    };
    EXPECT_EQ(target(workspace.product()).backend, db::Backend::Sqlite);
    EXPECT_EQ(target(mdb).backend, db::Backend::Odbc);
    EXPECT_TRUE(db::IsAccessFile(mdb));
    try {
        target(text);
        FAIL() << "a text file opened";
    } catch (const VelthornError& error) {
        EXPECT_TRUE(error.message().contains("not a database file"))
            << error.message().toStdString();
    }
    EXPECT_THROW(target(workspace.Path("missing.mdb")), VelthornError);
    const db::OpenTarget oleDb =
        db::ResolveTarget(db::SqlOleDbConnectionString("srv", "db", "sa", "pw"));
    EXPECT_EQ(oleDb.backend, db::Backend::Odbc);
    EXPECT_EQ(oleDb.target, "driver={SQL Server};server=srv;uid=sa;pwd=pw;database=db;");
    EXPECT_EQ(oleDb.dialect, schema::Dialect::SqlServer);
}

TEST(OpenTarget, AccessFileWithoutAnAccessDriverSaysSo) {
    Workspace workspace;
    const QString mdb = workspace.Path("nwind.mdb");
    ASSERT_TRUE(QFile::copy(VELTHORN_FIXTURES_DIR "/nwind.mdb", mdb));
    QFile::setPermissions(mdb, QFile::ReadOwner | QFile::WriteOwner);
    db::Connection connection("cnData");
    try {
        connection.Open(db::AccessConnectionString(mdb, false, "x"));
        FAIL() << "opened without an Access driver";
    } catch (const VelthornError& error) {
        EXPECT_TRUE(error.message().contains("Access ODBC driver"))
            << error.message().toStdString();
        EXPECT_TRUE(error.message().contains("--import-access")) << error.message().toStdString();
        EXPECT_FALSE(error.message().contains("PWD=x"));
    }
}

TEST(DataVersion, TheTwentyFiveVersionsAndNoOther) {
    Workspace workspace;
    { demo::ProductWriter product(workspace.product(), "V.31"); }
    FormFixture fixture(workspace);
    fixture.form.OpenDataConnection();
    const auto check = [&](const QString& stored) {
        Exec(workspace.product(), "UPDATE System SET Ver = '" + stored + "'");
        return fixture.form.CheckDataVersion();
    };
    ASSERT_EQ(schema::SupportedVersions().size(), 25u);
    for (const schema::VersionInfo& version : schema::SupportedVersions()) {
        EXPECT_TRUE(check(version.text)) << version.text.toStdString();
        EXPECT_EQ(fixture.form.strVersion, version.text);
    }
    EXPECT_TRUE(check("  P.52  "));
    EXPECT_EQ(fixture.form.strVersion, "P.52");
    for (const char* rejected : {"p.52", "P.44(Bar)", "P.53", "", "V.31 ."}) {
        EXPECT_FALSE(check(rejected)) << rejected;
    }
}

TEST(DataVersion, EmptyOrNullSystemTable) {
    Workspace workspace;
    { demo::ProductWriter product(workspace.product(), "V.31"); }
    FormFixture fixture(workspace);
    fixture.form.OpenDataConnection();
    fixture.form.strVersion = "kept";
    Exec(workspace.product(), "DELETE FROM System");
    EXPECT_FALSE(fixture.form.CheckDataVersion());
    EXPECT_EQ(fixture.form.strVersion, "kept");
    Exec(workspace.product(), "INSERT INTO System VALUES (NULL)");
    EXPECT_THROW(fixture.form.CheckDataVersion(), VelthornError);
}

TEST(BrandLookup, NameThenSuffixThenUdForUdVolvo) {
    struct Case {
        const char* brand;
        std::vector<std::pair<int, const char*>> rows;
        int32_t expected;
    };
    const std::vector<Case> cases = {
        {"DAIHATSU", {{7, "DAIHATSU"}, {8, "DAIHATSU_U"}}, 7},
        {"DAIHATSU", {{8, "DAIHATSU_U"}}, 8},
        {"DAIHATSU", {{9, "daihatsu"}, {10, "UD"}}, 0},
        {"UD_VOLVO", {{10, "UD"}}, 10},
        {"UD_VOLVO", {{11, "UD_VOLVO_U"}, {10, "UD"}}, 11},
        {"NISSAN", {{10, "UD"}}, 0},
        {"DAIHATSU", {{0, "DAIHATSU"}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.brand);
        Workspace workspace;
        {
            demo::ProductWriter product(workspace.product(), "V.31", 99, "SOMEONE ELSE");
            for (const auto& [id, name] : c.rows)
                product.AddBrand(id, name);
        }
        FormFixture fixture(workspace, c.brand);
        fixture.form.OpenDataConnection();
        fixture.form.lngBrandID = 42;
        fixture.form.GetBrandID();
        EXPECT_EQ(fixture.form.lngBrandID, c.expected);
    }
}

TEST(BrandLookup, IdentifierOutOfRangeIsAnError) {
    Workspace workspace;
    { demo::ProductWriter product(workspace.product(), "V.31", 99, "SOMEONE ELSE"); }
    Exec(workspace.product(), "INSERT INTO Brand VALUES (4294967296, 'DAIHATSU')");
    FormFixture fixture(workspace);
    fixture.form.OpenDataConnection();
    EXPECT_THROW(fixture.form.GetBrandID(), VelthornError);
}

TEST(Transactions, ARolledBackRowLeavesEarlierRowsCommitted) {
    Workspace workspace;
    { demo::ProductWriter product(workspace.product(), "V.31"); }
    db::Connection connection("cnData");
    connection.Open(db::AccessConnectionString(workspace.product(), false, "x"));
    connection.Execute("Insert Into Fac Values( 1, 'outside any row' )");
    connection.BeginTrans();
    connection.Execute("Insert Into Fac Values( 2, 'first row' )");
    connection.CommitTrans();
    connection.BeginTrans();
    connection.Execute("Insert Into Fac Values( 3, 'failed row' )");
    EXPECT_TRUE(connection.InTransaction());
    connection.RollbackTrans();
    EXPECT_FALSE(connection.InTransaction());
    EXPECT_THROW(connection.RollbackTrans(), VelthornError);
    connection.Settle();
    // Another reader sees what was committed, while the connection is still open.
    EXPECT_EQ(Rows(workspace.product(), "SELECT FacID FROM Fac ORDER BY FacID"),
              QStringList({"1", "2"}));
    connection.Close();
    EXPECT_EQ(Rows(workspace.product(), "SELECT FacID FROM Fac ORDER BY FacID"),
              QStringList({"1", "2"}));
}

TEST(Transactions, ClosingUndoesAnUnfinishedRowAndKeepsTheRest) {
    Workspace workspace;
    { demo::ProductWriter product(workspace.product(), "V.31"); }
    db::Connection connection("cnData");
    connection.Open(db::AccessConnectionString(workspace.product(), false, "x"));
    connection.BeginTrans();
    connection.Execute("Insert Into Fac Values( 1, 'done' )");
    connection.CommitTrans();
    connection.BeginTrans();
    connection.Execute("Insert Into Fac Values( 2, 'cut off' )");
    connection.Close();
    EXPECT_EQ(Rows(workspace.product(), "SELECT FacID FROM Fac"), QStringList({"1"}));
}

TEST(Connection, OpenTwiceAndStringWhileOpenAreRefused) {
    Workspace workspace;
    { demo::ProductWriter product(workspace.product(), "V.31"); }
    db::Connection connection("cnData");
    connection.Open(db::AccessConnectionString(workspace.product(), false, "x"));
    EXPECT_THROW(connection.setConnectionString("x"), VelthornError);
    EXPECT_THROW(connection.Open(), VelthornError);
    connection.Close();
    EXPECT_THROW(connection.Close(), VelthornError);
    EXPECT_THROW(connection.Execute("Select 1"), VelthornError);
}

TEST(Recordset, FieldsConvertExactlyOrRaise) {
    Workspace workspace;
    { demo::ProductWriter product(workspace.product(), "V.31"); }
    Exec(workspace.product(), "CREATE TABLE T (Txt TEXT, Amt CURRENCY, Num INTEGER)");
    Exec(workspace.product(),
         "INSERT INTO T VALUES ('  padded  ', 123.4567, 32767), (NULL, NULL, 32768), "
         "('x', 'abc', 2147483648)");
    db::Connection connection("cnData");
    connection.Open(db::AccessConnectionString(workspace.product(), false, "x"));
    db::Recordset rows;
    rows.Open("Select Txt, Amt, Num From T", connection);
    EXPECT_EQ(rows.RecordCount(), 3);
    EXPECT_EQ(rows.Field("Txt").text(), "padded");
    EXPECT_EQ(rows.Field("amt").currency().units(), 1234567);
    EXPECT_EQ(rows.Field("Num").int16(), 32767);
    rows.MoveNext();
    EXPECT_THROW(rows.Field("Txt").text(), VelthornError);
    EXPECT_THROW(rows.Field("Amt").currency(), VelthornError);
    EXPECT_THROW(rows.Field("Num").int16(), VelthornError);
    EXPECT_EQ(rows.Field("Num").int32(), 32768);
    rows.MoveNext();
    EXPECT_THROW(rows.Field("Amt").currency(), VelthornError);
    EXPECT_THROW(rows.Field("Num").int32(), VelthornError);
    EXPECT_THROW(rows.Field("Missing"), VelthornError);
    rows.MoveNext();
    EXPECT_TRUE(rows.isEOF());
    EXPECT_THROW(rows.Field("Txt"), VelthornError);
    rows.Close();
}

}  // namespace
