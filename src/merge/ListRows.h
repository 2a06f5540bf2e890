#pragma once
// Reading price-list rows and staged rows, and the progress lines the passes show for them.
#include <QString>
#include <cstdint>

#include "db/Recordset.h"
#include "schema/PriceListStatements.h"

namespace velthorn::merge {

// Which columns a statement selected.
enum class ListColumns {
    Transfer,  // Kind, PartNO, lKind, lAtNO, AKind, AltNO, EName, TName, Model, Import, Price, Sale
    Check,     // all fourteen list columns
    SecondPass,  // Kind, PartNO, EName, TName, Model, Import, Price, Sale
};

// The current row, texts trimmed and amounts exact. Raises, naming the table and the part, on a
// null, an amount that is not a number, negative or beyond the currency range, or an empty
// PartNO: a price list with such a row was not prepared for this tool.
schema::pricelist::ListRow ReadListRow(const db::Recordset& rows, ListColumns columns,
                                       const QString& table);

// The integer part of counter × 100 ÷ total.
qint64 Percent(int32_t counter, int32_t total);

// How a list row differs from what the product database holds for its part.
enum class Difference { None, Missing, Price, Sale };

// The stored price pair of a list row's part, and how the row differs from it.
struct StoredPrices {
    Difference difference = Difference::None;
    schema::Currency price, sale;
};

// "Kind-PartNO - name<gap>Model", or without the kind code and its dash when Kind is empty.
QString PartLine(const QString& kind, const QString& partNO, const QString& name,
                 const QString& model, const QString& gap);

}  // namespace velthorn::merge
