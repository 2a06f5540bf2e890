// A shop runs the tool on its only copy of its stock database: an interrupted run is mended by the
// next one, bad input is refused with a clear reason and loses nothing, and other programs can
// read the database while a run writes it.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include "support/TestSupport.h"

using namespace velthorn;
using namespace velthorn::test;

namespace {

// --- interrupted runs

struct KillPoint {
    const char* name;
    const char* progress;  // the progress line to wait for
    int occurrence;        // which appearance of it
    int delayMs;           // how long after it the run is killed
};

const KillPoint kKillPoints[] = {
    {"transfer", "กำลังเปลี่ยนราคา  DAIHATSU_2", 1, 150},
    {"adding", "กำลังเพิ่มข้อมูลใหม่  DAIHATSU_3", 1, 10},
    {"check", "กำลังตรวจสอบข้อมูล  DAIHATSU_2", 1, 30},
    {"second_pass", "กำลังเปลี่ยนราคา  DAIHATSU_All", 1, 5},
    {"report", "กำลังตรวจสอบข้อมูล  DAIHATSU_3", 2, 30},
    {"rebuild", "จัดระเบียบเบอร์แทนใหม่  DAIHATSU", 1, 300},
};

// The database's content with part identifiers replaced by the parts' kind codes and numbers.
QStringList Content(const QString& product, const QString& priceList) {
    const QString key = "(SELECT Kind || '-' || PartNO FROM Pta5 p WHERE p.PartID = %1)";
    const auto keyed = [&key](const QString& column) {
        return QString("CASE WHEN %1 = 0 THEN '0' ELSE coalesce(%2, 'missing') END")
            .arg(column, key.arg(column));
    };
    QStringList content;
    const QStringList queries = {
        "SELECT * FROM Pta5",  // with PartID taken out below
        "SELECT Kind, PartNO, APrice FROM Alt5",
        "SELECT " + keyed("AltG5.PartID") + ", " + keyed("AltG5.AltID") + " FROM AltG5",
        "SELECT " + keyed("FacD5.PartID") + ", FacID FROM FacD5",
        "SELECT * FROM MovementStock",
        "SELECT * FROM SPG",
        "SELECT * FROM Price",
        "SELECT * FROM Sale",
        "SELECT * FROM PriceList",
        "SELECT * FROM OldID",
        "SELECT * FROM AltGX"};
    for (const QString& query : queries) {
        QStringList rows = Rows(product, query);
        if (query == "SELECT * FROM Pta5") {
            for (QString& row : rows) {
                QStringList values = row.split('|');
                values.removeAt(2);  // PartID (P.64: third value)
                row = values.join('|');
            }
        }
        rows.sort();
        content << "== " + query << rows;
    }
    QStringList secondPass = Rows(priceList, "SELECT * FROM PriceListAll");
    secondPass.sort();
    content << "== PriceListAll" << secondPass;
    return content;
}

void ExpectSound(const QString& product, int32_t originalMaxId) {
    EXPECT_TRUE(Rows(product, QString("SELECT Kind, PartNO FROM Pta5 WHERE PartID > %1 GROUP BY "
                                      "Kind, PartNO HAVING count(*) > 1")
                                  .arg(originalMaxId))
                    .isEmpty());
    EXPECT_EQ(Value(product, "SELECT count(*) FROM Pta5 WHERE PartID = 0").toInt(), 0);
    EXPECT_GE(Value(product, "SELECT LastID FROM LastID WHERE NameID = 'Pta5'").toLongLong(),
              Value(product, "SELECT max(PartID) FROM Pta5").toLongLong());
    EXPECT_EQ(Value(product, "SELECT count(*) FROM Alt5 WHERE AltID = 0").toInt(), 1);
    EXPECT_EQ(Value(product, "SELECT count(*) FROM AltG5 WHERE PartID = 0").toInt(), 0);
    EXPECT_EQ(Value(product, "SELECT count(*) FROM PriceList WHERE BrandID = 5").toInt(), 0);
    EXPECT_EQ(Value(product, "PRAGMA integrity_check").toString(), "ok");
}

class KillAndRerun : public ::testing::TestWithParam<KillPoint> {};

TEST_P(KillAndRerun, TheNextRunConvergesOnTheUninterruptedResult) {
    const KillPoint& point = GetParam();
    Workspace workspace;
    demo::DemoOptions options;
    options.dir = workspace.Path("start");
    options.parts = 20000;
    options.chunkRows = 4000;
    const demo::DemoResult demo = demo::WriteDemo(options);
    const int32_t originalMax = Value(demo.productPath, "SELECT max(PartID) FROM Pta5").toInt();
    const auto copy = [&](const QString& name) {
        const QString product = workspace.Path(name + ".db");
        const QString list = workspace.Path(name + "-list.db");
        EXPECT_TRUE(QFile::copy(demo.productPath, product));
        EXPECT_TRUE(QFile::copy(demo.priceListPath, list));
        return QStringList{"--price-list", list, "--data", product, "--reorganise"};
    };

    const QStringList baseline = copy("baseline");
    ASSERT_EQ(RunVelthorn(baseline).exitCode, 0);
    const QStringList interrupted = copy("interrupted");

    QProcess process;
    process.setReadChannel(QProcess::StandardError);
    process.start(Program("velthorn"), interrupted);
    ASSERT_TRUE(process.waitForStarted());
    int seen = 0;
    QByteArray pending;
    bool killed = false;
    while (!killed && process.state() == QProcess::Running) {
        process.waitForReadyRead(20);
        pending += process.readAllStandardError();
        qsizetype newline;
        while ((newline = pending.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(pending.left(newline));
            pending.remove(0, newline + 1);
            if (line.startsWith(QString::fromUtf8(point.progress)) && ++seen == point.occurrence) {
                QThread::msleep(static_cast<unsigned long>(point.delayMs));
                process.kill();
                killed = true;
                break;
            }
        }
    }
    process.waitForFinished();
    ASSERT_TRUE(killed) << "the run ended before " << point.name;
    EXPECT_EQ(process.exitStatus(), QProcess::CrashExit);

    const Outcome rerun = RunVelthorn(interrupted);
    ASSERT_EQ(rerun.exitCode, 0) << rerun.err.toStdString();
    ExpectSound(interrupted[3], originalMax);
    const QStringList expected = Content(baseline[3], baseline[1]);
    const QStringList actual = Content(interrupted[3], interrupted[1]);
    EXPECT_EQ(actual.size(), expected.size());
    for (int i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        ASSERT_EQ(actual[i], expected[i]) << "line " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Stages, KillAndRerun, ::testing::ValuesIn(kKillPoints),
                         [](const auto& info) { return std::string(info.param.name); });

// --- bad input

class BadInput : public ::testing::Test {
  protected:
    void Make(const char* version = "V.31") {
        {
            demo::ProductWriter product(workspace.product(), version);
            product.AddPart(Part(1, "", "A1", "10", "10"));
            product.AddPart(Part(2, "", "A2", "20", "20"));
            product.AddPart(Part(3, "", "A3", "30", "30"));
            product.SetCounter("Pta5", 3);
        }
        demo::WritePriceListChunks(workspace.priceList(),
                                   {{1,
                                     {ListRow("", "A1", "11", "11"), ListRow("", "A2", "22", "22"),
                                      ListRow("", "A3", "33", "33")}}});
    }
    Outcome Run() {
        return RunVelthorn({"--price-list", workspace.priceList(), "--data", workspace.product()});
    }
    // The first row is kept, the second (the bad one) and the third untouched.
    void ExpectFailedAtTheSecondRow(const Outcome& outcome, const QString& reason) {
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_EQ(outcome.out, QStringLiteral("ไม่สามรถบันทึกได้\n"));
        EXPECT_TRUE(outcome.err.contains(reason)) << outcome.err.toStdString();
        EXPECT_EQ(Rows(workspace.product(), "SELECT PartNO, Price FROM Pta5 ORDER BY PartID"),
                  QStringList({"A1|11", "A2|20", "A3|30"}));
    }
    Workspace workspace;
};

TEST_F(BadInput, NullInAnyColumnOfAListRow) {
    for (const char* column : {"Kind", "PartNO", "PartNew", "FPartNew", "lKind", "lAtNO", "AKind",
                               "AltNO", "EName", "TName", "Model", "Import", "Price", "Sale"}) {
        SCOPED_TRACE(column);
        Make();
        Exec(workspace.priceList(),
             QString("UPDATE PriceList_1 SET %1 = NULL WHERE PartNO = 'A2'").arg(column));
        const Outcome outcome = Run();
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_TRUE(outcome.err.contains(QString("column %1 is null").arg(column)))
            << outcome.err.toStdString();
        EXPECT_TRUE(outcome.err.contains("PriceList_1")) << outcome.err.toStdString();
        // Columns the transfer reads fail there, at the second row (a null number sorts first);
        // the others at the check, after the transfer.
        const bool readByTransfer = QString(column) != "PartNew" && QString(column) != "FPartNew";
        EXPECT_EQ(Value(workspace.product(), "SELECT Price FROM Pta5 WHERE PartID = 1").toInt(),
                  QString(column) == "PartNO" ? 10 : 11);
        EXPECT_EQ(Value(workspace.product(), "SELECT Price FROM Pta5 WHERE PartID = 3").toInt(),
                  readByTransfer ? 30 : 33);
    }
}

TEST_F(BadInput, AmountsThatAreNoPrices) {
    struct Case {
        const char* value;
        const char* reason;
    };
    for (const Case& c :
         {Case{"'12,50'", "is not an amount"}, Case{"'abc'", "is not an amount"},
          Case{"-5", "negative amount"}, Case{"1e20", "beyond the currency range"}}) {
        SCOPED_TRACE(c.value);
        Make();
        Exec(workspace.priceList(),
             QString("UPDATE PriceList_1 SET Price = %1 WHERE PartNO = 'A2'").arg(c.value));
        ExpectFailedAtTheSecondRow(Run(), c.reason);
    }
}

TEST_F(BadInput, EmptyPartNumberAndOverlongThaiName) {
    Make();
    Exec(workspace.priceList(), "UPDATE PriceList_1 SET PartNO = '  ' WHERE PartNO = 'A2'");
    Outcome outcome = Run();
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.err.contains("PartNO is empty")) << outcome.err.toStdString();

    Make();
    Exec(workspace.priceList(), QString("UPDATE PriceList_1 SET TName = '%1' WHERE PartNO = 'A2'")
                                    .arg(QString(40000, QChar(0x0E40))));
    ExpectFailedAtTheSecondRow(Run(), "too long for its search key");
}

TEST_F(BadInput, ChunkIndexThatDoesNotFit) {
    Make();
    Exec(workspace.priceList(), "INSERT INTO PriceList_Count VALUES (40000)");
    Outcome outcome = Run();
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.err.contains("16-bit")) << outcome.err.toStdString();

    Make();
    Exec(workspace.priceList(), "INSERT INTO PriceList_Count VALUES (7)");
    outcome = Run();
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.err.contains("no such table: PriceList_7")) << outcome.err.toStdString();
    // Chunk 1 went through before the missing chunk 7 was met.
    EXPECT_EQ(Rows(workspace.product(), "SELECT Price FROM Pta5 ORDER BY PartID"),
              QStringList({"11", "22", "33"}));
}

