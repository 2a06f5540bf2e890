#include "schema/TableDefs.h"

#include "schema/TableNames.h"
#include "schema/Versions.h"

namespace velthorn::schema {

int TableDef::indexOf(const QString& column) const {
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].name.compare(column, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    }
    return -1;
}

namespace {

// The column a layout word fills, and its type. Positions that only take fillers are named by
// their position and kind (Text8, Num18, Flag21).
ColumnDef ColumnForWord(const LayoutInfo& layout, Word word, int position, bool secondNumber) {
    const QString pos = QString::number(position);
    switch (word) {
        case Word::Id:
            return {"PartID", ColumnType::Number, true};
        case Word::Kind:
            return {"Kind", ColumnType::Text};
        case Word::Find:
            return {"FPartNO", ColumnType::Text};
        case Word::Number:
            return {secondNumber ? QStringLiteral("PartNO2") : QStringLiteral("PartNO"),
                    ColumnType::Text};
        case Word::RKind:
            return {"lKind", ColumnType::Text};
        case Word::RNumber:
            return {"lAtNO", ColumnType::Text};
        case Word::EName:
            return {"EName", ColumnType::Text};
        case Word::TKey:
            return {"IndTName", ColumnType::Text};
        case Word::TName:
            return {"TName", ColumnType::Text};
        case Word::EFind:
            return {"EFind", ColumnType::Text};
        case Word::TFind:
            return {"TFind", ColumnType::Text};
        case Word::Model:
            return {"Model", ColumnType::Text};
        case Word::Import:
        case Word::ImportStar:
            return {"Import", ColumnType::Text};
        case Word::Price:
            return {layout.priceColumnsOne ? QStringLiteral("Price1") : QStringLiteral("Price"),
                    ColumnType::Amount};
        case Word::Sale:
            return {layout.priceColumnsOne ? QStringLiteral("Sale1") : QStringLiteral("Sale"),
                    ColumnType::Amount};
        case Word::Brand:
            return {"BrandID", ColumnType::Number};
        case Word::Full:
            return {"FullNO", ColumnType::Text};
        case Word::Stamp:
            return {"DateStamp", ColumnType::Number};
        case Word::OwnFlag:
            return {"OwnFlag", ColumnType::Number};
        case Word::Differs:
            return {"PriceDiffers", ColumnType::Number};
        case Word::AltFlag:
            return {"AltFlag", ColumnType::Number};
        case Word::True:
        case Word::False:
            return {"Flag" + pos, ColumnType::YesNo};
        case Word::Empty:
            return {"Text" + pos, ColumnType::Text};
        case Word::Zero:
        case Word::One:
            break;
    }
    return {"Num" + pos, ColumnType::Number};
}

IndexDef Index(const QString& table, const QStringList& columns, bool unique = false) {
    return {"ix_" + table + "_" + columns.join(u'_'), columns, unique};
}

}  // namespace

TableDef PartTable(Layout layout, int32_t brandId) {
    const LayoutInfo& info = GetLayout(layout);
    TableDef table{Pta(brandId), {}, {}};
    bool numberSeen = false;
    for (size_t i = 0; i < info.words.size(); ++i) {
        const int position = static_cast<int>(i) + 1;
        const Word word = info.words[i];
        ColumnDef column = ColumnForWord(info, word, position, word == Word::Number && numberSeen);
        if (word == Word::Number) numberSeen = true;
        table.columns.push_back(column);
    }
    // The protection flag: the first column, except in the layout that opens with the
    // alternate flag, where it is the first filler number after the names.
    const int upRec = layout == Layout::P49 ? 23 : 0;
    table.columns[upRec] = {"UpRec", ColumnType::Number};
    if (layout == Layout::P45) {
        // Price1/Sale1 carry the prices; the table keeps its untouched Price and Sale beside them.
        table.columns[17] = {"Price", ColumnType::Amount};
        table.columns[21] = {"Sale", ColumnType::Amount};
    }
    table.indexes = {Index(table.name, {"PartNO"}), Index(table.name, {"FPartNO"})};
    return table;
}

std::vector<TableDef> BrandTables(const QString& version, int32_t brandId) {
    const VersionInfo& info = RequireVersion(version);
    std::vector<TableDef> tables;
    tables.push_back(PartTable(info.layout, brandId));
    const QString alt = Alt(brandId);
    if (info.altSale()) {
        tables.push_back({alt,
                          {{"AltID", ColumnType::Number},
                           {"AltFlag", ColumnType::Number},
                           {"Kind", ColumnType::Text},
                           {"PartNO", ColumnType::Text},
                           {"APrice", ColumnType::Amount},
                           {"ASale", ColumnType::Amount}},
                          {Index(alt, {"AltID"})}});
    } else {
        tables.push_back({alt,
                          {{"AltID", ColumnType::Number},
                           {"Kind", ColumnType::Text},
                           {"PartNO", ColumnType::Text},
                           {"APrice", ColumnType::Amount}},
                          {Index(alt, {"AltID"})}});
    }
    const QString altG = AltG(brandId);
    tables.push_back({altG,
                      {{"AltGID", ColumnType::Number},
                       {"PartID", ColumnType::Number},
                       {"AltID", ColumnType::Number}},
                      {Index(altG, {"PartID"})}});
    const QString facD = FacD(brandId);
    tables.push_back({facD,
                      {{"FacDID", ColumnType::Number},
                       {"PartID", ColumnType::Number},
                       {"FacID", ColumnType::Number}},
                      {Index(facD, {"PartID"})}});
    return tables;
}

