#pragma once
// The tables of both databases as this tool knows them, per schema version. The tool itself never
// creates a table in a shop's database: these definitions make demo and test databases, and the
// part table of every version carries each column at the position its record layout writes it.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "schema/Layouts.h"

namespace velthorn::schema {

enum class ColumnType { Text, Number, Amount, YesNo };

struct ColumnDef {
    QString name;
    ColumnType type;
    bool primaryKey = false;
};

struct IndexDef {
    QString name;
    QStringList columns;
    bool unique = false;
};

struct TableDef {
    QString name;
    std::vector<ColumnDef> columns;
    std::vector<IndexDef> indexes;

    int indexOf(const QString& column) const;  // 0-based, -1 when absent
};

// SQLite for files; the server flavour uses text, integer, numeric(19,4) and smallint.
enum class DdlFlavor { Sqlite, Server };

// The part table of a layout, named for the brand.
TableDef PartTable(Layout layout, int32_t brandId);
// Every table of a product database of this version for one brand (per-brand and shared).
std::vector<TableDef> ProductTables(const QString& version, int32_t brandId);
// The per-brand tables alone (a second brand in the same database).
std::vector<TableDef> BrandTables(const QString& version, int32_t brandId);
// The chunk index, the given chunk tables and PriceListAll.
std::vector<TableDef> PriceListTables(const std::vector<int16_t>& chunks);
TableDef ListTable(const QString& name);

// CREATE TABLE and CREATE INDEX statements.
QStringList CreateStatements(const TableDef& table, DdlFlavor flavor);

}  // namespace velthorn::schema
