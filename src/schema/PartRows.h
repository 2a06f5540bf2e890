#pragma once
// Renders a layout's value words into the values of one new part row.
#include <QString>
#include <cstdint>
#include <vector>

#include "schema/Currency.h"
#include "schema/Layouts.h"
#include "schema/SqlValues.h"

namespace velthorn::schema {

// Which number of the staged row the part row is for.
enum class SlotRole { Own, Replacement, Alternate };

// What one staged row gives every part row it makes, and what the slot adds.
struct PartRowValues {
    SlotRole role = SlotRole::Own;
    int32_t id = 0;
    QString kind, number, find, full;  // the slot's
    QString rKind, rNumber;            // the staged row's replacement kind code and number
    QString eName, tKey, tName, eFind, tFind, model, import;
    Currency price, sale;
    int32_t brandId = 0;
    int32_t stamp = 0;
};

// The values of the row, in the layout's order, each written as statement text.
std::vector<QString> RenderPartRow(const LayoutInfo& layout, const PartRowValues& row,
                                   Dialect dialect);

}  // namespace velthorn::schema
