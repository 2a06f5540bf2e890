// The two transfer passes: every chunk of the price list, then the rows of PriceListAll.
#include "merge/ListRows.h"
#include "schema/PriceListStatements.h"
#include "schema/ProductStatements.h"
#include "schema/TableNames.h"
#include "window/Texts.h"
#include "window/frmCorvatel.h"

namespace velthorn {

namespace {
const QString kThreeBlanks = QStringLiteral("   ");
const QString kTwoBlanks = QStringLiteral("  ");
}  // namespace

void frmCorvatel::ReadChunkList() {
    lngChunkCount = rsList->RecordCount();
    intChunk.assign(static_cast<size_t>(lngChunkCount) + 1, 0);
    for (size_t i = 0; !rsList->isEOF(); ++i) {
        intChunk[i] = rsList->Field(QStringLiteral("Count")).int16();
        rsList->MoveNext();
    }
    rsList->Close();
}

void frmCorvatel::TransferPriceList() {
    view_.SetText(Control::txtQTY, texts::kTransferring + strBrand);
    view_.DoEvents();
    strSQL = schema::pricelist::SelectChunkNumbers();
    OpenSql(*rsList, *cnPriceList);
    if (rsList->isEOF()) {
        rsList->Close();
        return;
    }
    ReadChunkList();
    for (int32_t i = 0; i < lngChunkCount; ++i) {
        const int16_t n = intChunk[static_cast<size_t>(i)];
        RenewDataConnection();
        strSQL = schema::product::DeleteStaged(lngBrandID);
        ExecuteSql(*cnData);

        strSQL = schema::pricelist::SelectChunkForTransfer(n);
        OpenSql(*rsList, *cnPriceList);
        const int32_t total = rsList->RecordCount();
        int32_t counter = 0;
        const QString table = schema::Chunk(n);
        const QString stage = texts::kChangingPrices + strBrand + QStringLiteral("_") +
                              QString::number(n) + kTwoBlanks;
        while (!rsList->isEOF()) {
            schema::pricelist::ListRow row =
                merge::ReadListRow(*rsList, merge::ListColumns::Transfer, table);
            if (row.sale.units() == 0) row.sale = row.price;
            ++counter;
            ++summary_.listRows;
            view_.SetText(Control::txtQTY, stage + QString::number(merge::Percent(counter, total)) +
                                               texts::kPercent);
            view_.SetText(Control::txtPartNO, merge::PartLine(row.kind, row.partNO, row.tName,
                                                              row.model, kThreeBlanks));
            view_.DoEvents();
            // The own number, the replacement and the alternate of one list row are written
            // together or not at all.
            cnData->BeginTrans();
            UpdatePart(row.kind, row.partNO, row.lKind, row.lAtNO, row.aKind, row.altNO, row.eName,
                       row.tName, row.model, row.import, row.price, row.sale);
            if (!row.lAtNO.isEmpty() && row.lAtNO != row.partNO) {
                UpdatePart(row.lKind, row.lAtNO, QString(), QString(), QString(), QString(),
                           row.eName, row.tName, row.model, row.import, row.price, row.sale);
            }
            if (!row.altNO.isEmpty() && row.altNO != row.partNO) {
                UpdatePart(row.aKind, row.altNO, QString(), QString(), QString(), QString(),
                           row.eName, row.tName, row.model, row.import, row.price, row.sale);
            }
            cnData->CommitTrans();
            rsList->MoveNext();
        }
        rsList->Close();
        AddNewPart(n);
        view_.SetText(Control::txtQTY, texts::kAddingNew + strBrand + texts::kHundredPercent);
    }
}

void frmCorvatel::TransferPriceListAll() {
    view_.SetText(Control::txtQTY, texts::kTransferring + strBrand);
    view_.DoEvents();
    strSQL = schema::product::DeleteStaged(lngBrandID);
    ExecuteSql(*cnData);

    strSQL = schema::pricelist::SelectSecondPassRows();
    OpenSql(*rsList, *cnPriceList);
    const int32_t total = rsList->RecordCount();
    int32_t counter = 0;
    const QString stage = texts::kChangingPrices + strBrand + texts::kAllSuffix;
    while (!rsList->isEOF()) {
        // The sale price is taken as listed, 0 included.
        const schema::pricelist::ListRow row = merge::ReadListRow(
            *rsList, merge::ListColumns::SecondPass, QStringLiteral("PriceListAll"));
        ++counter;
        view_.SetText(Control::txtQTY,
                      stage + QString::number(merge::Percent(counter, total)) + texts::kPercent);
        view_.SetText(Control::txtPartNO,
                      merge::PartLine(row.kind, row.partNO, row.tName, row.model, kThreeBlanks));
        view_.DoEvents();
        cnData->BeginTrans();
        UpdatePart(row.kind, row.partNO, QString(), QString(), QString(), QString(), row.eName,
                   row.tName, row.model, row.import, row.price, row.sale);
        cnData->CommitTrans();
        rsList->MoveNext();
    }
    rsList->Close();
    AddNewPart(0);
    view_.SetText(Control::txtQTY, texts::kAddingNew + strBrand + texts::kHundredPercent);
}

}  // namespace velthorn