TEST_F(BadInput, QuotesInEveryTextColumnAreMerged) {
    Make();
    Exec(
        workspace.priceList(),
        "UPDATE PriceList_1 SET Kind = '''', PartNO = 'A''2', PartNew = 'A''2', FPartNew = 'A''2', "
        "lKind = 'L''', lAtNO = 'R''1', AKind = 'K''', AltNO = 'T''1', EName = 'O''RING', "
        "TName = 'ท''', Model = 'M''', Import = 'Y''' WHERE PartNO = 'A2'");
    const Outcome outcome = Run();
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    EXPECT_EQ(
        Rows(workspace.product(),
             "SELECT Kind, PartNO, EName, TName, Model, Import, Price FROM Pta5 WHERE PartID > 3 "
             "ORDER BY PartID"),
        QStringList({QStringLiteral("'|A'2|O'RING|ท'|M'|Y'|22"),
                     QStringLiteral("L'|R'1|O'RING|ท'|M'||22"),
                     QStringLiteral("K'|T'1|O'RING|ท'|M'|Y'|22")}));
}

TEST_F(BadInput, ProductDatabaseMissingWhatItsVersionNeeds) {
    Make();
    Exec(workspace.product(), "ALTER TABLE SPG DROP COLUMN Model");
    Outcome outcome = Run();
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.err.contains("Model")) << outcome.err.toStdString();

    Make();
    Exec(workspace.product(), "DROP TABLE Alt5");
    outcome = Run();
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.err.contains("no such table: Alt5")) << outcome.err.toStdString();
}

