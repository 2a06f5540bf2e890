// The price check against the list, and the change report of what still differs.
#include "db/Error.h"
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

// What the product database holds for a list row, and how it differs.
enum class Difference { None, Missing, Price, Sale };

struct Stored {
    Difference difference = Difference::None;
    schema::Currency price, sale;
};

Difference Compare(bool found, const Stored& stored, const schema::pricelist::ListRow& row) {
    if (!found) return Difference::Missing;
    if (stored.price != row.price) return Difference::Price;
    if (stored.sale != row.sale) return Difference::Sale;
    return Difference::None;
}

// Shared by both passes: progress for the row, the lookup, and the difference rule.
Stored CheckRow(frmCorvatel& form, FormView& view, const schema::VersionInfo& version,
                const QString& stage, int32_t counter, int32_t total,
                const schema::pricelist::ListRow& row) {
    view.SetText(Control::txtQTY,
                 stage + QString::number(merge::Percent(counter, total)) + texts::kPercent);
    view.SetText(Control::txtPartNO,
                 merge::PartLine(row.kind, row.partNO, row.tName, row.model, QStringLiteral("  ")));
    view.DoEvents();

    const bool byFind = version.searchByFindNumber();
    const schema::product::PartKey key{row.kind, byFind,
                                       byFind ? keys::MakeFindNO(row.partNO) : row.partNO};
    form.strSQL =
        schema::product::SelectStoredPrices(form.lngBrandID, version.priceColumnsOne(), key);
    form.rsData->Open(form.strSQL, *form.cnData, db::adOpenKeyset, db::adLockOptimistic);
    Stored stored;
    const bool found = !form.rsData->isEOF();
    if (found) {
        const bool one = version.priceColumnsOne();
        stored.price =
            form.rsData->Field(one ? QStringLiteral("Price1") : QStringLiteral("Price")).currency();
        stored.sale =
            form.rsData->Field(one ? QStringLiteral("Sale1") : QStringLiteral("Sale")).currency();
    }
    form.rsData->Close();
    stored.difference = Compare(found, stored, row);
    return stored;
}

}  // namespace

void frmCorvatel::CheckPrices() {
    namespace pl = schema::pricelist;
    view_.SetText(Control::txtQTY, texts::kCheckingStart + strBrand);
    view_.DoEvents();
    strSQL = pl::ClearSecondPass();
    ExecuteSql(*cnPriceList);

    const schema::VersionInfo& version = Version();
    strSQL = pl::SelectChunkNumbers();
    OpenSql(*rsList, *cnPriceList);
    if (rsList->isEOF()) {
        rsList->Close();
    } else {
        ReadChunkList();
        for (int32_t i = 0; i < lngChunkCount; ++i) {
            const int16_t n = intChunk[static_cast<size_t>(i)];
            strSQL = pl::SelectChunkForCheck(n);
            OpenSql(*rsList, *cnPriceList);
            const int32_t total = rsList->RecordCount();
            const QString table = schema::Chunk(n);
            const QString stage = texts::kChecking + strBrand + QStringLiteral("_") +
                                  QString::number(n) + QStringLiteral("  ");
            int32_t counter = 0;
            while (!rsList->isEOF()) {
                const pl::ListRow row =
                    merge::ReadListRow(*rsList, merge::ListColumns::Check, table);
                ++counter;
                const Stored stored = CheckRow(*this, view_, version, stage, counter, total, row);
                if (stored.difference != Difference::None) {
                    ++summary_.secondPassRows;
                    // Copied for the second pass; the write is read back.
                    for (int attempt = 1;; ++attempt) {
                        strSQL = pl::InsertSecondPass(row);
                        ExecuteSql(*cnPriceList);
                        strSQL = pl::SelectSecondPassReadBack(row.kind, row.partNO);
                        OpenSql(*rsCheck, *cnPriceList);
                        const bool found = !rsCheck->isEOF();
                        rsCheck->Close();
                        if (found) break;
                        if (attempt == kReadBackAttempts) {
                            throw VelthornError(
                                QStringLiteral("part '%1' cannot be read back from table "
                                               "PriceListAll after %2 writes")
                                    .arg(row.partNO)
                                    .arg(attempt));
                        }
                    }
                }
                rsList->MoveNext();
            }
            rsList->Close();
        }
    }
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
    namespace pl = schema::pricelist;
    view_.SetText(Control::txtQTY, texts::kCheckingStart + strBrand);
    view_.DoEvents();
    ClearDetailLines();
    int reportRow = 1;

    const schema::VersionInfo& version = Version();
    strSQL = pl::SelectChunkNumbers();
    OpenSql(*rsList, *cnPriceList);
    if (rsList->isEOF()) {
        rsList->Close();
    } else {
        ReadChunkList();
        for (int32_t i = 0; i < lngChunkCount; ++i) {
            const int16_t n = intChunk[static_cast<size_t>(i)];
            RenewDataConnection();
            strSQL = pl::SelectChunkForCheck(n);
            OpenSql(*rsList, *cnPriceList);
            const int32_t total = rsList->RecordCount();
            const QString table = schema::Chunk(n);
            const QString stage = texts::kChecking + strBrand + QStringLiteral("_") +
                                  QString::number(n) + QStringLiteral("  ");
            int32_t counter = 0;
            while (!rsList->isEOF()) {
                const pl::ListRow row =
                    merge::ReadListRow(*rsList, merge::ListColumns::Check, table);
                ++counter;
                const Stored stored = CheckRow(*this, view_, version, stage, counter, total, row);
                if (stored.difference != Difference::None) {
                    if (reportRow == view_.GridRows() - 1) view_.GridSetRows(view_.GridRows() + 1);
                    const bool missing = stored.difference == Difference::Missing;
                    QString code = row.partNO;
                    if (!row.kind.isEmpty()) {
                        code = row.kind + (missing ? QStringLiteral(" - ") : QStringLiteral("-")) +
                               row.partNO;
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
                }
                rsList->MoveNext();
            }
            rsList->Close();
        }
    }
    view_.DoEvents();
    view_.SetText(Control::txtQTY, texts::kChecking + strBrand + texts::kHundredPercent);
}

}  // namespace velthorn
