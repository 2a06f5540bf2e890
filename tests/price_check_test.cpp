// The price check against the list, the second pass it feeds, and the change report.
#include <gtest/gtest.h>

#include "db/Error.h"
#include "schema/Currency.h"
#include "support/TestSupport.h"

using namespace velthorn;
using namespace velthorn::test;

namespace {

class PriceCheckTest : public ::testing::Test {
  protected:
    void Make(const char* version, const std::vector<demo::PartRecord>& parts,
              const std::vector<demo::ListRecord>& list) {
        {
            demo::ProductWriter product(workspace.product(), version);
            for (const demo::PartRecord& part : parts)
                product.AddPart(part);
        }
        demo::WritePriceListChunks(workspace.priceList(), {{1, list}});
        fixture = std::make_unique<FormFixture>(workspace);
        fixture->Open();
    }
    QStringList SecondPass() {
        fixture->form.cnPriceList->Settle();
        return Rows(workspace.priceList(), "SELECT Kind, PartNO, Price, Sale FROM PriceListAll");
    }
    QStringList ReportLine(int row) {
        QStringList cells;
        for (int col = 1; col <= 7; ++col)
            cells << fixture->view.GridText(row, col);
        return cells;
    }
    Workspace workspace;
    std::unique_ptr<FormFixture> fixture;
};

TEST_F(PriceCheckTest, DifferenceRuleDecidesSecondPassAndReport) {
    struct Case {
        const char* name;
        const char* storedPrice;
        const char* storedSale;
        const char* listPrice;
        const char* listSale;
        bool stored;       // the part exists
        QStringList line;  // report columns 2, 3, 6, 7; empty: no line
    };
    const std::vector<Case> cases = {
        {"equal", "100", "90", "100", "90", true, {}},
        {"100 against 100.0000", "100.0000", "90", "100", "90.00", true, {}},
        {"price differs", "100", "90", "120", "90", true, {"", "A-P2", "100", "120"}},
        {"sale differs", "100", "90", "100", "80", true, {"", "A-P3", "90", "80"}},
        {"both differ", "100", "90", "110", "80", true, {"", "A-P4", "100", "110"}},
        {"missing", "", "", "55.5", "50", false, {"New", "A - P5", "", "55.5"}},
        {"list sale 0, stored sale = price",
         "100",
         "100",
         "100",
         "0",
         true,
         {"", "A-P6", "100", "0"}},
    };
    std::vector<demo::PartRecord> parts;
    std::vector<demo::ListRecord> list;
    for (size_t i = 0; i < cases.size(); ++i) {
        const QString number = "P" + QString::number(i);
        if (cases[i].stored) {
            demo::PartRecord part = Part(static_cast<int32_t>(i + 1), "A", number,
                                         cases[i].storedPrice, cases[i].storedSale);
            parts.push_back(part);
        }
        list.push_back(ListRow("A", number, cases[i].listPrice, cases[i].listSale));
    }
    Make("V.31", parts, list);
    // A stored amount read back as a real number compares exactly too.
    Exec(workspace.product(), "UPDATE Pta5 SET Price = 100.0 WHERE PartID = 2");
    fixture->form.CheckPrices();
    EXPECT_EQ(SecondPass(), QStringList({"A|P2|120|90", "A|P3|100|80", "A|P4|110|80",
                                         "A|P5|55.5|50", "A|P6|100|0"}));
    EXPECT_EQ(fixture->form.HasPriceListAll(), 1);
    fixture->form.ComparePrices();
    int row = 1;
    for (const Case& c : cases) {
        if (c.line.isEmpty()) continue;
        SCOPED_TRACE(c.name);
        const QStringList cells = ReportLine(row);
        EXPECT_EQ(cells[0], QString::number(row));
        EXPECT_EQ(QStringList({cells[1], cells[2], cells[5], cells[6]}), c.line);
        EXPECT_EQ(cells[3], QStringLiteral("ชื่อใหม่"));
        EXPECT_EQ(cells[4], "MIRA");
        ++row;
    }
    EXPECT_TRUE(fixture->view.GridText(row, 1).isEmpty());
    EXPECT_EQ(fixture->view.Text(Control::txtPartNO), QStringLiteral("A-P6 - ชื่อใหม่  MIRA"));
}

TEST_F(PriceCheckTest, LookupFollowsTheVersion) {
    struct Case {
        const char* version;
        const char* expected;
    };
    for (const Case& c :
         {Case{"P.45 (Bar)",
               "Select Price1, Sale1 From Pta5 Where Kind = 'A' And FPartNO = '1234'"},
          Case{"P.65 (Bar)", "Select Price, Sale From Pta5 Where Kind = 'A' And FPartNO = '1234'"},
          Case{"P.52", "Select Price, Sale From Pta5 Where Kind = 'A' And PartNO = '12-34'"}}) {
        SCOPED_TRACE(c.version);
        workspace = Workspace();
        Make(c.version, {Part(1, "A", "12-34", "100", "90")}, {ListRow("A", "12-34", "100", "90")});
        StatementRecorder recorder;
        fixture->form.CheckPrices();
        EXPECT_EQ(recorder.On("cnData"), QStringList({c.expected}));
        EXPECT_TRUE(SecondPass().isEmpty());
        fixture.reset();
    }
}

TEST_F(PriceCheckTest, ProgressAndTheEmptyIndex) {
    Make("V.31", {Part(1, "", "1")}, {ListRow("", "1", "100", "90"), ListRow("", "2")});
    fixture->form.CheckPrices();
    EXPECT_EQ(fixture->view.progress,
              QStringList({QStringLiteral("กำลังครวจสอบข้อมูล  DAIHATSU"),
                           QStringLiteral("กำลังตรวจสอบข้อมูล  DAIHATSU_1  50 %"),
                           QStringLiteral("กำลังตรวจสอบข้อมูล  DAIHATSU_1  100 %"),
                           QStringLiteral("กำลังตรวจสอบข้อมูล  DAIHATSU  100 %")}));
    EXPECT_EQ(SecondPass(), QStringList({"|2|100|90"}));

    fixture->form.cnPriceList->Settle();
    Exec(workspace.priceList(), "DELETE FROM PriceList_Count");
    fixture->view.progress.clear();
    fixture->form.CheckPrices();
    EXPECT_TRUE(SecondPass().isEmpty());
    EXPECT_EQ(fixture->form.HasPriceListAll(), 0);
    EXPECT_EQ(fixture->view.progress,
              QStringList({QStringLiteral("กำลังครวจสอบข้อมูล  DAIHATSU"),
                           QStringLiteral("กำลังตรวจสอบข้อมูล  DAIHATSU  100 %")}));
}

TEST_F(PriceCheckTest, GridGrowsOneRowAtATimeAndALaterReportStartsClean) {
    std::vector<demo::ListRecord> list;
    for (int i = 0; i < 30; ++i)
        list.push_back(ListRow("", QString("N%1").arg(i, 2, 10, QChar('0'))));
    Make("V.31", {}, list);
    fixture->form.ComparePrices();
    EXPECT_EQ(fixture->view.GridRows(), 32);
    EXPECT_EQ(fixture->view.GridText(28, 3), "N27");
    EXPECT_EQ(fixture->view.GridText(30, 1), "30");
    EXPECT_EQ(fixture->view.GridText(0, 6), QStringLiteral("    ราคาเก่า"));

    // Now only two parts are still missing: nothing of the longer report stays below them.
    Exec(workspace.priceList(), "DELETE FROM PriceList_1 WHERE PartNO > 'N01'");
    fixture->form.ComparePrices();
    EXPECT_EQ(fixture->view.GridRows(), 30);
    EXPECT_EQ(fixture->view.GridText(2, 3), "N01");
    for (int row = 3; row < 30; ++row)
        EXPECT_TRUE(fixture->view.GridText(row, 3).isEmpty()) << row;
    EXPECT_EQ(fixture->view.GridColWidth(4), 4645);
}

TEST_F(PriceCheckTest, SecondPassInsertThatNeverReadsBackIsAnError) {
    Make("V.31", {}, {ListRow("", "1")});
    Exec(workspace.priceList(),
         "CREATE TRIGGER drop_all AFTER INSERT ON PriceListAll BEGIN "
         "DELETE FROM PriceListAll WHERE rowid = NEW.rowid; END");
    StatementRecorder recorder;
    EXPECT_THROW(fixture->form.CheckPrices(), VelthornError);
    EXPECT_EQ(recorder.On("cnPriceList").filter("Insert Into PriceListAll").size(),
              kReadBackAttempts);
}

}  // namespace
