// The two transfer passes over a small list: what reaches the product database, in which order,
// and what the progress line shows.
#include <gtest/gtest.h>

#include "db/Error.h"
#include "schema/Currency.h"
#include "support/TestSupport.h"

using namespace velthorn;
using namespace velthorn::test;

namespace {

class TransferTest : public ::testing::Test {
  protected:
    void Product(const char* version = "V.31") {
        demo::ProductWriter product(workspace.product(), version);
        product.AddPart(Part(11, "A", "100"));
        product.AddPart(Part(12, "", "200"));
        product.AddPart(Part(13, "", "300"));
        product.AddPart(Part(14, "", "400"));
        demo::ListRecord other = ListRow("", "OTHER-1");
        product.AddStaged(1, other);
    }
    void Open() {
        fixture = std::make_unique<FormFixture>(workspace);
        fixture->Open();
    }
    void Close() {
        fixture->form.cnData->Close();
        fixture->form.cnPriceList->Close();
    }
    QStringList Lookups(const StatementRecorder& recorder) {
        return recorder.On("cnData").filter("Select UpRec, PartID");
    }
    Workspace workspace;
    std::unique_ptr<FormFixture> fixture;
};

TEST_F(TransferTest, ChunksInIndexOrderWithTheirProgress) {
    Product();
    demo::WritePriceListChunks(
        workspace.priceList(),
        {{3, {ListRow("", "300", "30", "3")}},
         {1, {ListRow("A", "100", "10", "1"), ListRow("", "200", "20", "2")}},
         {2, {}}});
    Open();
    StatementRecorder recorder;
    fixture->form.TransferPriceList();
    EXPECT_EQ(recorder.On("cnPriceList"),
              QStringList({"Select Count From PriceList_Count Order By Count",
                           "Select Kind, PartNO, lKind, lAtNO, AKind, AltNO, EName, TName, Model, "
                           "Import, Price, Sale From PriceList_1 Order By PartNO",
                           "Select Kind, PartNO, lKind, lAtNO, AKind, AltNO, EName, TName, Model, "
                           "Import, Price, Sale From PriceList_2 Order By PartNO",
                           "Select Kind, PartNO, lKind, lAtNO, AKind, AltNO, EName, TName, Model, "
                           "Import, Price, Sale From PriceList_3 Order By PartNO"}));
    // The staging table is cleared for the brand before every chunk, the empty one included.
    EXPECT_EQ(recorder.On("cnData").filter("Delete From PriceList Where BrandID = 5").size(), 3);
    const QString adding = QStringLiteral("กำลังเพิ่มข้อมูลใหม่  DAIHATSU  100 %");
    EXPECT_EQ(fixture->view.progress,
              QStringList({QStringLiteral("กำลังย้ายข้อมูล  DAIHATSU"),
                           QStringLiteral("กำลังเปลี่ยนราคา  DAIHATSU_1  50 %"),
                           QStringLiteral("กำลังเปลี่ยนราคา  DAIHATSU_1  100 %"), adding, adding,
                           QStringLiteral("กำลังเปลี่ยนราคา  DAIHATSU_3  100 %"), adding}));
    EXPECT_EQ(fixture->view.Text(Control::txtPartNO), QStringLiteral("300 - ชื่อใหม่   MIRA"));
    EXPECT_EQ(fixture->form.lngChunkCount, 3);
    EXPECT_EQ(fixture->form.intChunk, (std::vector<int16_t>{1, 2, 3, 0}));
    Close();
    EXPECT_EQ(Rows(workspace.product(), "SELECT PartID, Price, Sale FROM Pta5 ORDER BY PartID"),
              QStringList({"11|10|1", "12|20|2", "13|30|3", "14|100|90"}));
}

TEST_F(TransferTest, TextsAreTrimmedAndSaleZeroTakesThePrice) {
    Product("P.64 (Bar)");
    demo::ListRecord padded = ListRow("  A ", "  100  ", "55.5", "0");
    padded.eName = "  BRAKE  ";
    padded.tName = QStringLiteral(" ผ้าเบรค ");
    padded.model = " MIRA ";
    padded.import = " Y ";
    demo::WritePriceListChunks(workspace.priceList(), {{1, {padded}}});
    Open();
    fixture->form.TransferPriceList();
    EXPECT_EQ(fixture->view.Text(Control::txtPartNO), QStringLiteral("A-100 - ผ้าเบรค   MIRA"));
    Close();
    EXPECT_EQ(
        Rows(workspace.product(),
             "SELECT EName, EFind, TName, TFind, Model, Import, Price, Sale FROM Pta5 WHERE PartID "
             "= 11"),
        QStringList({QStringLiteral("BRAKE|BRAKE  MIRA|ผ้าเบรค|ผ้าเบรค  MIRA|MIRA|Y|55.5|55.5")}));
    for (const char* table : {"MovementStock", "SPG"}) {
        EXPECT_EQ(Rows(workspace.product(),
                       QString("SELECT EName, TName, Model FROM %1 WHERE PartID = 11").arg(table)),
                  QStringList({QStringLiteral("BRAKE|ผ้าเบรค|MIRA")}))
            << table;
    }
    for (const char* table : {"Price", "Sale"}) {
        EXPECT_EQ(Rows(workspace.product(),
                       QString("SELECT TName, Model FROM %1 WHERE PartID = 11").arg(table)),
                  QStringList({QStringLiteral("ผ้าเบรค|MIRA")}))
            << table;
    }
    EXPECT_EQ(Rows(workspace.product(), "SELECT APrice FROM Alt5 WHERE AltID = 11"),
              QStringList({"55.5"}));
    EXPECT_EQ(Rows(workspace.product(), "SELECT Price FROM SPG WHERE PartID = 11"),
              QStringList({"55.5"}));
    // Another brand's staged rows are never touched.
    EXPECT_EQ(Rows(workspace.product(), "SELECT BrandID, PartNO FROM PriceList"),
              QStringList({"1|OTHER-1"}));
}

TEST_F(TransferTest, ReplacementAndAlternateTakeTheRowsNamesAndPrices) {
    Product();
    demo::ListRecord both = ListRow("A", "100", "70", "60");
    both.lKind = "";
    both.lAtNO = "200";
    both.aKind = "";
    both.altNO = "300";
    demo::ListRecord self = ListRow("", "400", "40", "40");
    self.lAtNO = "400";  // equal to its own number: no call for it
    self.altNO = "";
    demo::WritePriceListChunks(workspace.priceList(), {{1, {both, self}}});
    Open();
    StatementRecorder recorder;
    fixture->form.TransferPriceList();
    EXPECT_EQ(Lookups(recorder),
              QStringList({"Select UpRec, PartID From Pta5 Where Kind = 'A' And PartNO = '100'",
                           "Select UpRec, PartID From Pta5 Where PartNO = '200'",
                           "Select UpRec, PartID From Pta5 Where PartNO = '300'",
                           "Select UpRec, PartID From Pta5 Where PartNO = '400'"}));
    Close();
    EXPECT_EQ(
        Rows(workspace.product(), "SELECT PartID, lAtNO, Price, Sale FROM Pta5 ORDER BY PartID"),
        QStringList({"11|200|70|60", "12||70|60", "13||70|60", "14|400|40|40"}));
}

TEST_F(TransferTest, EmptyChunkIndexShowsItsStartAndDoesNothingElse) {
    Product();
    demo::WritePriceListChunks(workspace.priceList(), {});
    Open();
    StatementRecorder recorder;
    fixture->form.TransferPriceList();
    EXPECT_TRUE(recorder.On("cnData").isEmpty());
    EXPECT_EQ(fixture->view.progress, QStringList({QStringLiteral("กำลังย้ายข้อมูล  DAIHATSU")}));
}

TEST_F(TransferTest, SecondPassTakesSaleAsListedWithoutReplacementOrAlternate) {
    Product();
    demo::WritePriceListChunks(workspace.priceList(), {});
    Open();
    Exec(workspace.priceList(),
         QStringLiteral("INSERT INTO PriceListAll VALUES ('', '200', '200', '200', '', '300', '', "
                        "'400', 'E', 'ไทย', 'M', 'Y', 77, 0)"));
    StatementRecorder recorder;
    fixture->form.TransferPriceListAll();
    EXPECT_EQ(Lookups(recorder),
              QStringList({"Select UpRec, PartID From Pta5 Where PartNO = '200'"}));
    EXPECT_EQ(
        recorder.On("cnPriceList"),
        QStringList(
            {"Select Kind, PartNO, EName, TName, Model, Import, Price, Sale From PriceListAll"}));
    EXPECT_EQ(fixture->view.progress,
              QStringList({QStringLiteral("กำลังย้ายข้อมูล  DAIHATSU"),
                           QStringLiteral("กำลังเปลี่ยนราคา  DAIHATSU_All  100 %"),
                           QStringLiteral("กำลังเพิ่มข้อมูลใหม่  DAIHATSU  100 %")}));
    Close();
    EXPECT_EQ(Rows(workspace.product(), "SELECT Price, Sale FROM Pta5 WHERE PartID = 12"),
              QStringList({"77|0"}));
}

TEST_F(TransferTest, AFailingListRowLeavesNothingOfItselfAndKeepsEarlierRows) {
    Product();
    demo::ListRecord first = ListRow("A", "100", "10", "10");
    demo::ListRecord failing = ListRow("", "200", "20", "20");
    failing.altNO = "300";
    demo::WritePriceListChunks(workspace.priceList(), {{1, {first, failing}}});
    // Part 300 cannot be written: the alternate of the second row fails after its own number
    // was already updated.
    Exec(workspace.product(),
         "CREATE TRIGGER refuse BEFORE UPDATE ON Pta5 WHEN OLD.PartID = 13 BEGIN "
         "SELECT RAISE(ABORT, 'part 300 is locked'); END");
    Open();
    try {
        fixture->form.TransferPriceList();
        FAIL() << "the pass went on";
    } catch (const VelthornError& error) {
        EXPECT_TRUE(error.message().contains("part 300 is locked"))
            << error.message().toStdString();
    }
    // What the run's failure path does: the open row is undone, the rest committed.
    fixture->form.cnData->RollbackTrans();
    fixture->form.cnData->Settle();
    EXPECT_EQ(Rows(workspace.product(), "SELECT PartID, Price, EName FROM Pta5 ORDER BY PartID"),
              QStringList({"11|10|NAME 100", "12|100|OLD NAME 200", "13|100|OLD NAME 300",
                           "14|100|OLD NAME 400"}));
    EXPECT_EQ(Rows(workspace.product(), "SELECT EName FROM MovementStock WHERE PartID = 12"),
              QStringList({"OLD NAME 200"}));
}

}  // namespace