std::vector<TableDef> ProductTables(const QString& version, int32_t brandId) {
    std::vector<TableDef> tables = {
        {"System", {{"Ver", ColumnType::Text}}, {}},
        {"Brand", {{"BrandID", ColumnType::Number}, {"BrandName", ColumnType::Text}}, {}},
        {"LastID",
         {{"NameID", ColumnType::Text}, {"LastID", ColumnType::Number}},
         {Index("LastID", {"NameID"}, true)}},
        {"OldID",
         {{"NameID", ColumnType::Text}, {"OldID", ColumnType::Number}},
         {Index("OldID", {"NameID", "OldID"})}},
        {"Fac", {{"FacID", ColumnType::Number}, {"FacName", ColumnType::Text}}, {}},
        {"AltGX", {{"PartID", ColumnType::Number}}, {Index("AltGX", {"PartID"})}},
        {"PriceList",
         {{"BrandID", ColumnType::Number},
          {"PartNO", ColumnType::Text},
          {"Kind", ColumnType::Text},
          {"lAtNO", ColumnType::Text},
          {"lKind", ColumnType::Text},
          {"AltNO", ColumnType::Text},
          {"AKind", ColumnType::Text},
          {"EName", ColumnType::Text},
          {"TName", ColumnType::Text},
          {"Model", ColumnType::Text},
          {"Import", ColumnType::Text},
          {"Price", ColumnType::Amount},
          {"Sale", ColumnType::Amount}},
         {Index("PriceList", {"BrandID", "PartNO"})}},
        {"MovementStock",
         {{"PartID", ColumnType::Number},
          {"BrandID", ColumnType::Number},
          {"EName", ColumnType::Text},
          {"TName", ColumnType::Text},
          {"Model", ColumnType::Text},
          {"Qty", ColumnType::Number}},
         {Index("MovementStock", {"PartID", "BrandID"})}},
        {"SPG",
         {{"BrandID", ColumnType::Number},
          {"PartID", ColumnType::Number},
          {"EName", ColumnType::Text},
          {"TName", ColumnType::Text},
          {"Model", ColumnType::Text},
          {"Price", ColumnType::Amount}},
         {Index("SPG", {"BrandID", "PartID"})}},
        {"Price",
         {{"PartID", ColumnType::Number},
          {"BrandID", ColumnType::Number},
          {"TName", ColumnType::Text},
          {"Model", ColumnType::Text}},
         {Index("Price", {"PartID", "BrandID"})}},
        {"Sale",
         {{"PartID", ColumnType::Number},
          {"BrandID", ColumnType::Number},
          {"TName", ColumnType::Text},
          {"Model", ColumnType::Text}},
         {Index("Sale", {"PartID", "BrandID"})}},
    };
    for (TableDef& table : BrandTables(version, brandId))
        tables.push_back(std::move(table));
    return tables;
}

TableDef ListTable(const QString& name) {
    TableDef table{name, {}, {}};
    for (const char* column : {"Kind", "PartNO", "PartNew", "FPartNew", "lKind", "lAtNO", "AKind",
                               "AltNO", "EName", "TName", "Model", "Import"}) {
        table.columns.push_back({QString::fromLatin1(column), ColumnType::Text});
    }
    table.columns.push_back({"Price", ColumnType::Amount});
    table.columns.push_back({"Sale", ColumnType::Amount});
    return table;
}

std::vector<TableDef> PriceListTables(const std::vector<int16_t>& chunks) {
    std::vector<TableDef> tables;
    tables.push_back({"PriceList_Count", {{"Count", ColumnType::Number}}, {}});
    for (int16_t chunk : chunks)
        tables.push_back(ListTable(Chunk(chunk)));
    TableDef all = ListTable("PriceListAll");
    all.indexes = {Index(all.name, {"PartNO"})};
    tables.push_back(all);
    return tables;
}

QStringList CreateStatements(const TableDef& table, DdlFlavor flavor) {
    auto typeName = [flavor](ColumnType type) -> QString {
        const bool server = flavor == DdlFlavor::Server;
        switch (type) {
            case ColumnType::Text:
                return server ? "text" : "TEXT";
            case ColumnType::Number:
                return server ? "integer" : "INTEGER";
            case ColumnType::Amount:
                return server ? "numeric(19,4)" : "CURRENCY";
            case ColumnType::YesNo:
                return server ? "smallint" : "YESNO";
        }
        return {};
    };
    QStringList columns;
    for (const ColumnDef& column : table.columns) {
        QString text = column.name + " " + typeName(column.type);
        if (column.primaryKey) text += " PRIMARY KEY";
        columns << text;
    }
    QStringList statements{"CREATE TABLE " + table.name + " (" + columns.join(", ") + ")"};
    for (const IndexDef& index : table.indexes) {
        statements << QString("CREATE %1INDEX %2 ON %3 (%4)")
                          .arg(index.unique ? "UNIQUE " : "", index.name, table.name,
                               index.columns.join(", "));
    }
    return statements;
}

}  // namespace velthorn::schema
