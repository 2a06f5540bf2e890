// The update run the button starts: its path checks, its five ends, and a whole run end to end.
#include <gtest/gtest.h>

#include <QFile>

#include "support/TestSupport.h"
#include "window/Texts.h"

using namespace velthorn;
using namespace velthorn::test;

namespace {

class UpdateRunTest : public ::testing::Test {
  protected:
    void Databases(const char* version = "P.64 (Bar)", const char* brand = "DAIHATSU") {
        {
            demo::ProductWriter product(workspace.product(), version, 5, brand);
            product.AddPart(Part(1, "A", "10-01", "100", "90"));
            product.AddPart(Part(2, "A", "10-02", "200", "180"));
            product.SetCounter("Pta5", 2);
        }
        demo::ListRecord twin = ListRow("A", "10 01", "120", "120");
        demo::ListRecord changed = ListRow("A", "10-01", "110", "100");
        demo::ListRecord withReplacement = ListRow("A", "10-02", "200", "180");
        withReplacement.lKind = "A";
        withReplacement.lAtNO = "10-04";
        demo::ListRecord fresh = ListRow("A", "10-03", "50", "0");
        demo::WritePriceListChunks(workspace.priceList(),
                                   {{1, {twin, changed, withReplacement, fresh}}});
    }
    void Click() { fixture.form.cmdUpDate_Click(); }
    const Message& OnlyMessage() {
        EXPECT_EQ(fixture.view.messages.size(), 1u);
        return fixture.view.messages.back();
    }
    void ExpectRestored() {
        EXPECT_EQ(fixture.view.MousePointer(), vbArrow);
        EXPECT_TRUE(fixture.view.Enabled(Control::cmdUpDate));
    }
    Workspace workspace;
    FormFixture fixture{workspace};
};

TEST_F(UpdateRunTest, PathChecksNameTheBrandsFileWhateverWasTyped) {
    Databases();
    struct Case {
        const char* name;
        QString priceList;
        bool access;
        QString data;
        QString message;
    };
    const std::vector<Case> cases = {
        {"no price list", "   ", true, workspace.product(),
         QStringLiteral("ยังมิได้กำหนดที่อยู่ข้อมูล  PriceList_DAIHATSU.mdb")},
        {"price list missing", "/no/such/list.mdb", true, workspace.product(),
         QStringLiteral("ที่จัดเก็บข้อมูล  PriceList_DAIHATSU.mdb  หาไม่พบ")},
        {"price list is a folder", workspace.Path(""), true, workspace.product(),
         QStringLiteral("ที่จัดเก็บข้อมูล  PriceList_DAIHATSU.mdb  หาไม่พบ")},
        {"no product path", workspace.priceList(), true, "  ", QStringLiteral("ยังมิได้กำหนดที่อยู่ข้อมูล")},
        {"accdb missing", workspace.priceList(), true, "/no/Sarnovik.accdb ",
         QStringLiteral("ที่จัดเก็บข้อมูล  Sarnovik.accdb  หาไม่พบ")},
        {"capital extension", workspace.priceList(), true, "/no/Sarnovik.ACCDB",
         QStringLiteral("ที่จัดเก็บข้อมูล  Sarnovik.mdb  หาไม่พบ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingView view;
        frmCorvatel form(view);
        form.Form_Load();
        view.SetText(Control::txtPriceList, c.priceList);
        view.SetText(Control::txtDataSarnovik, c.data);
        form.cmdUpDate_Click();
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0].text, c.message);
        EXPECT_EQ(view.messages[0].icon, vbExclamation);
        EXPECT_EQ(form.lastRunEnd(), RunEnd::PathMessage);
        EXPECT_TRUE(form.cnPriceList.IsNothing());
        EXPECT_EQ(view.MousePointer(), vbArrow);
        EXPECT_TRUE(view.Enabled(Control::cmdUpDate));
    }
}

TEST_F(UpdateRunTest, ServerSettingsAreNotCheckedAsPaths) {
    Databases();
    fixture.view.SetValue(Control::optSQL, 1);
    fixture.view.SetText(Control::txtDataSarnovik, "");
    Click();
    // No path message: the run goes on and fails where the server cannot be reached.
    EXPECT_EQ(OnlyMessage().text, texts::kFailed);
    EXPECT_EQ(fixture.form.lastRunEnd(), RunEnd::Failed);
}

TEST_F(UpdateRunTest, RejectedVersionClosesBothSoASecondRunWorks) {
    Databases();
    Exec(workspace.product(), "UPDATE System SET Ver = 'P.64(Bar)'");
    Click();
    EXPECT_EQ(
        OnlyMessage().text,
        QStringLiteral("กำหนด Vertion ของฐานข้อมูลผิด  ให้ติดต่อผู้ติดตั้งระบบ  หรือ  ผู้จำหน่าย Dovrantel"));
    EXPECT_EQ(OnlyMessage().icon, vbQuestion);
    EXPECT_EQ(fixture.form.lastRunEnd(), RunEnd::VersionRejected);
    EXPECT_EQ(fixture.form.cnData->State(), db::adStateClosed);
    EXPECT_EQ(fixture.form.cnPriceList->State(), db::adStateClosed);
    ExpectRestored();
    Exec(workspace.product(), "UPDATE System SET Ver = 'P.64 (Bar)'");
    fixture.view.messages.clear();
    Click();
    EXPECT_EQ(OnlyMessage().text, texts::kFinished);
}

TEST_F(UpdateRunTest, UnknownBrandStopsBeforeAnyTableIsTouched) {
    Databases("P.64 (Bar)", "TOYOTA");
    StatementRecorder recorder;
    Click();
    EXPECT_EQ(OnlyMessage().text, QStringLiteral("ไม่สามารถหา Files DAIHATSU ไม่สามารถบันทึกได้"));
    EXPECT_EQ(OnlyMessage().icon, vbQuestion);
    EXPECT_EQ(fixture.form.cnData->State(), db::adStateClosed);
    EXPECT_EQ(fixture.form.cnPriceList->State(), db::adStateClosed);
    ExpectRestored();
    for (const QString& statement : recorder.statements) {
        EXPECT_TRUE(statement.contains(": Select ")) << statement.toStdString();
    }
}

TEST_F(UpdateRunTest, FailureShowsItsMessageWithTheReasonAndKeepsTheWindowBusy) {
    Databases();
    Exec(workspace.product(), "DROP TABLE MovementStock");
    Click();
    EXPECT_EQ(OnlyMessage().text, QStringLiteral("ไม่สามรถบันทึกได้"));
    EXPECT_EQ(OnlyMessage().icon, vbOKOnly);
    EXPECT_TRUE(OnlyMessage().detail.contains("MovementStock"))
        << OnlyMessage().detail.toStdString();
    EXPECT_EQ(fixture.form.lastRunEnd(), RunEnd::Failed);
    EXPECT_EQ(fixture.view.MousePointer(), vbArrowHourglass);
    EXPECT_FALSE(fixture.view.Enabled(Control::cmdUpDate));
    EXPECT_EQ(fixture.form.rsList->State(), db::adStateClosed);
    // The first row failed and was rolled back whole; nothing of it is in the database.
    EXPECT_EQ(Rows(workspace.product(), "SELECT Price, Sale FROM Pta5 WHERE PartID = 1"),
              QStringList({"100|90"}));
}

TEST_F(UpdateRunTest, RowsBeforeAFailureStay) {
    Databases();
    Exec(workspace.product(),
         "CREATE TRIGGER refuse BEFORE UPDATE ON Pta5 WHEN OLD.PartID = 2 BEGIN "
         "SELECT RAISE(ABORT, 'part 2 is locked'); END");
    Click();
    EXPECT_EQ(OnlyMessage().text, texts::kFailed);
    EXPECT_TRUE(OnlyMessage().detail.contains("part 2 is locked"));
    EXPECT_EQ(Rows(workspace.product(), "SELECT PartID, Price, Sale FROM Pta5 ORDER BY PartID"),
              QStringList({"1|110|100", "2|200|180"}));
}

TEST_F(UpdateRunTest, WholeRunWithChangedNewAndDuplicatedRows) {
    Databases();
    fixture.view.SetValue(Control::chkLikelAt, 1);
    Click();
    EXPECT_EQ(OnlyMessage().text, QStringLiteral("เสร็จแล้วจ้า"));
    EXPECT_EQ(OnlyMessage().icon, vbOKOnly);
    EXPECT_EQ(fixture.form.lastRunEnd(), RunEnd::Finished);
    ExpectRestored();
    EXPECT_EQ(fixture.form.cnData->State(), db::adStateClosed);
    EXPECT_EQ(fixture.form.cnPriceList->State(), db::adStateClosed);
    // The twin number and the sale price 0 went through the second pass.
    EXPECT_EQ(Rows(workspace.priceList(), "SELECT Kind, PartNO, Price, Sale FROM PriceListAll"),
              QStringList({"A|10 01|120|120", "A|10-03|50|0"}));
    EXPECT_EQ(Rows(workspace.product(),
                   "SELECT PartID, Kind, PartNO, Price, Sale FROM Pta5 ORDER BY PartID"),
              QStringList({"1|A|10-01|120|120", "2|A|10-02|200|180", "3|A|10-03|50|0",
                           "4|A|10-04|200|180"}));
    // What still differs after the second pass is the report.
    const QStringList heading = {
        QStringLiteral("1"), QString(), "A-10-01", QStringLiteral("ชื่อใหม่"), "MIRA", "120", "110"};
    QStringList line;
    for (int col = 1; col <= 7; ++col)
        line << fixture.view.GridText(1, col);
    EXPECT_EQ(line, heading);
    EXPECT_TRUE(fixture.view.GridText(2, 1).isEmpty());
    // The window was enlarged and moved to the top so that the grid shows.
    EXPECT_EQ(fixture.view.Height(), 11520);
    EXPECT_EQ(fixture.view.Top(), 0);
    EXPECT_EQ(fixture.view.Left(), fixture.view.ScreenWidth() / 2 - fixture.view.Width() / 2);
    // The groups were reorganised last.
    EXPECT_EQ(fixture.view.progress.last(), QStringLiteral("จัดระเบียบเบอร์แทนใหม่  DAIHATSU"));
    EXPECT_EQ(Rows(workspace.product(),
                   "SELECT PartID, AltID FROM AltG5 WHERE PartID IN (2, 4) ORDER BY PartID"),
              QStringList({"2|0", "4|0"}));
    EXPECT_EQ(Value(workspace.product(), "SELECT count(*) FROM Alt5 WHERE AltID = 0").toInt(), 1);
}

TEST_F(UpdateRunTest, NothingLeftToCheckKeepsTheWindowCompact) {
    {
        demo::ProductWriter product(workspace.product(), "V.31");
        product.AddPart(Part(1, "", "1", "100", "90"));
    }
    demo::WritePriceListChunks(workspace.priceList(), {{1, {ListRow("", "1", "100", "90")}}});
    StatementRecorder recorder;
    Click();
    EXPECT_EQ(OnlyMessage().text, texts::kFinished);
    EXPECT_EQ(fixture.view.Height(), 4080);
    // The second pass never read PriceListAll.
    EXPECT_TRUE(recorder.On("cnPriceList").filter("Select Kind, PartNO, EName").isEmpty());
    EXPECT_TRUE(fixture.view.progress.filter(QStringLiteral("จัดระเบียบ")).isEmpty());
}

// The journal-mode byte pair of a SQLite file's header: 1 for a rollback journal, 2 for WAL.
int JournalMode(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    return static_cast<unsigned char>(file.read(19).at(18));
}

TEST_F(UpdateRunTest, FileIsSwitchedToWriteAheadLoggingOnlyWhenTheRunWrites) {
    Databases();
    Exec(workspace.product(), "PRAGMA journal_mode=DELETE");
    Exec(workspace.priceList(), "PRAGMA journal_mode=DELETE");
    Exec(workspace.product(), "UPDATE System SET Ver = 'P.99'");
    const QByteArray before = [&] {
        QFile file(workspace.product());
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    Click();
    EXPECT_EQ(fixture.form.lastRunEnd(), RunEnd::VersionRejected);
    QFile file(workspace.product());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);  // not a byte changed
    EXPECT_FALSE(QFile::exists(workspace.product() + "-wal"));

    Exec(workspace.product(), "UPDATE System SET Ver = 'P.64 (Bar)'");
    Click();
    EXPECT_EQ(fixture.form.lastRunEnd(), RunEnd::Finished);
    EXPECT_EQ(JournalMode(workspace.product()), 2);
    EXPECT_EQ(JournalMode(workspace.priceList()), 2);
}

TEST_F(UpdateRunTest, ClosingTheWindowKeepsCompletedRowsAndUndoesACutOffOne) {
    Databases();
    fixture.Open();
    db::Connection& data = *fixture.form.cnData;
    data.BeginTrans();
    data.Execute("Update Pta5 Set Price = 111 Where PartID = 1");
    data.CommitTrans();
    data.BeginTrans();
    data.Execute("Update Pta5 Set Price = 222 Where PartID = 2");
    // The window closes here, between two statements of the second row.
    fixture.form.Form_Unload();
    EXPECT_EQ(Rows(workspace.product(), "SELECT Price FROM Pta5 ORDER BY PartID"),
              QStringList({"111", "200"}));
}

TEST_F(UpdateRunTest, OpeningTheWindowSetsItsValues) {
    RecordingView view;
    frmCorvatel form(view, "ISUZU");
    form.Form_Load();
    EXPECT_EQ(view.Caption(), "Velthorn ISUZU");
    EXPECT_EQ(view.Text(Control::chkLikelAt), QStringLiteral("จัดระเบียบเบอร์แทน  ISUZU"));
    EXPECT_EQ(view.Text(Control::txtDataSarnovik), "G:\\DataSarnovik\\Sarnovik.accdb");
    EXPECT_EQ(view.Text(Control::txtPriceList), "G:\\DataSarnovik\\PriceList_ISUZU.mdb");
    EXPECT_EQ(view.Height(), 4080);
    EXPECT_EQ(view.Top(), view.ScreenHeight() / 6);
    EXPECT_EQ(view.Left(), view.ScreenWidth() / 2 - view.Width() / 2);
    EXPECT_EQ(view.GridCols(), 8);
    EXPECT_EQ(view.GridRows(), 30);
    EXPECT_EQ(view.GridFixedRows(), 1);
    EXPECT_EQ(view.GridFixedCols(), 1);
    const int widths[] = {1, 1200, 1200, 2700, 14535 - 9890, 1800, 1300, 1300};
    for (int col = 0; col < 8; ++col)
        EXPECT_EQ(view.GridColWidth(col), widths[col]) << col;
    for (int col = 1; col <= 5; ++col)
        EXPECT_EQ(view.GridColAlignment(col), flexAlignLeftCenter);
    EXPECT_EQ(view.GridText(0, 1), QStringLiteral("     ลำดับ"));
    EXPECT_EQ(view.GridText(0, 4), QStringLiteral("                                   รายการ"));
    EXPECT_EQ(view.GridText(0, 7), QStringLiteral("   ราคาใหม่"));
    EXPECT_EQ(view.Value(Control::optAccess), 1);
    EXPECT_EQ(view.Value(Control::chkComType), 1);
    EXPECT_EQ(view.Value(Control::chkLikelAt), 0);
}

}  // namespace
