#include "schema/ProductStatements.h"

#include "schema/SqlValues.h"
#include "schema/TableNames.h"

namespace velthorn::schema::product {

// --- version, brand, identifiers

QString SelectVersion() {
    return QStringLiteral("Select ") + "Ver " + "From " + "System ";
}

QString SelectBrandID(const QString& brandName) {
    return QStringLiteral("Select ") + "BrandID " + "From " + "Brand " +
           "Where BrandName = " + Quote(brandName);
}

QString SelectOldID(const QString& series) {
    return "Select OldID From OldID Where NameID = " + Quote(series) + " Order By OldID";
}

QString DeleteOldID(const QString& series, int32_t id) {
    return "Delete From OldID Where NameID = " + Quote(series) + " And OldID = " + Num(id);
}

QString SelectLastID(const QString& series) {
    return "Select NameID, LastID From LastID Where NameID = " + Quote(series);
}

QString InsertLastID(const QString& series, int32_t value) {
    return "Insert Into LastID (NameID, LastID) Values( " + Quote(series) + ", " + Num(value) +
           " )";
}

QString UpdateLastID(const QString& series, int32_t value, int32_t previous) {
    return "Update LastID Set LastID = " + Num(value) + " Where NameID = " + Quote(series) +
           " And LastID = " + Num(previous);
}

// --- part lookups

QString KeyCondition(const PartKey& key) {
    const QString column = key.byFind ? QStringLiteral("FPartNO") : QStringLiteral("PartNO");
    QString condition;
    if (!key.kind.isEmpty()) condition = "Kind = " + Quote(key.kind) + " And ";
    return condition + column + " = " + Quote(key.value);
}

QString SelectMatches(int32_t brandId, const PartKey& key) {
    return "Select UpRec, PartID From " + Pta(brandId) + " Where " + KeyCondition(key);
}

QString SelectPartID(int32_t brandId, const PartKey& key) {
    return "Select PartID From " + Pta(brandId) + " Where " + KeyCondition(key);
}

QString SelectStoredPrices(int32_t brandId, bool priceColumnsOne, const PartKey& key) {
    const QString columns =
        priceColumnsOne ? QStringLiteral("Price1, Sale1") : QStringLiteral("Price, Sale");
    return "Select " + columns + " From " + Pta(brandId) + " Where " + KeyCondition(key);
}

// --- updates of existing parts

QString UpdatePart(int32_t brandId, int32_t partId, const Assignments& set) {
    QString list;
    for (const auto& [column, value] : set) {
        if (!list.isEmpty()) list += ", ";
        list += column + " = " + value;
    }
    return "Update " + Pta(brandId) + " Set " + list + " Where PartID = " + Num(partId);
}

QString UpdateShared(const QString& table, const QString& column, const QString& text,
                     int32_t partId, int32_t brandId) {
    return "Update " + table + " Set " + column + " = " + Quote(text) +
           " Where PartID = " + Num(partId) + " And BrandID = " + Num(brandId);
}

QString UpdateSpg(const QString& column, const QString& value, int32_t brandId, int32_t partId) {
    return "Update SPG Set " + column + " = " + value + " Where BrandID = " + Num(brandId) +
           " And PartID = " + Num(partId);
}

QString UpdateAltPrices(int32_t brandId, int32_t altId, Currency price, const Currency* sale) {
    QString set = "APrice = " + Amount(price);
    if (sale) set += ", ASale = " + Amount(*sale);
    return "Update " + Alt(brandId) + " Set " + set + " Where AltID = " + Num(altId);
}

QString SelectPriceReadBack(int32_t brandId, int32_t partId, bool priceColumnsOne, Currency price,
                            Currency sale) {
    const QString priceColumn =
        priceColumnsOne ? QStringLiteral("Price1") : QStringLiteral("Price");
    const QString saleColumn = priceColumnsOne ? QStringLiteral("Sale1") : QStringLiteral("Sale");
    return "Select PartID From " + Pta(brandId) + " Where PartID = " + Num(partId) + " And " +
           priceColumn + " = " + Amount(price) + " And " + saleColumn + " = " + Amount(sale);
}

// --- staging table

namespace {
QString StagedCondition(int32_t brandId, const QString& kind, const QString& partNO) {
    QString condition = "BrandID = " + Num(brandId);
    if (!kind.isEmpty()) condition += " And Kind = " + Quote(kind);
    return condition + " And PartNO = " + Quote(partNO);
}
}  // namespace

QString DeleteStaged(int32_t brandId) {
    return "Delete From PriceList Where BrandID = " + Num(brandId);
}

QString InsertStaged(int32_t brandId, const StagedRow& row) {
    return "Insert Into PriceList Values( " + Num(brandId) + ", " + Quote(row.partNO) + ", " +
           Quote(row.kind) + ", " + Quote(row.lAtNO) + ", " + Quote(row.lKind) + ", " +
           Quote(row.altNO) + ", " + Quote(row.aKind) + ", " + Quote(row.eName) + ", " +
           Quote(row.tName) + ", " + Quote(row.model) + ", " + Quote(row.import) + ", " +
           Amount(row.price) + ", " + Amount(row.sale) + " )";
}

QString SelectStagedReadBack(int32_t brandId, const QString& kind, const QString& partNO) {
    return "Select PartNO From PriceList Where " + StagedCondition(brandId, kind, partNO);
}

QString SelectStagedNumbers(int32_t brandId) {
    return "Select PartNO From PriceList Where BrandID = " + Num(brandId);
}

QString SelectStagedRows(int32_t brandId) {
    return "Select Kind, PartNO, lKind, lAtNO, AKind, AltNO, EName, TName, Model, Import, Price, "
           "Sale From PriceList Where BrandID = " +
           Num(brandId) + " Order By PartNO";
}

QString DeleteStagedRow(int32_t brandId, const QString& kind, const QString& partNO) {
    return "Delete From PriceList Where " + StagedCondition(brandId, kind, partNO);
}

// --- new part rows

QString InsertPartRow(int32_t brandId, const std::vector<QString>& values) {
    QString list;
    for (const QString& value : values) {
        if (!list.isEmpty()) list += ", ";
        list += value;
    }
    return "Insert Into " + Pta(brandId) + " Values( " + list + " )";
}

QString InsertAltRow(int32_t brandId, int32_t id, const QString& kind, const QString& number,
                     Currency price) {
    return "Insert Into " + Alt(brandId) + " Values( " + Num(id) + ", " + Quote(kind) + ", " +
           Quote(number) + ", " + Amount(price) + " )";
}

QString InsertAltRowWithSale(int32_t brandId, int32_t id, const QString& kind,
                             const QString& number, Currency price, Currency sale) {
    return "Insert Into " + Alt(brandId) + " Values( " + Num(id) + ", 1, " + Quote(kind) + ", " +
           Quote(number) + ", " + Amount(price) + ", " + Amount(sale) + " )";
}

QString DeleteAltPlaceholder(int32_t brandId) {
    return "Delete From " + Alt(brandId) + " Where AltID = 0";
}

QString InsertAltPlaceholder(int32_t brandId, bool withSale) {
    return "Insert Into " + Alt(brandId) +
           (withSale ? QStringLiteral(" Values( 0, 0, '', '', 0, 0 )")
                     : QStringLiteral(" Values( 0, '', '', 0 )"));
}

// --- groups and factory links

QString SelectAltGroup(int32_t brandId, int32_t partId) {
    const QString pta = Pta(brandId);
    const QString altG = AltG(brandId);
    return "Select " + pta + ".PartID From " + altG + " Inner Join " + pta + " On " + altG +
           ".AltID = " + pta + ".PartID Where " + altG + ".PartID = " + Num(partId);
}

QString SelectFactoryLinks(int32_t brandId, int32_t partId) {
    const QString facD = FacD(brandId);
    return "Select Fac.FacID From " + facD + " Inner Join Fac On " + facD +
           ".FacID = Fac.FacID Where PartID = " + Num(partId);
}

QString DeleteGroupRows(int32_t brandId, int32_t partId) {
    return "Delete From " + AltG(brandId) + " Where PartID = " + Num(partId);
}

QString InsertGroupRow(int32_t brandId, int32_t partId, int32_t altId) {
    return "Insert Into " + AltG(brandId) + " Values( 0, " + Num(partId) + ", " + Num(altId) + " )";
}

QString DeleteFactoryLinks(int32_t brandId, int32_t partId) {
    return "Delete From " + FacD(brandId) + " Where PartID = " + Num(partId);
}

QString InsertFactoryLink(int32_t brandId, int32_t partId, int32_t facId) {
    return "Insert Into " + FacD(brandId) + " Values( 0, " + Num(partId) + ", " + Num(facId) + " )";
}

QString ClearWorkList() {
    return QStringLiteral("Delete From AltGX");
}

QString FillWorkList(int32_t brandId) {
    return "Insert Into AltGX(PartID) Select PartID From Pta" + Num(brandId);
}

QString SelectWorkList() {
    return QStringLiteral("Select PartID From AltGX");
}

QString DeleteFromWorkList(int32_t partId) {
    return "Delete From AltGX Where PartID = " + Num(partId);
}

QString DeleteInvalidWorkListEntries() {
    return QStringLiteral("Delete From AltGX Where PartID <= 0 Or PartID Is Null");
}

}  // namespace velthorn::schema::product
