// What the old tool never gave shops: a summary of every run, a preview that changes nothing, a
// backup before writing and the way back to it.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "support/TestSupport.h"

using namespace velthorn;
using namespace velthorn::test;

namespace {

QByteArray Hash(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

// The number that follows a summary line's label.
qint64 Count(const QString& out, const QString& label) {
    const QRegularExpression pattern(QRegularExpression::escape(label) + "\\s+([0-9,]+)");
    const QRegularExpressionMatch match = pattern.match(out);
    EXPECT_TRUE(match.hasMatch()) << label.toStdString() << " in " << out.toStdString();
    return match.captured(1).remove(',').toLongLong();
}

class SafeguardsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        demo::DemoOptions options;
        options.dir = workspace.Path("");
        options.version = "V.31";
        options.parts = 3000;
        options.chunkRows = 1000;
        demo::WriteDemo(options);
    }
    QStringList Paths() const {
        return {"--price-list", workspace.priceList(), "--data", workspace.product()};
    }
    QStringList Backups() const {
        return QDir(workspace.Path("")).entryList({"Sarnovik.db.*.bak"}, QDir::Files, QDir::Name);
    }
    Workspace workspace;
};

TEST_F(SafeguardsTest, SummaryCountsWhatTheRunDid) {
    const qint64 partsBefore = Value(workspace.product(), "SELECT count(*) FROM Pta5").toLongLong();
    const QStringList chunks = Rows(workspace.priceList(), "SELECT Count FROM PriceList_Count");
    ASSERT_EQ(chunks.size(), 3);
    qint64 rows = 0;
    for (const QString& n : chunks) {
        rows += Value(workspace.priceList(), "SELECT count(*) FROM PriceList_" + n).toLongLong();
    }
    const Outcome outcome = RunVelthorn(Paths());
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    const QString& out = outcome.out;

    EXPECT_EQ(Count(out, QStringLiteral("อ่านรายการราคา")), rows);
    const qint64 own = Count(out, QStringLiteral("เบอร์หลัก"));
    const qint64 replacement = Count(out, QStringLiteral("เบอร์แทน"));
    const qint64 alternate = Count(out, QStringLiteral("เบอร์เทียบ"));
    EXPECT_EQ(Count(out, QStringLiteral("เพิ่มสินค้าใหม่")), own + replacement + alternate);
    EXPECT_EQ(own + replacement + alternate,
              Value(workspace.product(), "SELECT count(*) FROM Pta5").toLongLong() - partsBefore);
    EXPECT_GT(replacement, 0);
    EXPECT_GT(alternate, 0);
    // Every staged row with a replacement or an alternate number had its group written.
    EXPECT_EQ(Count(out, QStringLiteral("จัดกลุ่มเบอร์แทนใหม่")), replacement + alternate);
    EXPECT_EQ(Count(out, QStringLiteral("ส่งปรับราคารอบสอง")),
              Value(workspace.priceList(), "SELECT count(*) FROM PriceListAll").toLongLong());
    EXPECT_EQ(Count(out, QStringLiteral("ราคาที่ยังต่างจากรายการ")), 0);
    // Protected rows merged: every list row naming a protected part, in both passes.
    const QStringList locked =
        Rows(workspace.product(), "SELECT Kind, PartNO FROM Pta5 WHERE UpRec <> 0");
    QStringList named;
    for (const QString& n : chunks) {
        named += Rows(workspace.priceList(), "SELECT Kind, PartNO FROM PriceList_" + n);
    }
    named += Rows(workspace.priceList(), "SELECT Kind, PartNO FROM PriceListAll");
    qint64 expectedLocked = 0;
    for (const QString& row : named)
        expectedLocked += locked.contains(row) ? 1 : 0;
    EXPECT_GT(expectedLocked, 0);
    EXPECT_EQ(Count(out, QStringLiteral("ล็อกไว้ ปรับเฉพาะราคา")), expectedLocked);
}

