#include "schema/PriceListStatements.h"

#include "schema/SqlValues.h"
#include "schema/TableNames.h"

namespace velthorn::schema::pricelist {

QString SelectChunkNumbers() {
    return QStringLiteral("Select Count From PriceList_Count Order By Count");
}

QString SelectChunkForTransfer(int16_t chunk) {
    return "Select Kind, PartNO, lKind, lAtNO, AKind, AltNO, EName, TName, Model, Import, Price, "
           "Sale From " +
           Chunk(chunk) + " Order By PartNO";
}

QString SelectChunkForCheck(int16_t chunk) {
    return "Select Kind, PartNO, PartNew, FPartNew, lKind, lAtNO, AKind, AltNO, EName, TName, "
           "Model, Import, Price, Sale From " +
           Chunk(chunk) + " Order By PartNO";
}

QString ClearSecondPass() {
    return QStringLiteral("Delete From PriceListAll");
}

QString InsertSecondPass(const ListRow& row) {
    return "Insert Into PriceListAll Values( " + Quote(row.kind) + ", " + Quote(row.partNO) + ", " +
           Quote(row.partNew) + ", " + Quote(row.fPartNew) + ", " + Quote(row.lKind) + ", " +
           Quote(row.lAtNO) + ", " + Quote(row.aKind) + ", " + Quote(row.altNO) + ", " +
           Quote(row.eName) + ", " + Quote(row.tName) + ", " + Quote(row.model) + ", " +
           Quote(row.import) + ", " + Amount(row.price) + ", " + Amount(row.sale) + " )";
}

QString SelectSecondPassReadBack(const QString& kind, const QString& partNO) {
    QString condition;
    if (!kind.isEmpty()) condition = "Kind = " + Quote(kind) + " And ";
    return "Select PartNO From PriceListAll Where " + condition + "PartNO = " + Quote(partNO);
}

QString SelectSecondPassPresence() {
    return QStringLiteral(
        "Select PartNO, lAtNO, AltNO, EName, TName, Model, Price From PriceListAll");
}

QString SelectSecondPassRows() {
    return QStringLiteral(
        "Select Kind, PartNO, EName, TName, Model, Import, Price, Sale From PriceListAll");
}

}  // namespace velthorn::schema::pricelist
