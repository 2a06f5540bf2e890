// Merging one price-list part: every matching row of the brand's part table is updated, or the
// part is staged as a new one.
#include "keys/FindNumbers.h"
#include "keys/Text.h"
#include "schema/ProductStatements.h"
#include "schema/SqlValues.h"
#include "schema/TableNames.h"
#include "schema/Versions.h"
#include "window/frmCorvatel.h"

namespace velthorn {

namespace {
QString FindText(const QString& name, const QString& model) {
    return keys::TrimBlanks(keys::TrimBlanks(name) + QStringLiteral("  ") +
                            keys::TrimBlanks(model));
}
bool Given(const QString& text) {
    return !keys::TrimBlanks(text).isEmpty();
}
}  // namespace

void frmCorvatel::UpdatePart(const QString& Kind, const QString& PartNO, const QString& lKind,
                             const QString& lAtNO, const QString& AKind, const QString& AltNO,
                             const QString& EName, const QString& TName, const QString& Model,
                             const QString& Import, schema::Currency Price, schema::Currency Sale) {
    namespace sql = schema::product;
    using schema::Quote;
    const schema::VersionInfo& version = Version();
    const int32_t b = lngBrandID;
    const bool byFind = version.searchByFindNumber();
    const sql::PartKey key{keys::TrimBlanks(Kind), byFind,
                           byFind ? keys::MakeFindNO(PartNO) : keys::TrimBlanks(PartNO)};

    // Step 1 and 2: look the part up and note every match.
    strSQL = sql::SelectMatches(b, key);
    OpenSql(*rsData, *cnData);
    if (rsData->isEOF()) {
        rsData->Close();
        // Step 4: a new part, staged for AddNewPart; the write is read back.
        const sql::StagedRow staged{Kind,  PartNO, lKind, lAtNO,  AKind, AltNO,
                                    EName, TName,  Model, Import, Price, Sale};
        WriteAndReadBack(
            *cnData,
            [&] {
                strSQL = sql::InsertStaged(b, staged);
                ExecuteSql(*cnData);
            },
            [&] { return sql::SelectStagedReadBack(b, keys::TrimBlanks(Kind), PartNO); },
            [&] { return QStringLiteral("the staged part '%1' of table PriceList").arg(PartNO); });
        return;
    }
    lngMatchCount = rsData->RecordCount();
    udtMatch.assign(static_cast<size_t>(lngMatchCount) + 1, MatchEntry{});
    for (size_t i = 0; !rsData->isEOF(); ++i) {
        udtMatch[i].UpRec = rsData->Field(QStringLiteral("UpRec")).int16();
        udtMatch[i].PartID = rsData->Field(QStringLiteral("PartID")).int32();
        rsData->MoveNext();
    }
    rsData->Close();

    // Step 3: each match in lookup order.
    const bool findTexts = version.findTexts();
    const bool priceOne = version.priceColumnsOne();
    QString thaiKey;  // made once, when a Thai name is written
    for (int32_t entry = 0; entry < lngMatchCount; ++entry) {
        const MatchEntry& match = udtMatch[static_cast<size_t>(entry)];
        const int32_t id = match.PartID;
        // The whole entry is written again while its prices do not read back.
        const auto write = [&] {
            if (match.UpRec == 0) {
                if (Given(lAtNO)) {
                    strSQL = sql::UpdatePart(b, id, {{"lAtNO", Quote(lAtNO)}});
                    ExecuteSql(*cnData);
                }
                if (findTexts) {
                    if (Given(EName)) {
                        strSQL = sql::UpdatePart(
                            b, id,
                            {{"EFind", Quote(FindText(EName, Model))}, {"EName", Quote(EName)}});
                        ExecuteSql(*cnData);
                    }
                    if (Given(TName)) {
                        strSQL = sql::UpdatePart(
                            b, id,
                            {{"TFind", Quote(FindText(TName, Model))}, {"TName", Quote(TName)}});
                        ExecuteSql(*cnData);
                    }
                } else {
                    if (Given(EName)) {
                        strSQL = sql::UpdatePart(b, id, {{"EName", Quote(EName)}});
                        ExecuteSql(*cnData);
                    }
                    if (Given(TName)) {
                        if (thaiKey.isNull()) thaiKey = keys::MakeThaiFind(TName);
                        strSQL = sql::UpdatePart(
                            b, id, {{"IndTName", Quote(thaiKey)}, {"TName", Quote(TName)}});
                        ExecuteSql(*cnData);
                    }
                }
                if (Given(EName)) {
                    strSQL = sql::UpdateShared("MovementStock", "EName", EName, id, b);
                    ExecuteSql(*cnData);
                    strSQL = sql::UpdateSpg("EName", Quote(EName), b, id);
                    ExecuteSql(*cnData);
                }
                if (Given(TName)) {
                    strSQL = sql::UpdateShared("MovementStock", "TName", TName, id, b);
                    ExecuteSql(*cnData);
                    strSQL = sql::UpdateSpg("TName", Quote(TName), b, id);
                    ExecuteSql(*cnData);
                    strSQL = sql::UpdateShared("Price", "TName", TName, id, b);
                    ExecuteSql(*cnData);
                    strSQL = sql::UpdateShared("Sale", "TName", TName, id, b);
                    ExecuteSql(*cnData);
                }
                if (Given(Model)) {
                    strSQL = sql::UpdatePart(b, id, {{"Model", Quote(Model)}});
                    ExecuteSql(*cnData);
                    strSQL = sql::UpdateShared("MovementStock", "Model", Model, id, b);
                    ExecuteSql(*cnData);
                    strSQL = sql::UpdateSpg("Model", Quote(Model), b, id);
                    ExecuteSql(*cnData);
                    strSQL = sql::UpdateShared("Price", "Model", Model, id, b);
                    ExecuteSql(*cnData);
                    strSQL = sql::UpdateShared("Sale", "Model", Model, id, b);
                    ExecuteSql(*cnData);
                }
                if (Given(Import)) {
                    strSQL = sql::UpdatePart(b, id, {{"Import", Quote(Import)}});
                    ExecuteSql(*cnData);
                }
            }
            // Prices, protected or not.
            strSQL = sql::UpdatePart(b, id,
                                     {{priceOne ? "Price1" : "Price", schema::Amount(Price)},
                                      {priceOne ? "Sale1" : "Sale", schema::Amount(Sale)}});
            ExecuteSql(*cnData);
            strSQL = sql::UpdateAltPrices(b, id, Price, version.altSale() ? &Sale : nullptr);
            ExecuteSql(*cnData);
            strSQL = sql::UpdateSpg("Price", schema::Amount(Price), b, id);
            ExecuteSql(*cnData);
        };
        WriteAndReadBack(
            *cnData, write, [&] { return sql::SelectPriceReadBack(b, id, priceOne, Price, Sale); },
            [&] {
                return QStringLiteral(
                           "the prices of part '%1' (PartID %2, Price %3, Sale %4) in "
                           "table %5")
                    .arg(PartNO)
                    .arg(id)
                    .arg(Price.toString(), Sale.toString(), schema::Pta(b));
            });
        ++summary_.partsUpdated;
        if (match.UpRec != 0) ++summary_.protectedUpdated;
    }
}

}  // namespace velthorn