TEST_F(SafeguardsTest, PreviewReportsWhatTheRunWouldDoAndChangesNothing) {
    const QByteArray product = Hash(workspace.product());
    const QByteArray list = Hash(workspace.priceList());
    const Outcome preview = RunVelthorn(Paths() + QStringList{"--preview", "--reorganise"});
    ASSERT_EQ(preview.exitCode, 0) << preview.err.toStdString();
    EXPECT_TRUE(preview.out.contains(QStringLiteral("ทดลองดูผลเท่านั้น")));
    EXPECT_EQ(Hash(workspace.product()), product);
    EXPECT_EQ(Hash(workspace.priceList()), list);
    EXPECT_TRUE(Backups().isEmpty());

    const Outcome real = RunVelthorn(Paths() + QStringList{"--reorganise"});
    ASSERT_EQ(real.exitCode, 0) << real.err.toStdString();
    EXPECT_NE(Hash(workspace.product()), product);
    // The same report and the same counts; the preview says it was one, the run names its backup.
    QStringList previewLines = preview.out.split('\n');
    previewLines.removeIf(
        [](const QString& line) { return line.startsWith(QStringLiteral("ทดลองดูผล")); });
    QStringList realLines = real.out.split('\n');
    realLines.removeIf(
        [](const QString& line) { return line.startsWith(QStringLiteral("สำรองข้อมูล")); });
    EXPECT_EQ(previewLines, realLines);
}

TEST_F(SafeguardsTest, BackupBeforeWritingKeepsTheLastFive) {
    const QStringList before = Rows(workspace.product(), "SELECT * FROM Pta5 ORDER BY PartID");
    // Older backups of earlier runs, and a file of another database that only looks alike.
    const QStringList older = {
        "Sarnovik.db.20240101-080000.bak", "Sarnovik.db.20240102-080000.bak",
        "Sarnovik.db.20240103-080000.bak", "Sarnovik.db.20240104-080000.bak",
        "Sarnovik.db.20240105-080000.bak", "Sarnovik.db.20240106-080000.bak"};
    for (const QString& name : older + QStringList{"Other.db.20240101-080000.bak"}) {
        QFile file(workspace.Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const Outcome outcome = RunVelthorn(Paths());
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    const QStringList backups = Backups();
    ASSERT_EQ(backups.size(), 5);
    EXPECT_EQ(backups.mid(0, 4), older.mid(2, 4));
    const QString fresh = workspace.Path(backups.last());
    EXPECT_TRUE(outcome.out.contains(fresh)) << outcome.out.toStdString();
    EXPECT_TRUE(QFile::exists(workspace.Path("Other.db.20240101-080000.bak")));
    // The backup is the database as it was before the run, whole.
    EXPECT_EQ(Rows(fresh, "SELECT * FROM Pta5 ORDER BY PartID"), before);
    EXPECT_EQ(Value(fresh, "PRAGMA integrity_check").toString(), "ok");
    EXPECT_NE(Rows(workspace.product(), "SELECT * FROM Pta5 ORDER BY PartID"), before);

    // ...and is put back on request.
    const Outcome restored = RunVelthorn({"--restore", fresh, "--data", workspace.product()});
    ASSERT_EQ(restored.exitCode, 0) << restored.err.toStdString();
    EXPECT_EQ(Rows(workspace.product(), "SELECT * FROM Pta5 ORDER BY PartID"), before);
}

TEST_F(SafeguardsTest, RestoreTakesOnlyAProductDatabaseOfASupportedVersion) {
    const QByteArray product = Hash(workspace.product());
    const QString odd = workspace.Path("odd.bak");
    ASSERT_TRUE(QFile::copy(workspace.product(), odd));
    Exec(odd, "UPDATE System SET Ver = 'P.99'");
    struct Case {
        QString backup;
        const char* reason;
    };
    for (const Case& c :
         {Case{workspace.priceList(), "not a product database"}, Case{odd, "supported version"},
          Case{workspace.Path("missing.bak"), "not found"}}) {
        SCOPED_TRACE(c.reason);
        const Outcome outcome = RunVelthorn({"--restore", c.backup, "--data", workspace.product()});
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_TRUE(outcome.err.contains(c.reason)) << outcome.err.toStdString();
        EXPECT_EQ(Hash(workspace.product()), product);
    }
    EXPECT_EQ(RunVelthorn({"--restore", odd}).exitCode, 64);
}

}  // namespace
