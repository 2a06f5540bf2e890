// Alternate-number groups and factory links: one part's group, and every group of the brand.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

using namespace velthorn;
using namespace velthorn::test;

namespace {

class AltGroupsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        {
            demo::ProductWriter product(workspace.product(), "V.31");
            for (int id : {10, 20, 30, 40, 50})
                product.AddPart(Part(id, "", QString::number(id)));
            product.AddFactory(7, "F7");
            product.AddFactory(8, "F8");
        }
        demo::WritePriceList(workspace.priceList(), {});
        fixture = std::make_unique<FormFixture>(workspace);
        fixture->Open();
    }
    void Copy(int32_t own, int32_t replacement, int32_t alternate) {
        fixture->form.cnData->BeginTrans();
        EXPECT_EQ(fixture->form.CopyAltAndFactory(own, replacement, alternate), 0);
        fixture->form.cnData->CommitTrans();
        fixture->form.cnData->Settle();
    }
    QStringList Groups() {
        return Rows(workspace.product(), "SELECT PartID, AltID FROM AltG5 ORDER BY PartID, AltID");
    }
    QStringList Factories() {
        return Rows(workspace.product(), "SELECT PartID, FacID FROM FacD5 ORDER BY PartID, FacID");
    }
    Workspace workspace;
    std::unique_ptr<FormFixture> fixture;
};

TEST_F(AltGroupsTest, TwoNewPartsBecomeAGroupWithoutFactories) {
    Copy(10, 20, 0);
    EXPECT_EQ(Groups(), QStringList({"10|20", "20|10"}));
    EXPECT_TRUE(Factories().isEmpty());
    Exec(workspace.product(), "DELETE FROM AltG5");
    Copy(10, 20, 20);  // the repeat is dropped first
    EXPECT_EQ(Groups(), QStringList({"10|20", "20|10"}));
    EXPECT_EQ(fixture->form.lngAltPartID, (std::vector<int32_t>{10, 20, 0, 0}));
}

TEST_F(AltGroupsTest, ExistingMembersAndFactoriesAreShared) {
    Exec(workspace.product(),
         "INSERT INTO AltG5 VALUES (0, 10, 30), (0, 30, 10), (0, 30, 40), (0, 40, 50)");
    Exec(workspace.product(), "INSERT INTO FacD5 VALUES (0, 10, 7), (0, 10, 7), (0, 30, 8)");
    Copy(10, 20, 0);
    EXPECT_EQ(Groups(),
              QStringList({"10|20", "10|30", "20|10", "20|30", "30|10", "30|20", "40|50"}));
    EXPECT_EQ(Factories(), QStringList({"10|7", "20|7", "30|7"}));
}

TEST_F(AltGroupsTest, AnAlternateThatNoLongerExistsIsDropped) {
    Exec(workspace.product(), "INSERT INTO AltG5 VALUES (0, 10, 99)");
    Copy(10, 20, 0);
    EXPECT_EQ(Groups(), QStringList({"10|20", "20|10"}));
}

TEST_F(AltGroupsTest, NoBrandNoQuery) {
    StatementRecorder recorder;
    EXPECT_EQ(fixture->form.OpenAltGroup(0, 10), 0);
    EXPECT_EQ(fixture->form.OpenFactoryLinks(0, 10), 0);
    EXPECT_TRUE(recorder.statements.isEmpty());
}

TEST_F(AltGroupsTest, MissingTablesMeanNoGroupAndNoFactories) {
    Exec(workspace.product(), "DROP TABLE Fac");
    EXPECT_EQ(fixture->form.OpenFactoryLinks(5, 10), 0);
    EXPECT_EQ(fixture->form.rsData->State(), db::adStateClosed);
    Copy(10, 20, 0);
    EXPECT_EQ(Groups(), QStringList({"10|20", "20|10"}));
}

TEST_F(AltGroupsTest, RebuildWritesEveryGroupOnceAndEmptiesTheWorkList) {
    Exec(workspace.product(),
         "INSERT INTO AltG5 VALUES (0, 10, 20), (0, 20, 10), (0, 30, 40), (0, 0, 7)");
    Exec(workspace.product(), "INSERT INTO FacD5 VALUES (0, 30, 8), (0, 30, 8)");
    // Another program left work-list entries that are not identifiers.
    Exec(workspace.product(), "INSERT INTO AltGX VALUES (0), (-3), (NULL)");
    fixture->view.SetValue(Control::chkLikelAt, 1);
    StatementRecorder recorder(true);
    fixture->form.RebuildAltGroups();
    fixture->form.cnData->Settle();
    EXPECT_EQ(Groups(), QStringList({"10|20", "20|10", "30|40", "40|30", "50|0"}));
    EXPECT_EQ(Factories(), QStringList({"30|8", "40|8"}));
    EXPECT_EQ(Value(workspace.product(), "SELECT count(*) FROM AltGX").toInt(), 0);
    // One transaction per group: {10, 20}, {30, 40} and 50 alone.
    EXPECT_EQ(recorder.events.filter("BeginTrans").size(), 3);
    EXPECT_EQ(fixture->view.progress,
              QStringList({QStringLiteral("จัดระเบียบเบอร์แทนใหม่  DAIHATSU")}));
    EXPECT_EQ(recorder.On("cnData").mid(0, 3),
              QStringList({"Delete From AltGX", "Delete From AltG5 Where PartID = 0",
                           "Insert Into AltGX(PartID) Select PartID From Pta5"}));
}

}  // namespace
