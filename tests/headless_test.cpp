// The headless run as other programs use it: exit statuses, the end message on standard output,
// the detail on standard error, the report as a table and as CSV, the trace.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "support/TestSupport.h"

using namespace velthorn;
using namespace velthorn::test;

namespace {

class HeadlessTest : public ::testing::Test {
  protected:
    void Demo(const char* version = "P.64 (Bar)") {
        demo::DemoOptions options;
        options.dir = workspace.Path("");
        options.version = version;
        options.parts = 1200;
        options.chunkRows = 500;
        demo::WriteDemo(options);
    }
    QStringList Paths() const {
        return {"--price-list", workspace.priceList(), "--data", workspace.product()};
    }
    Workspace workspace;
};

TEST_F(HeadlessTest, UsageHelpAndVersion) {
    EXPECT_EQ(RunVelthorn({"--help"}).exitCode, 0);
    EXPECT_TRUE(RunVelthorn({"--help"}).out.contains("--price-list FILE --data FILE"));
    EXPECT_TRUE(RunVelthorn({"--version"}).out.startsWith("velthorn "));
    for (const QStringList& bad :
         {QStringList{"--bogus"}, QStringList{"--data", "x"}, QStringList{"--price-list", "x"},
          QStringList{"--price-list"},
          QStringList{"--price-list", "x", "--data", "y", "--server", "s"}}) {
        const Outcome result = RunVelthorn(bad);
        EXPECT_EQ(result.exitCode, 64) << bad.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains("usage:"));
    }
}

TEST_F(HeadlessTest, StoppedBeforeMergingExitsTwoWithTheMessage) {
    Demo();
    struct Case {
        const char* name;
        QStringList arguments;
        QString message;
    };
    const QString missing = workspace.Path("none.db");
    std::vector<Case> cases = {
        {"price list missing",
         {"--price-list", missing, "--data", workspace.product()},
         QStringLiteral("ที่จัดเก็บข้อมูล  PriceList_DAIHATSU.mdb  หาไม่พบ")},
        {"product missing",
         {"--price-list", workspace.priceList(), "--data", missing},
         QStringLiteral("ที่จัดเก็บข้อมูล  Sarnovik.mdb  หาไม่พบ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome result = RunVelthorn(c.arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, c.message + "\n");
    }
    Exec(workspace.product(), "UPDATE System SET Ver = 'P.99'");
    Outcome result = RunVelthorn(Paths());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(
        result.out,
        QStringLiteral("กำหนด Vertion ของฐานข้อมูลผิด  ให้ติดต่อผู้ติดตั้งระบบ  หรือ  ผู้จำหน่าย Dovrantel\n"));
    Exec(workspace.product(), "UPDATE System SET Ver = 'P.64 (Bar)'");
    Exec(workspace.product(), "UPDATE Brand SET BrandName = 'OTHER' WHERE BrandID = 5");
    result = RunVelthorn(Paths());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, QStringLiteral("ไม่สามารถหา Files DAIHATSU ไม่สามารถบันทึกได้\n"));
}

TEST_F(HeadlessTest, FailureExitsOneWithTheReasonOnStandardError) {
    Demo();
    Exec(workspace.product(), "DROP TABLE SPG");
    const Outcome result = RunVelthorn(Paths());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, QStringLiteral("ไม่สามรถบันทึกได้\n"));
    EXPECT_TRUE(result.err.contains("no such table: SPG")) << result.err.toStdString();
}

TEST_F(HeadlessTest, FinishedRunPrintsTheReportAndWritesItAsCsv) {
    Demo();
    const QString csv = workspace.Path("report.csv");
    const QString trace = workspace.Path("trace.sql");
    const Outcome result =
        RunVelthorn(Paths() + QStringList{"--report", csv, "--trace", trace, "--reorganise"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    // The end message, the report, a blank line and the run's summary.
    const QStringList sections = result.out.split("\n\n");
    ASSERT_EQ(sections.size(), 2) << result.out.toStdString();
    const QStringList out = sections[0].split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(out.size(), 3);
    EXPECT_TRUE(sections[1].startsWith(QStringLiteral("สรุปการทำงาน\n")));
    EXPECT_TRUE(
        sections[1].contains(QStringLiteral("ราคาที่ยังต่างจากรายการ  %1  รายการ").arg(out.size() - 2)))
        << sections[1].toStdString();
    EXPECT_EQ(out[0], QStringLiteral("เสร็จแล้วจ้า"));
    EXPECT_TRUE(out[1].startsWith(QStringLiteral("ลำดับ  สินค้าใหม่  รหัสสินค้า")))
        << out[1].toStdString();
    EXPECT_TRUE(out[2].startsWith("1 ")) << out[2].toStdString();
    // Progress went to standard error, the last stage being the regrouping.
    EXPECT_TRUE(result.err.contains(QStringLiteral("กำลังเปลี่ยนราคา  DAIHATSU_1")));
    EXPECT_TRUE(result.err.contains(QStringLiteral("จัดระเบียบเบอร์แทนใหม่  DAIHATSU")));

    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.first(), QStringLiteral("ลำดับ,สินค้าใหม่,รหัสสินค้า,รายการ,รุ่น,ราคาเก่า,ราคาใหม่"));
    EXPECT_EQ(lines.size(), out.size() - 1);  // heading and lines, without the end message
    EXPECT_TRUE(lines[1].startsWith("1,"));

    const QFileInfo info(trace);
    EXPECT_EQ(info.permissions() &
                  (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());
    QFile traced(trace);
    ASSERT_TRUE(traced.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(traced.readAll());
    EXPECT_TRUE(text.contains("/* cnData */ Select Ver From System ;"));
    EXPECT_TRUE(text.contains("PWD=********"));
    EXPECT_FALSE(text.contains("KXR584762"));
    EXPECT_FALSE(text.contains("PLW528"));
}

TEST_F(HeadlessTest, RunningTheSameListAgainSettles) {
    Demo("V.31");
    // The first run inserts replacement numbers without the import flag, which the next run's
    // update then writes; from there on a run changes nothing.
    ASSERT_EQ(RunVelthorn(Paths()).exitCode, 0);
    ASSERT_EQ(RunVelthorn(Paths()).exitCode, 0);
    const QStringList after = Rows(workspace.product(), "SELECT * FROM Pta5 ORDER BY PartID");
    const Outcome again = RunVelthorn(Paths());
    ASSERT_EQ(again.exitCode, 0);
    EXPECT_EQ(Rows(workspace.product(), "SELECT * FROM Pta5 ORDER BY PartID"), after);
    // No report: the end message is followed by the summary alone, with nothing added.
    EXPECT_TRUE(again.out.startsWith(QStringLiteral("เสร็จแล้วจ้า\n\nสรุปการทำงาน\n")))
        << again.out.toStdString();
    EXPECT_TRUE(again.out.contains(QStringLiteral("เพิ่มสินค้าใหม่  0  รายการ")));
}

}  // namespace
