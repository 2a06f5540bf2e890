// The price check against the list, and the change report of what still differs.
#include "keys/FindNumbers.h"
#include "merge/ListRows.h"
#include "schema/PriceListStatements.h"
#include "schema/ProductStatements.h"
#include "schema/TableNames.h"
#include "schema/Versions.h"
#include "window/Texts.h"
#include "window/frmCorvatel.h"

namespace velthorn {

namespace {

using merge::Difference;
using merge::StoredPrices;

Difference Compare(bool found, const StoredPrices& stored, const schema::pricelist::ListRow& row) {
    if (!found) return Difference::Missing;
    if (stored.price != row.price) return Difference::Price;
    if (stored.sale != row.sale) return Difference::Sale;
    return Difference::None;
}

}  // namespace

void frmCorvatel::CheckListRows(bool renewPerChunk,
                                const std::function<void(const schema::pricelist::ListRow&,
                                                         const StoredPrices&)>& onDifference) {
    namespace pl = schema::pricelist;
    const schema::VersionInfo& version = Version();
    const bool byFind = version.searchByFindNumber();
    const bool one = version.priceColumnsOne();
    const QString priceColumn = one ? QStringLiteral("Price1") : QStringLiteral("Price");
    const QString saleColumn = one ? QStringLiteral("Sale1") : QStringLiteral("Sale");
    strSQL = pl::SelectChunkNumbers();
    OpenSql(*rsList, *cnPriceList);
    if (rsList->isEOF()) {
        rsList->Close();
        return;
    }
    ReadChunkList();
    for (int32_t i = 0; i < lngChunkCount; ++i) {
        const int16_t n = intChunk[static_cast<size_t>(i)];
        if (renewPerChunk) RenewDataConnection();
        strSQL = pl::SelectChunkForCheck(n);
        OpenSql(*rsList, *cnPriceList);
        const int32_t total = rsList->RecordCount();
        const QString table = schema::Chunk(n);
        const QString stage = texts::kChecking + strBrand + QStringLiteral("_") +
                              QString::number(n) + QStringLiteral("  ");
        int32_t counter = 0;
        while (!rsList->isEOF()) {
            const pl::ListRow row = merge::ReadListRow(*rsList, merge::ListColumns::Check, table);
            ++counter;
            view_.SetText(Control::txtQTY, stage + QString::number(merge::Percent(counter, total)) +
                                               texts::kPercent);
            view_.SetText(Control::txtPartNO, merge::PartLine(row.kind, row.partNO, row.tName,
                                                              row.model, QStringLiteral("  ")));
            view_.DoEvents();

            const schema::product::PartKey key{row.kind, byFind,
                                               byFind ? keys::MakeFindNO(row.partNO) : row.partNO};
            strSQL = schema::product::SelectStoredPrices(lngBrandID, one, key);
            OpenSql(*rsData, *cnData);
            StoredPrices stored;
            const bool found = !rsData->isEOF();
            if (found) {
                stored.price = rsData->Field(priceColumn).currency();
                stored.sale = rsData->Field(saleColumn).currency();
            }
            rsData->Close();
            stored.difference = Compare(found, stored, row);
            if (stored.difference != Difference::None) onDifference(row, stored);
            rsList->MoveNext();
        }
        rsList->Close();
    }
}

void frmCorvatel::CheckPrices() {
    namespace pl = schema::pricelist;
    view_.SetText(Control::txtQTY, texts::kCheckingStart + strBrand);
    view_.DoEvents();
    strSQL = pl::ClearSecondPass();
    ExecuteSql(*cnPriceList);
    CheckListRows(false, [this](const pl::ListRow& row, const StoredPrices&) {
        ++summary_.secondPassRows;
        // Copied for the second pass; the write is read back.
        WriteAndReadBack(
            *cnPriceList,
            [&] {
                strSQL = pl::InsertSecondPass(row);
                ExecuteSql(*cnPriceList);
            },
            [&] { return pl::SelectSecondPassReadBack(row.kind, row.partNO); },
            [&] { return QStringLiteral("part '%1' of table PriceListAll").arg(row.partNO); });
    });
    view_.DoEvents();
    view_.SetText(Control::txtQTY, texts::kChecking + strBrand + texts::kHundredPercent);
}

int16_t frmCorvatel::HasPriceListAll() {
    strSQL = schema::pricelist::SelectSecondPassPresence();
    OpenSql(*rsList, *cnPriceList);
    const bool empty = rsList->isEOF();
    rsList->Close();
    return empty ? 0 : 1;
}

void frmCorvatel::ComparePrices() {
    view_.SetText(Control::txtQTY, texts::kCheckingStart + strBrand);
    view_.DoEvents();
    ClearDetailLines();
    int reportRow = 1;
    CheckListRows(true, [&](const schema::pricelist::ListRow& row, const StoredPrices& stored) {
        if (reportRow == view_.GridRows() - 1) view_.GridSetRows(view_.GridRows() + 1);
        const bool missing = stored.difference == Difference::Missing;
        QString code = row.partNO;
        if (!row.kind.isEmpty()) {
            code = row.kind + (missing ? QStringLiteral(" - ") : QStringLiteral("-")) + row.partNO;
        }
        QString oldAmount;
        QString newAmount = row.price.toString();
        if (stored.difference == Difference::Price) {
            oldAmount = stored.price.toString();
        } else if (stored.difference == Difference::Sale) {
            oldAmount = stored.sale.toString();
            newAmount = row.sale.toString();
        }
        view_.GridSetText(reportRow, 1, QString::number(reportRow));
        view_.GridSetText(reportRow, 2, missing ? texts::kNewMark : QString());
        view_.GridSetText(reportRow, 3, code);
        view_.GridSetText(reportRow, 4, row.tName);
        view_.GridSetText(reportRow, 5, row.model);
        view_.GridSetText(reportRow, 6, oldAmount);
        view_.GridSetText(reportRow, 7, newAmount);
        view_.DoEvents();
        ++reportRow;
        ++summary_.reportLines;
    });
    view_.DoEvents();
    view_.SetText(Control::txtQTY, texts::kChecking + strBrand + texts::kHundredPercent);
}

}  // namespace velthorn
