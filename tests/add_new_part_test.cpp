// Adding staged parts: the new rows of every schema version read back by column name, the
// statements of one staged row, and what a failing row leaves behind.
#include <gtest/gtest.h>

#include <QDate>
#include <QRegularExpression>

#include "db/Error.h"
#include "schema/Currency.h"
#include "schema/Versions.h"
#include "support/TestSupport.h"

using namespace velthorn;
using namespace velthorn::test;

namespace {

// What each version's new rows carry, as the layouts of the shop's application define them.
struct VersionCase {
    const char* version;
    bool findLookup;    // looked up by find number; the find number is the compact number
    bool findTexts;     // EFind/TFind instead of the Thai key
    bool priceOne;      // Price1/Sale1
    bool altSale;       // six-column alternate-price rows
    bool importStar;    // the replacement row leaves Import empty
    bool brandAndFull;  // BrandID and the full number are written
    bool secondNumber;  // the number is written twice
    bool ownAndDiffers;
    bool stamp;
};

const VersionCase kVersions[] = {
    {"V.31", false, false, false, false, true, true, false, false, false},
    {"V.32", false, false, false, false, true, true, false, false, false},
    {"V.33", false, false, false, false, false, true, false, false, false},
    {"V.34", false, false, false, false, false, true, false, true, false},
    {"V.41", false, false, false, false, true, true, false, false, false},
    {"V.42", false, false, false, false, false, true, false, false, false},
    {"V.43", false, false, false, false, false, true, false, false, false},
    {"V.45", false, false, false, false, false, true, false, false, false},
    {"V.46 (Bar)", false, false, false, false, false, true, false, false, true},
    {"V.51", false, false, false, false, true, true, false, false, false},
    {"V.61", false, false, false, false, true, true, false, false, false},
    {"P.42", false, false, false, false, true, true, false, false, false},
    {"P.43", false, false, false, false, false, true, false, false, false},
    {"P.44 (Bar)", false, false, false, false, true, true, false, false, false},
    {"P.45 (Bar)", true, false, true, false, false, true, true, false, false},
    {"P.46 (Bar)", false, false, false, false, false, true, false, false, false},
    {"P.47001 (Bar)", false, false, false, false, false, true, false, false, false},
    {"P.48 (Bar)", true, false, false, false, false, true, true, false, false},
    {"P.49 (Bar)", true, false, false, true, false, false, true, false, false},
    {"P.52", false, true, false, false, false, true, false, false, false},
    {"P.61 (Bar)", false, false, false, false, false, true, false, false, false},
    {"P.62 (Bar)", false, false, false, false, false, true, false, false, false},
    {"P.64 (Bar)", true, true, false, false, false, false, false, false, false},
    {"P.65 (Bar)", true, true, false, false, false, false, false, false, false},
    {"D.47 (Bar)", false, false, false, false, false, true, false, false, false},
};

class NewRowsByVersion : public ::testing::TestWithParam<VersionCase> {};

TEST_P(NewRowsByVersion, OwnReplacementAndAlternateRows) {
    const VersionCase& c = GetParam();
    Workspace workspace;
    demo::DemoOptions options;
    options.dir = workspace.Path("");
    options.version = c.version;
    options.parts = 20;
    options.rows = 0;
    demo::WriteDemo(options);
    demo::ListRecord staged = ListRow("K", "12-34 5", "100", "90");
    staged.lKind = "L";
    staged.lAtNO = "RP-1";
    staged.aKind = "M";
    staged.altNO = "AL 2";
    staged.eName = "ENAME";
    staged.tName = QStringLiteral("เกียร์");
    {
        const QString sql = QString(
                                "INSERT INTO PriceList VALUES (5, '12-34 5', 'K', 'RP-1', 'L', "
                                "'AL 2', 'M', 'ENAME', '%1', 'MIRA', 'Y', 100, 90)")
                                .arg(staged.tName);
        Exec(workspace.product(), sql);
    }
    FormFixture fixture(workspace);
    fixture.form.today = [] { return QDate(2026, 3, 10); };
    fixture.Open();
    fixture.form.AddNewPart(7);
    fixture.form.cnData->Close();

    const QString product = workspace.product();
    const QString price = c.priceOne ? "Price1" : "Price";
    const QString sale = c.priceOne ? "Sale1" : "Sale";
    struct Slot {
        int id;
        QString kind, number, find, rKind, rNumber, import, full;
        int ownFlag, altFlag;
    };
    const Slot expectedSlots[] = {
        {21, "K", "12-34 5", "12345", "L", "RP-1", "Y", "K-12-34 5", 1, 0},
        {22, "L", "RP-1", "RP1", "", "", c.importStar ? "" : "Y", "L-RP-1", 0, 0},
        {23, "M", "AL 2", "AL2", "", "", "Y", "M-AL 2", 0, 1},
    };
    for (const Slot& slot : expectedSlots) {
        SCOPED_TRACE(slot.number.toStdString());
        const QString where = " FROM Pta5 WHERE PartID = " + QString::number(slot.id);
        QStringList columns{"Kind",  "PartNO", "FPartNO", "lKind", "lAtNO", "EName",
                            "TName", "Model",  "Import",  price,   sale};
        QStringList expected{slot.kind,
                             slot.number,
                             c.findLookup ? slot.find : "",
                             slot.rKind,
                             slot.rNumber,
                             "ENAME",
                             QStringLiteral("เกียร์"),
                             "MIRA",
                             slot.import,
                             "100",
                             "90"};
        if (c.findTexts) {
            columns << "EFind"
                    << "TFind";
            expected << "ENAME  MIRA" << QStringLiteral("เกียร์  MIRA");
        } else {
            columns << "IndTName";
            expected << QStringLiteral("กเียร์");
        }
        if (c.brandAndFull) {
            columns << "BrandID"
                    << "FullNO";
            expected << "5" << slot.full;
        }
        if (c.secondNumber) {
            columns << "PartNO2";
            expected << slot.number;
        }
        if (c.ownAndDiffers) {
            columns << "OwnFlag"
                    << "PriceDiffers";
            expected << QString::number(slot.ownFlag) << "1";
        }
        if (c.stamp) {
            columns << "DateStamp";
            expected << "25690310";
        }
        if (c.altSale) {
            columns << "AltFlag";
            expected << QString::number(slot.altFlag);
        }
        columns << "UpRec";
        expected << "0";
        EXPECT_EQ(Rows(product, "SELECT " + columns.join(", ") + where),
                  QStringList({expected.join("|")}))
            << columns.join(", ").toStdString();
        const QString altColumns = c.altSale ? "AltID, AltFlag, Kind, PartNO, APrice, ASale"
                                             : "AltID, Kind, PartNO, APrice";
        const QString altExpected = QString::number(slot.id) + (c.altSale ? "|1|" : "|") +
                                    slot.kind + "|" + slot.number + "|100" +
                                    (c.altSale ? "|90" : "");
        EXPECT_EQ(Rows(product, "SELECT " + altColumns +
                                    " FROM Alt5 WHERE AltID = " + QString::number(slot.id)),
                  QStringList({altExpected}));
    }
    if (QString(c.version) == "P.45 (Bar)") {
        EXPECT_EQ(Rows(product, "SELECT Price, Sale FROM Pta5 WHERE PartID = 21"),
                  QStringList({"0|0"}));
    }
    EXPECT_EQ(
        Rows(product, "SELECT PartID, AltID FROM AltG5 WHERE PartID > 20 ORDER BY PartID, AltID"),
        QStringList({"21|22", "21|23", "22|21", "22|23", "23|21", "23|22"}));
    EXPECT_EQ(Value(product, "SELECT count(*) FROM PriceList WHERE BrandID = 5").toInt(), 0);
    EXPECT_EQ(Value(product, "SELECT count(*) FROM Alt5 WHERE AltID = 0").toInt(), 1);
    EXPECT_EQ(Value(product, "SELECT count(*) FROM AltG5 WHERE PartID = 0").toInt(), 0);
    EXPECT_EQ(Value(product, "SELECT LastID FROM LastID WHERE NameID = 'Pta5'").toInt(), 23);
    EXPECT_EQ(fixture.view.progress.filter("_7  ").size(), 1);
}

INSTANTIATE_TEST_SUITE_P(AllVersions, NewRowsByVersion, ::testing::ValuesIn(kVersions),
                         [](const auto& info) {
                             QString name = info.param.version;
                             name.remove(QRegularExpression("[^A-Za-z0-9]"));
                             return name.toStdString();
                         });

TEST(AddNewPart, EveryVersionIsDispatched) {
    // The table of cases above holds every supported version exactly once.
    QStringList listed;
    for (const VersionCase& c : kVersions)
        listed << c.version;
    QStringList supported;
    for (const schema::VersionInfo& info : schema::SupportedVersions())
        supported << info.text;
    EXPECT_EQ(listed, supported);
}

class AddNewPartTest : public ::testing::Test {
  protected:
    void Make(const char* version, const std::vector<demo::ListRecord>& staged,
              const std::vector<demo::PartRecord>& parts = {}) {
        {
            demo::ProductWriter product(workspace.product(), version);
            for (const demo::PartRecord& part : parts)
                product.AddPart(part);
            product.SetCounter("Pta5", 50);
            for (const demo::ListRecord& row : staged)
                product.AddStaged(5, row);
            product.AddStaged(1, ListRow("", "OTHER"));
        }
        demo::WritePriceList(workspace.priceList(), {});
        fixture = std::make_unique<FormFixture>(workspace);
        fixture->Open();
    }
    QStringList PartRows() {
        return Rows(workspace.product(), "SELECT PartID, Kind, PartNO FROM Pta5 ORDER BY PartID");
    }
    Workspace workspace;
    std::unique_ptr<FormFixture> fixture;
};

TEST_F(AddNewPartTest, NothingStagedRunsOnlyTheQueriesAndThePlaceholderRepair) {
    Make("P.49 (Bar)", {});
    StatementRecorder recorder;
    fixture->form.AddNewPart(3);
    EXPECT_EQ(recorder.On("cnData"),
              QStringList({"Select PartNO From PriceList Where BrandID = 5",
                           "Select Kind, PartNO, lKind, lAtNO, AKind, AltNO, EName, TName, Model, "
                           "Import, Price, Sale From PriceList Where BrandID = 5 Order By PartNO",
                           "Delete From AltG5 Where PartID = 0", "Delete From Alt5 Where AltID = 0",
                           "Insert Into Alt5 Values( 0, 0, '', '', 0, 0 )"}));
}

TEST_F(AddNewPartTest, OneOwnNumberInOneTransaction) {
    Make("V.31", {ListRow("", "77", "12.5", "12.5")});
    StatementRecorder recorder(true);
    fixture->form.AddNewPart(0);
    QStringList sent = recorder.On("cnData");
    ASSERT_GE(sent.size(), 12);
    EXPECT_EQ(
        sent.mid(2, 9),
        QStringList({"Select PartID From Pta5 Where PartNO = '77'",
                     "Select OldID From OldID Where NameID = 'Pta5' Order By OldID",
                     "Select NameID, LastID From LastID Where NameID = 'Pta5'",
                     "Update LastID Set LastID = 51 Where NameID = 'Pta5' And LastID = 50",
                     QStringLiteral("Insert Into Pta5 Values( 0, 51, '', '', '77', '', '', '', "
                                    "'NAME 77', 'ชื่อหใม่', 'ชื่อใหม่', '', 'MIRA', '', 'Y', '', "
                                    "12.5, 0, 12.5, 0, True, False, '', 0, 0, 0, 0, 0, 5, 0, 0, "
                                    "'77', 0, 0, 0, 0, 0, 0, 0 )"),
                     "Insert Into Alt5 Values( 51, '', '77', 12.5 )",
                     "Insert Into AltG5 Values( 0, 51, 0 )",
                     "Delete From PriceList Where BrandID = 5 And PartNO = '77'",
                     "Select Kind, PartNO, lKind, lAtNO, AKind, AltNO, EName, TName, Model, "
                     "Import, Price, Sale From PriceList Where BrandID = 5 Order By PartNO"}));
    EXPECT_EQ(recorder.events.filter("Trans"),
              QStringList({"cnData: BeginTrans", "cnData: CommitTrans"}));
    EXPECT_TRUE(
        fixture->view.progress.contains(QStringLiteral("กำลังเพิ่มข้อมูลใหม่  DAIHATSU_0  100 %")));
    EXPECT_EQ(fixture->view.Text(Control::txtPartNO), QStringLiteral("77 - ชื่อใหม่   MIRA"));
}

TEST_F(AddNewPartTest, ReplacementEqualToAlternateIsInsertedOnce) {
    demo::ListRecord row = ListRow("A", "1");
    row.lKind = row.aKind = "B";
    row.lAtNO = row.altNO = "2";
    demo::ListRecord otherKind = ListRow("A", "3");
    otherKind.lKind = "B";
    otherKind.lAtNO = "4";
    otherKind.aKind = "C";
    otherKind.altNO = "4";
    Make("V.31", {row, otherKind});
    fixture->form.AddNewPart(1);
    fixture->form.cnData->Close();
    // Looked up by kind and number, a different alternate kind code makes a row of its own.
    EXPECT_EQ(PartRows(), QStringList({"51|A|1", "52|B|2", "53|A|3", "54|B|4", "55|C|4"}));
    EXPECT_EQ(
        Rows(workspace.product(), "SELECT PartID, AltID FROM AltG5 ORDER BY PartID, AltID"),
        QStringList({"51|52", "52|51", "53|54", "53|55", "54|53", "54|55", "55|53", "55|54"}));
}

TEST_F(AddNewPartTest, ExistingOwnNumberStillGetsItsGroup) {
    demo::ListRecord row = ListRow("", "1");
    row.lAtNO = "2";
    Make("V.31", {row}, {Part(7, "", "1")});
    fixture->form.AddNewPart(1);
    fixture->form.cnData->Close();
    EXPECT_EQ(PartRows(), QStringList({"7||1", "51||2"}));
    EXPECT_EQ(Rows(workspace.product(), "SELECT PartID, AltID FROM AltG5 ORDER BY PartID"),
              QStringList({"7|51", "51|7"}));
    EXPECT_EQ(Rows(workspace.product(), "SELECT Price FROM Pta5 WHERE PartID = 7"),
              QStringList({"100"}));
}

TEST_F(AddNewPartTest, SameNumberWithoutKindIsConsumedByOneDelete) {
    demo::ListRecord first = ListRow("", "5", "1", "1");
    demo::ListRecord second = ListRow("", "5", "2", "2");
    demo::ListRecord noThai = ListRow("", "6");
    noThai.tName = "";
    Make("V.31", {first, second, noThai});
    fixture->form.AddNewPart(1);
    fixture->form.cnData->Close();
    EXPECT_EQ(PartRows(), QStringList({"51||5", "52||6"}));
    EXPECT_EQ(Rows(workspace.product(), "SELECT TName, IndTName FROM Pta5 WHERE PartID = 52"),
              QStringList({"NAME 6|NAME 6"}));
    EXPECT_EQ(Rows(workspace.product(), "SELECT BrandID, PartNO FROM PriceList"),
              QStringList({"1|OTHER"}));
}

TEST_F(AddNewPartTest, StagedRowWithBlanksAroundItsNumberIsRemovedAsStored) {
    Make("V.31", {ListRow("", "8")});
    Exec(workspace.product(),
         "UPDATE PriceList SET PartNO = '  8  ', Kind = ' ' WHERE BrandID = 5");
    fixture->form.AddNewPart(1);
    fixture->form.cnData->Close();
    EXPECT_EQ(PartRows(), QStringList({"51||8"}));
    EXPECT_EQ(
        Value(workspace.product(), "SELECT count(*) FROM PriceList WHERE BrandID = 5").toInt(), 0);
}

TEST_F(AddNewPartTest, AFailingRowLeavesNoTraceAndStaysStaged) {
    demo::ListRecord good = ListRow("", "1");
    demo::ListRecord bad = ListRow("", "2");
    bad.lAtNO = "3";
    Make("V.31", {good, bad});
    // The replacement's part row cannot be written: the row fails after its own part row and the
    // counter were written.
    Exec(workspace.product(),
         "CREATE TRIGGER refuse BEFORE INSERT ON Pta5 WHEN NEW.PartNO = '3' BEGIN "
         "SELECT RAISE(ABORT, 'no room for part 3'); END");
    EXPECT_THROW(fixture->form.AddNewPart(1), VelthornError);
    fixture->form.cnData->RollbackTrans();
    fixture->form.cnData->Settle();
    EXPECT_EQ(PartRows(), QStringList({"51||1"}));
    EXPECT_EQ(Rows(workspace.product(), "SELECT AltID FROM Alt5 WHERE AltID > 0"),
              QStringList({"51"}));
    EXPECT_EQ(Value(workspace.product(), "SELECT LastID FROM LastID WHERE NameID = 'Pta5'").toInt(),
              51);
    EXPECT_EQ(Rows(workspace.product(), "SELECT PartNO FROM PriceList WHERE BrandID = 5"),
              QStringList({"2"}));
}

TEST_F(AddNewPartTest, NoIdentifierMeansNoRowAndAClearError) {
    Make("V.31", {ListRow("", "1")});
    Exec(workspace.product(), "UPDATE LastID SET LastID = 2147483647");
    try {
        fixture->form.AddNewPart(1);
        FAIL() << "a part was added without an identifier";
    } catch (const VelthornError& error) {
        EXPECT_TRUE(error.message().contains("series Pta5")) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains("no next value")) << error.message().toStdString();
    }
    fixture->form.cnData->RollbackTrans();
    fixture->form.cnData->Settle();
    EXPECT_EQ(Value(workspace.product(), "SELECT count(*) FROM Pta5").toInt(), 0);
    EXPECT_EQ(Rows(workspace.product(), "SELECT PartNO FROM PriceList WHERE BrandID = 5"),
              QStringList({"1"}));
}

}  // namespace
