// Identifier allocation: the pool of released identifiers first, smallest first, then the counter.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

using namespace velthorn;
using namespace velthorn::test;

namespace {

class NextIDTest : public ::testing::Test {
  protected:
    void SetUp() override {
        { demo::ProductWriter product(workspace.product(), "V.31"); }
        fixture = std::make_unique<FormFixture>(workspace);
        fixture->form.OpenDataConnection();
    }
    int32_t Next(const QString& series) {
        fixture->form.cnData->BeginTrans();
        const int32_t id = fixture->form.NextID(series);
        fixture->form.cnData->CommitTrans();
        fixture->form.cnData->Settle();
        return id;
    }
    QStringList Pool() {
        return Rows(workspace.product(), "SELECT NameID, OldID FROM OldID ORDER BY NameID, OldID");
    }
    QStringList Counters() {
        return Rows(workspace.product(), "SELECT NameID, LastID FROM LastID ORDER BY NameID");
    }
    Workspace workspace;
    std::unique_ptr<FormFixture> fixture;
};

TEST_F(NextIDTest, CounterIsCreatedAtOneThenCountsUp) {
    EXPECT_EQ(Next("Pta5"), 1);
    EXPECT_EQ(Counters(), QStringList({"Pta5|1"}));
    EXPECT_EQ(Next("Pta5"), 2);
    Exec(workspace.product(), "UPDATE LastID SET LastID = 41 WHERE NameID = 'Pta5'");
    EXPECT_EQ(Next("Pta5"), 42);
    EXPECT_EQ(Counters(), QStringList({"Pta5|42"}));
}

TEST_F(NextIDTest, PoolFirstSmallestFirstOtherSeriesUntouched) {
    Exec(workspace.product(), "INSERT INTO LastID VALUES ('Pta5', 41)");
    Exec(workspace.product(),
         "INSERT INTO OldID VALUES ('Pta5', 17), ('Pta5', 9), ('Pta7', 3), ('Pta5', 0)");
    EXPECT_EQ(Next("Pta5"), 9);
    EXPECT_EQ(Pool(), QStringList({"Pta5|0", "Pta5|17", "Pta7|3"}));
    EXPECT_EQ(Next("Pta5"), 17);
    // An identifier 0 in the pool is never handed out: the counter goes on instead.
    EXPECT_EQ(Next("Pta5"), 42);
    EXPECT_EQ(Pool(), QStringList({"Pta5|0", "Pta7|3"}));
    EXPECT_EQ(Counters(), QStringList({"Pta5|42"}));
}

TEST_F(NextIDTest, ARepeatedPoolEntryIsHandedOutOnce) {
    Exec(workspace.product(), "INSERT INTO OldID VALUES ('Pta5', 9), ('Pta5', 9)");
    EXPECT_EQ(Next("Pta5"), 9);
    EXPECT_EQ(Next("Pta5"), 1);
}

TEST_F(NextIDTest, CounterAtItsBoundIsRefused) {
    Exec(workspace.product(), "INSERT INTO LastID VALUES ('Pta5', 2147483647)");
    EXPECT_EQ(Next("Pta5"), 0);
    EXPECT_TRUE(fixture->form.nextIdFailure().contains("no next value"));
    EXPECT_EQ(Counters(), QStringList({"Pta5|2147483647"}));
    Exec(workspace.product(), "UPDATE LastID SET LastID = 2147483646");
    EXPECT_EQ(Next("Pta5"), 2147483647);
    EXPECT_EQ(Next("Pta5"), 0);
}

TEST_F(NextIDTest, MissingTableGivesZeroWithoutAnError) {
    Exec(workspace.product(), "DROP TABLE OldID");
    fixture->form.cnData->BeginTrans();
    EXPECT_EQ(fixture->form.NextID("Pta5"), 0);
    EXPECT_EQ(fixture->form.rsData->State(), db::adStateClosed);
    fixture->form.cnData->RollbackTrans();
}

TEST_F(NextIDTest, RollingTheCallersTransactionBackGivesTheIdentifierBack) {
    Exec(workspace.product(), "INSERT INTO LastID VALUES ('Pta5', 41)");
    Exec(workspace.product(), "INSERT INTO OldID VALUES ('Pta5', 9)");
    fixture->form.cnData->BeginTrans();
    EXPECT_EQ(fixture->form.NextID("Pta5"), 9);
    EXPECT_EQ(fixture->form.NextID("Pta5"), 42);
    fixture->form.cnData->RollbackTrans();
    fixture->form.cnData->Settle();
    EXPECT_EQ(Pool(), QStringList({"Pta5|9"}));
    EXPECT_EQ(Counters(), QStringList({"Pta5|41"}));
    EXPECT_EQ(Next("Pta5"), 9);
}

}  // namespace