TEST_F(BadInput, PriceListThatIsAProductDatabase) {
    Make();
    const Outcome outcome =
        RunVelthorn({"--price-list", workspace.product(), "--data", workspace.product()});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.err.contains("no such table: PriceList_Count"))
        << outcome.err.toStdString();
}

TEST_F(BadInput, ReadOnlyProductFile) {
    Make();
    QFile::setPermissions(workspace.product(),
                          QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QStringList prefix;
    QString program = Program("velthorn");
    if (geteuid() == 0) {
        // Root writes any file: the run is made by an ordinary user instead, with a copy of the
        // program where that user may run it.
        QFile::setPermissions(workspace.priceList(), QFile::Permissions(0x6666));
        QFile::setPermissions(workspace.Path(""), QFile::Permissions(0x7777));
        program = workspace.Path("velthorn");
        ASSERT_TRUE(QFile::copy(Program("velthorn"), program));
        QFile::setPermissions(program, QFile::Permissions(0x7555));
        prefix = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    }
    const Outcome outcome =
        RunProgram(program, {"--price-list", workspace.priceList(), "--data", workspace.product()},
                   prefix, workspace.Path(""));
    EXPECT_EQ(outcome.exitCode, 1) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains("read-only")) << outcome.err.toStdString();
    EXPECT_EQ(Rows(workspace.product(), "SELECT Price FROM Pta5 ORDER BY PartID"),
              QStringList({"10", "20", "30"}));
}

