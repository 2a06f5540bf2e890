#pragma once
// Every statement the tool sends to the price-list file, one builder per statement form.
#include <QString>
#include <cstdint>

#include "schema/Currency.h"

namespace velthorn::schema::pricelist {

// The fourteen list columns of a chunk table and of PriceListAll, in table order.
struct ListRow {
    QString kind, partNO, partNew, fPartNew, lKind, lAtNO, aKind, altNO, eName, tName, model,
        import;
    Currency price, sale;
};

QString SelectChunkNumbers();
QString SelectChunkForTransfer(int16_t chunk);  // twelve columns
QString SelectChunkForCheck(int16_t chunk);     // all fourteen columns
QString ClearSecondPass();
QString InsertSecondPass(const ListRow& row);
QString SelectSecondPassReadBack(const QString& kind, const QString& partNO);
QString SelectSecondPassPresence();
QString SelectSecondPassRows();

}  // namespace velthorn::schema::pricelist
