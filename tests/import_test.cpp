// Access files copied into SQLite through mdbtools, for machines without an Access driver: the
// public samples read back table by table, column by column.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "db/Error.h"
#include "importer/AccessImport.h"
#include "support/TestSupport.h"

using namespace velthorn;
using namespace velthorn::test;

namespace {

class ImportTest : public ::testing::Test {
  protected:
    QString Fixture(const char* name) {
        const QString copy = workspace.Path(name);
        EXPECT_TRUE(QFile::copy(QString(VELTHORN_FIXTURES_DIR "/") + name, copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        return copy;
    }
    Workspace workspace;
};

TEST_F(ImportTest, NorthwindTablesRowsTypesAndValues) {
    const QString out = workspace.Path("nwind.db");
    const QList<importer::ImportedTable> tables = importer::ImportAccess(Fixture("nwind.mdb"), out);
    QStringList counts;
    for (const importer::ImportedTable& table : tables)
        counts << table.name + "=" + QString::number(table.rows);
    counts.sort();
    EXPECT_EQ(counts,
              QStringList({"Categories=8", "Customers=91", "Employees=9", "Order Details=2155",
                           "Orders=830", "Products=77", "Shippers=3", "Suppliers=29"}));
    EXPECT_EQ(Rows(out, "SELECT name, type FROM pragma_table_info('Products')"),
              QStringList({"ProductID|INTEGER", "ProductName|TEXT", "SupplierID|INTEGER",
                           "CategoryID|INTEGER", "QuantityPerUnit|TEXT", "UnitPrice|CURRENCY",
                           "UnitsInStock|INTEGER", "UnitsOnOrder|INTEGER", "ReorderLevel|INTEGER",
                           "Discontinued|YESNO"}));
    EXPECT_EQ(Rows(out,
                   "SELECT ProductID, ProductName, QuantityPerUnit, UnitPrice, Discontinued "
                   "FROM Products WHERE ProductID IN (1, 9, 33) ORDER BY ProductID"),
              QStringList({"1|Chai|10 boxes x 20 bags|18|0",
                           "9|Mishi Kobe Niku|18 - 500 g pkgs.|97|1", "33|Geitost|500 g|2.5|0"}));
    EXPECT_EQ(Rows(out, "SELECT CompanyName FROM Customers WHERE CustomerID = 'ALFKI'"),
              QStringList({"Alfreds Futterkiste"}));
    EXPECT_EQ(Rows(out,
                   "SELECT UnitPrice, Quantity FROM \"Order Details\" WHERE OrderID = 10248 "
                   "ORDER BY ProductID"),
              QStringList({"14|12", "9.8|10", "34.8|5"}));
    EXPECT_EQ(Value(out, "SELECT OrderDate FROM Orders WHERE OrderID = 10248").toString(),
              "1994-08-04 00:00:00");
    EXPECT_GT(Value(out, "SELECT length(Picture) FROM Categories WHERE CategoryID = 1").toInt(),
              1000);
}

TEST_F(ImportTest, AccessTwoThousandSevenFileWithAmountsAndEmptyTexts) {
    const QString out = workspace.Path("assets.db");
    const QList<importer::ImportedTable> tables =
        importer::ImportAccess(Fixture("ASampleDatabase.accdb"), out);
    ASSERT_EQ(tables.size(), 1);
    EXPECT_EQ(tables[0].name, "Asset Items");
    EXPECT_EQ(tables[0].rows, 65);
    EXPECT_EQ(Value(out, "SELECT sum(Cost) FROM \"Asset Items\"").toDouble(), 98164.5);
    EXPECT_EQ(Rows(out,
                   "SELECT Make, Cost, Warranty, \"Tax Scale\", Comments FROM \"Asset Items\" "
                   "WHERE \"Asset No\" = '30118'"),
              QStringList({"Davis Reece|3425.5|0||"}));
}

TEST_F(ImportTest, RefusesToOverwriteAndToReadWhatIsNoAccessFile) {
    const QString existing = workspace.Path("exists.db");
    Exec(existing, "CREATE TABLE Keep (x)");
    EXPECT_THROW(importer::ImportAccess(Fixture("nwind.mdb"), existing), VelthornError);
    EXPECT_EQ(Rows(existing, "SELECT name FROM sqlite_master"), QStringList({"Keep"}));
    EXPECT_THROW(importer::ImportAccess(existing, workspace.Path("new.db")), VelthornError);
    EXPECT_FALSE(QFile::exists(workspace.Path("new.db")));
}

TEST_F(ImportTest, FromTheCommandLine) {
    const QString mdb = Fixture("nwind.mdb");
    QProcess process;
    process.start(Program("velthorn"), {"--import-access", mdb, workspace.Path("n.db")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardOutput().contains("Products: 77 rows"));
    process.start(Program("velthorn"), {"--import-access", mdb, workspace.Path("n.db")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("exists already"));
}

}  // namespace