TEST_F(BadInput, DatabaseLockedLongerThanTheTimeOut) {
    Make();
    QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other-writer");
    other.setDatabaseName(workspace.product());
    ASSERT_TRUE(other.open());
    {
        QSqlQuery hold(other);
        ASSERT_TRUE(hold.exec("BEGIN IMMEDIATE")) << hold.lastError().text().toStdString();
        QElapsedTimer clock;
        clock.start();
        const Outcome outcome = Run();
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_TRUE(outcome.err.contains("locked")) << outcome.err.toStdString();
        EXPECT_GE(clock.elapsed(), 19000);  // it waited the command time-out
        ASSERT_TRUE(hold.exec("ROLLBACK"));
    }
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase("other-writer");
    EXPECT_EQ(Rows(workspace.product(), "SELECT Price FROM Pta5 ORDER BY PartID"),
              QStringList({"10", "20", "30"}));
}

TEST(DatabaseInUse, AReaderDoesNotBlockTheRunAndSeesConsistentData) {
    Workspace workspace;
    demo::DemoOptions options;
    options.dir = workspace.Path("");
    options.parts = 3000;
    demo::WriteDemo(options);
    const QString sum = "SELECT sum(Price) || '/' || count(*) FROM Pta5";
    const QString before = Value(workspace.product(), sum).toString();
    QSqlDatabase reader = QSqlDatabase::addDatabase("QSQLITE", "shop-application");
    reader.setDatabaseName(workspace.product());
    ASSERT_TRUE(reader.open());
    {
        QSqlQuery query(reader);
        ASSERT_TRUE(query.exec("BEGIN"));
        ASSERT_TRUE(query.exec(sum) && query.next());
        EXPECT_EQ(query.value(0).toString(), before);
        const Outcome outcome =
            RunVelthorn({"--price-list", workspace.priceList(), "--data", workspace.product()});
        EXPECT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
        // Within its transaction the reader still sees the database as it was.
        ASSERT_TRUE(query.exec(sum) && query.next());
        EXPECT_EQ(query.value(0).toString(), before);
        ASSERT_TRUE(query.exec("COMMIT"));
        ASSERT_TRUE(query.exec(sum) && query.next());
        EXPECT_NE(query.value(0).toString(), before);
    }
    reader.close();
    reader = QSqlDatabase();
    QSqlDatabase::removeDatabase("shop-application");
}

TEST(Secrets, PasswordsStayOutOfDetailsAndTraces) {
    Workspace workspace;
    demo::WritePriceList(workspace.priceList(), {});
    const QString trace = workspace.Path("trace.sql");
    const Outcome outcome =
        RunVelthorn({"--price-list", workspace.priceList(), "--server", "nowhere", "--database",
                     "stock", "--login", "sa", "--password", "Hunter2-secret", "--trace", trace});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_FALSE(outcome.err.contains("Hunter2-secret")) << outcome.err.toStdString();
    EXPECT_FALSE(outcome.out.contains("Hunter2-secret"));
    QFile file(trace);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("pwd=********"));
    EXPECT_FALSE(text.contains("Hunter2-secret"));
    EXPECT_FALSE(text.contains("PLW528"));
}

}  // namespace
