// Merging one part: the statements sent for found, protected, repeated and missing parts, per
// family of schema versions, and what ends a write that does not read back.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "db/Error.h"
#include "keys/FindNumbers.h"
#include "schema/Currency.h"
#include "support/TestSupport.h"

using namespace velthorn;
using namespace velthorn::test;
using schema::Currency;

namespace {

struct Family {
    const char* version;
    bool byFind;     // looked up by FPartNO
    bool findTexts;  // EFind/TFind instead of IndTName
    bool priceOne;   // Price1/Sale1
    bool altSale;    // ASale beside APrice
};

const Family kFamilies[] = {
    {"P.45 (Bar)", true, false, true, false}, {"P.49 (Bar)", true, false, false, true},
    {"P.52", false, true, false, false},      {"P.64 (Bar)", true, true, false, false},
    {"V.31", false, false, false, false},
};

class UpdatePartTest : public ::testing::TestWithParam<Family> {
  protected:
    void SetUp() override {
        {
            demo::ProductWriter product(workspace.product(), GetParam().version);
            product.AddPart(Part(11, "A", "12-34 5/6"));
            demo::PartRecord locked = Part(12, "", "777");
            locked.upRec = 1;
            product.AddPart(locked);
            product.AddPart(Part(13, "", "555"));
            product.AddPart(Part(14, "", "555"));
        }
        demo::WritePriceList(workspace.priceList(), {});
        fixture = std::make_unique<FormFixture>(workspace);
        fixture->Open();
    }
    QStringList Merge(const QString& kind, const QString& partNO) {
        StatementRecorder recorder;
        fixture->form.UpdatePart(kind, partNO, "L", "NEW-1", "", "", "EN", QStringLiteral("ไทย"),
                                 "MIRA", "Y", Currency::Parse("125"), Currency::Parse("99.5"));
        return recorder.On("cnData");
    }
    // The descriptive updates of an unprotected row, as the family writes them.
    QStringList Descriptive(int id) const {
        const Family& f = GetParam();
        const QString i = QString::number(id);
        QStringList s;
        s << "Update Pta5 Set lAtNO = 'NEW-1' Where PartID = " + i;
        if (f.findTexts) {
            s << "Update Pta5 Set EFind = 'EN  MIRA', EName = 'EN' Where PartID = " + i;
            s << QStringLiteral(
                     "Update Pta5 Set TFind = 'ไทย  MIRA', TName = 'ไทย' Where PartID = ") +
                     i;
        } else {
            s << "Update Pta5 Set EName = 'EN' Where PartID = " + i;
            // The Thai key moves the leading vowel behind the letter after it.
            s << QStringLiteral("Update Pta5 Set IndTName = 'ทไย', TName = 'ไทย' Where PartID = ") +
                     i;
        }
        s << "Update MovementStock Set EName = 'EN' Where PartID = " + i + " And BrandID = 5"
          << "Update SPG Set EName = 'EN' Where BrandID = 5 And PartID = " + i
          << QStringLiteral("Update MovementStock Set TName = 'ไทย' Where PartID = ") + i +
                 " And BrandID = 5"
          << QStringLiteral("Update SPG Set TName = 'ไทย' Where BrandID = 5 And PartID = ") + i
          << QStringLiteral("Update Price Set TName = 'ไทย' Where PartID = ") + i +
                 " And BrandID = 5"
          << QStringLiteral("Update Sale Set TName = 'ไทย' Where PartID = ") + i +
                 " And BrandID = 5"
          << "Update Pta5 Set Model = 'MIRA' Where PartID = " + i
          << "Update MovementStock Set Model = 'MIRA' Where PartID = " + i + " And BrandID = 5"
          << "Update SPG Set Model = 'MIRA' Where BrandID = 5 And PartID = " + i
          << "Update Price Set Model = 'MIRA' Where PartID = " + i + " And BrandID = 5"
          << "Update Sale Set Model = 'MIRA' Where PartID = " + i + " And BrandID = 5"
          << "Update Pta5 Set Import = 'Y' Where PartID = " + i;
        return s;
    }
    QStringList Prices(int id) const {
        const Family& f = GetParam();
        const QString i = QString::number(id);
        QStringList s;
        s << (f.priceOne ? "Update Pta5 Set Price1 = 125, Sale1 = 99.5 Where PartID = " + i
                         : "Update Pta5 Set Price = 125, Sale = 99.5 Where PartID = " + i);
        s << (f.altSale ? "Update Alt5 Set APrice = 125, ASale = 99.5 Where AltID = " + i
                        : "Update Alt5 Set APrice = 125 Where AltID = " + i);
        s << "Update SPG Set Price = 125 Where BrandID = 5 And PartID = " + i;
        s << (f.priceOne ? "Select PartID From Pta5 Where PartID = " + i +
                               " And Price1 = 125 And Sale1 = 99.5"
                         : "Select PartID From Pta5 Where PartID = " + i +
                               " And Price = 125 And Sale = 99.5");
        return s;
    }
    QString Lookup(const QString& kind, const QString& partNO) const {
        const QString key = GetParam().byFind ? "FPartNO = '" + keys::MakeFindNO(partNO) + "'"
                                              : "PartNO = '" + partNO + "'";
        return "Select UpRec, PartID From Pta5 Where " +
               (kind.isEmpty() ? QString() : "Kind = '" + kind + "' And ") + key;
    }
    Workspace workspace;
    std::unique_ptr<FormFixture> fixture;
};

TEST_P(UpdatePartTest, FoundUnprotectedPart) {
    EXPECT_EQ(Merge("A", "12-34 5/6"),
              QStringList({Lookup("A", "12-34 5/6")}) + Descriptive(11) + Prices(11));
}

TEST_P(UpdatePartTest, ProtectedPartGetsItsPricesOnly) {
    EXPECT_EQ(Merge("", "777"), QStringList({Lookup("", "777")}) + Prices(12));
}

TEST_P(UpdatePartTest, EveryMatchingRowInLookupOrder) {
    EXPECT_EQ(Merge("", "555"), QStringList({Lookup("", "555")}) + Descriptive(13) + Prices(13) +
                                    Descriptive(14) + Prices(14));
    EXPECT_EQ(fixture->form.lngMatchCount, 2);
}

TEST_P(UpdatePartTest, MissingPartIsStagedNumberBeforeKind) {
    EXPECT_EQ(Merge("B", "999"),
              QStringList({Lookup("B", "999"),
                           QStringLiteral("Insert Into PriceList Values( 5, '999', 'B', 'NEW-1', "
                                          "'L', '', '', 'EN', 'ไทย', 'MIRA', 'Y', 125, 99.5 )"),
                           "Select PartNO From PriceList Where BrandID = 5 And Kind = 'B' And "
                           "PartNO = '999'"}));
    EXPECT_EQ(Merge("", "998").last(),
              "Select PartNO From PriceList Where BrandID = 5 And PartNO = '998'");
}

INSTANTIATE_TEST_SUITE_P(Families, UpdatePartTest, ::testing::ValuesIn(kFamilies),
                         [](const auto& info) {
                             QString name = info.param.version;
                             name.remove(QRegularExpression("[^A-Za-z0-9]"));
                             return name.toStdString();
                         });

// What the merge leaves in the tables, beyond the statements.
class UpdatePartEffects : public ::testing::Test {
  protected:
    void Make(const char* version) {
        {
            demo::ProductWriter product(workspace.product(), version);
            product.AddPart(Part(11, "A", "12-34"));
            demo::PartRecord locked = Part(12, "", "777");
            locked.upRec = 1;
            product.AddPart(locked);
        }
        demo::WritePriceList(workspace.priceList(), {});
        fixture = std::make_unique<FormFixture>(workspace);
        fixture->Open();
    }
    void Merge(const QString& kind, const QString& partNO, const QString& eName,
               const QString& tName, const QString& model, const QString& import,
               const char* price = "125", const char* sale = "99.5") {
        fixture->form.UpdatePart(kind, partNO, "", "", "", "", eName, tName, model, import,
                                 Currency::Parse(price), Currency::Parse(sale));
        fixture->form.cnData->Settle();
    }
    QStringList Part11() {
        return Rows(
            workspace.product(),
            "SELECT EName, TName, Model, Import, lAtNO, Price, Sale FROM Pta5 WHERE PartID = 11");
    }
    Workspace workspace;
    std::unique_ptr<FormFixture> fixture;
};

TEST_F(UpdatePartEffects, EmptyTextsChangeNothingAnywhere) {
    Make("V.31");
    Merge("A", "12-34", "", "", "", "");
    EXPECT_EQ(Part11(), QStringList({QStringLiteral("OLD NAME 12-34|ชื่อเดิม|OLDMODEL|N||125|99.5")}));
    EXPECT_EQ(
        Rows(workspace.product(), "SELECT EName, TName, Model, Price FROM SPG WHERE PartID = 11"),
        QStringList({QStringLiteral("OLD NAME 12-34|ชื่อเดิม|OLDMODEL|125")}));
}

TEST_F(UpdatePartEffects, ProtectedRowKeepsItsTextsButTakesPrices) {
    Make("P.49 (Bar)");
    Merge("", "777", "NEW", QStringLiteral("ใหม่"), "ROCKY", "Y", "300", "250");
    EXPECT_EQ(Rows(workspace.product(),
                   "SELECT EName, TName, Model, Import, Price, Sale FROM Pta5 WHERE PartID = 12"),
              QStringList({QStringLiteral("OLD NAME 777|ชื่อเดิม|OLDMODEL|N|300|250")}));
    EXPECT_EQ(Rows(workspace.product(), "SELECT APrice, ASale FROM Alt5 WHERE AltID = 12"),
              QStringList({"300|250"}));
    EXPECT_EQ(Rows(workspace.product(), "SELECT EName, Price FROM SPG WHERE PartID = 12"),
              QStringList({"OLD NAME 777|300"}));
}

TEST_F(UpdatePartEffects, PriceOneColumnsLeavePriceAndSaleAlone) {
    Make("P.45 (Bar)");
    Merge("A", "1234", "E", "", "", "", "500", "450");
    EXPECT_EQ(
        Rows(workspace.product(), "SELECT Price1, Sale1, Price, Sale FROM Pta5 WHERE PartID = 11"),
        QStringList({"500|450|0|0"}));
    EXPECT_EQ(Rows(workspace.product(), "SELECT APrice FROM Alt5 WHERE AltID = 11"),
              QStringList({"500"}));
}

TEST_F(UpdatePartEffects, FindTextWithoutModelHasNoTrailingBlanks) {
    Make("P.52");
    Merge("A", "12-34", "  ENGINE  ", "", "", "");
    EXPECT_EQ(Rows(workspace.product(), "SELECT EFind FROM Pta5 WHERE PartID = 11"),
              QStringList({"ENGINE"}));
}

TEST_F(UpdatePartEffects, QuotesInTextsAreStoredAsTheyAre) {
    Make("V.31");
    Merge("A", "12-34", "O'RING 'X'", QStringLiteral("โอ'ริง"), "MIRA'S", "Y'");
    EXPECT_EQ(
        Rows(workspace.product(), "SELECT EName, TName, Model, Import FROM Pta5 WHERE PartID = 11"),
        QStringList({QStringLiteral("O'RING 'X'|โอ'ริง|MIRA'S|Y'")}));
    fixture->form.UpdatePart("", "NEW'1", "", "", "", "", "E'", "", "", "", Currency::Parse("1"),
                             Currency::Parse("1"));
    fixture->form.cnData->Settle();
    EXPECT_EQ(Rows(workspace.product(), "SELECT PartNO, EName FROM PriceList WHERE BrandID = 5"),
              QStringList({"NEW'1|E'"}));
}

TEST_F(UpdatePartEffects, PriceThatNeverReadsBackEndsTheMergeNamingPartAndTable) {
    Make("V.31");
    // The database drops every price written to this part.
    Exec(workspace.product(),
         "CREATE TRIGGER drop_price AFTER UPDATE OF Price ON Pta5 BEGIN "
         "UPDATE Pta5 SET Price = 0 WHERE PartID = NEW.PartID; END");
    StatementRecorder recorder;
    try {
        Merge("A", "12-34", "E", "", "", "");
        FAIL() << "the merge went on";
    } catch (const VelthornError& error) {
        EXPECT_TRUE(error.message().contains("12-34")) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains("Pta5")) << error.message().toStdString();
    }
    EXPECT_EQ(recorder.On("cnData").filter("Select PartID From Pta5 Where PartID = 11").size(),
              kReadBackAttempts);
}

TEST_F(UpdatePartEffects, StagedRowThatNeverReadsBackEndsTheMerge) {
    Make("V.31");
    Exec(workspace.product(),
         "CREATE TRIGGER drop_staged AFTER INSERT ON PriceList BEGIN "
         "DELETE FROM PriceList WHERE rowid = NEW.rowid; END");
    StatementRecorder recorder;
    try {
        Merge("", "NEW-9", "E", "", "", "");
        FAIL() << "the merge went on";
    } catch (const VelthornError& error) {
        EXPECT_TRUE(error.message().contains("NEW-9")) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains("PriceList")) << error.message().toStdString();
    }
    EXPECT_EQ(recorder.On("cnData").filter("Insert Into PriceList").size(), kReadBackAttempts);
}

}  // namespace
