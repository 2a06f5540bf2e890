#pragma once
// Every statement the tool sends to the product database, one builder per statement form.
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

#include "schema/Currency.h"

namespace velthorn::schema::product {

// --- version, brand, identifiers
QString SelectVersion();
QString SelectBrandID(const QString& brandName);
QString SelectOldID(const QString& series);
QString DeleteOldID(const QString& series, int32_t id);
QString SelectLastID(const QString& series);
QString InsertLastID(const QString& series, int32_t value);
// Moves the counter only when it still holds the value read (an optimistic lock).
QString UpdateLastID(const QString& series, int32_t value, int32_t previous);

// --- part lookups
// A part is found by its kind code (when not empty) and its number or find number.
struct PartKey {
    QString kind;   // empty: the number alone
    bool byFind;    // compare FPartNO instead of PartNO
    QString value;  // the number, or its find number
};
QString KeyCondition(const PartKey& key);
QString SelectMatches(int32_t brandId, const PartKey& key);  // UpRec, PartID
QString SelectPartID(int32_t brandId, const PartKey& key);
QString SelectStoredPrices(int32_t brandId, bool priceColumnsOne, const PartKey& key);

// --- updates of existing parts
// Column assignments, each value already written as statement text.
using Assignments = std::vector<std::pair<QString, QString>>;
QString UpdatePart(int32_t brandId, int32_t partId, const Assignments& set);
// MovementStock, Price and Sale: one text column of the part's row.
QString UpdateShared(const QString& table, const QString& column, const QString& text,
                     int32_t partId, int32_t brandId);
// SPG: one column, the value already written as statement text.
QString UpdateSpg(const QString& column, const QString& value, int32_t brandId, int32_t partId);
QString UpdateAltPrices(int32_t brandId, int32_t altId, Currency price, const Currency* sale);
QString SelectPriceReadBack(int32_t brandId, int32_t partId, bool priceColumnsOne, Currency price,
                            Currency sale);

// --- staging table
struct StagedRow {
    QString kind, partNO, lKind, lAtNO, aKind, altNO, eName, tName, model, import;
    Currency price, sale;
};
QString DeleteStaged(int32_t brandId);
QString InsertStaged(int32_t brandId, const StagedRow& row);
QString SelectStagedReadBack(int32_t brandId, const QString& kind, const QString& partNO);
QString SelectStagedNumbers(int32_t brandId);
QString SelectStagedRows(int32_t brandId);
QString DeleteStagedRow(int32_t brandId, const QString& kind, const QString& partNO);

// --- new part rows (values already rendered by the layout)
QString InsertPartRow(int32_t brandId, const std::vector<QString>& values);
QString InsertAltRow(int32_t brandId, int32_t id, const QString& kind, const QString& number,
                     Currency price);
QString InsertAltRowWithSale(int32_t brandId, int32_t id, const QString& kind,
                             const QString& number, Currency price, Currency sale);
QString DeleteAltPlaceholder(int32_t brandId);
QString InsertAltPlaceholder(int32_t brandId, bool withSale);

// --- groups and factory links
QString SelectAltGroup(int32_t brandId, int32_t partId);
QString SelectFactoryLinks(int32_t brandId, int32_t partId);
QString DeleteGroupRows(int32_t brandId, int32_t partId);
QString InsertGroupRow(int32_t brandId, int32_t partId, int32_t altId);
QString DeleteFactoryLinks(int32_t brandId, int32_t partId);
QString InsertFactoryLink(int32_t brandId, int32_t partId, int32_t facId);
QString ClearWorkList();
QString FillWorkList(int32_t brandId);
QString SelectWorkList();
QString DeleteFromWorkList(int32_t partId);
// Entries no group can ever take off the work list.
QString DeleteInvalidWorkListEntries();

}  // namespace velthorn::schema::product
