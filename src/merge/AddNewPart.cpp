// Adding the staged parts: one transaction per staged row, with the record layout of the schema
// version. The sixteen AddNewPart... entry points hand their layout to one routine.
#include "db/Error.h"
#include "keys/BrandRules.h"
#include "keys/FindNumbers.h"
#include "keys/Text.h"
#include "keys/mduDate.h"
#include "merge/ListRows.h"
#include "schema/PartRows.h"
#include "schema/ProductStatements.h"
#include "schema/TableNames.h"
#include "schema/Versions.h"
#include "window/Texts.h"
#include "window/frmCorvatel.h"

namespace velthorn {

using schema::Layout;

int frmCorvatel::AddNewPartV31(int16_t n) {
    return AddNewPartWithLayout(Layout::V31, n);
}
int frmCorvatel::AddNewPartV33(int16_t n) {
    return AddNewPartWithLayout(Layout::V33, n);
}
int frmCorvatel::AddNewPartV34(int16_t n) {
    return AddNewPartWithLayout(Layout::V34, n);
}
int frmCorvatel::AddNewPartV42(int16_t n) {
    return AddNewPartWithLayout(Layout::V42, n);
}
int frmCorvatel::AddNewPartV43(int16_t n) {
    return AddNewPartWithLayout(Layout::V43, n);
}
int frmCorvatel::AddNewPartV45(int16_t n) {
    return AddNewPartWithLayout(Layout::V45, n);
}
int frmCorvatel::AddNewPartV46(int16_t n) {
    return AddNewPartWithLayout(Layout::V46, n);
}
int frmCorvatel::AddNewPartP43(int16_t n) {
    return AddNewPartWithLayout(Layout::P43, n);
}
int frmCorvatel::AddNewPartP44(int16_t n) {
    return AddNewPartWithLayout(Layout::P44, n);
}
int frmCorvatel::AddNewPartP45(int16_t n) {
    return AddNewPartWithLayout(Layout::P45, n);
}
int frmCorvatel::AddNewPartP46(int16_t n) {
    return AddNewPartWithLayout(Layout::P46, n);
}
int frmCorvatel::AddNewPartP48(int16_t n) {
    return AddNewPartWithLayout(Layout::P48, n);
}
int frmCorvatel::AddNewPartP49(int16_t n) {
    return AddNewPartWithLayout(Layout::P49, n);
}
int frmCorvatel::AddNewPartP52(int16_t n) {
    return AddNewPartWithLayout(Layout::P52, n);
}
int frmCorvatel::AddNewPartP61(int16_t n) {
    return AddNewPartWithLayout(Layout::P61, n);
}
int frmCorvatel::AddNewPartP64(int16_t n) {
    return AddNewPartWithLayout(Layout::P64, n);
}

int frmCorvatel::AddNewPart(int16_t n) {
    namespace sql = schema::product;
    const schema::VersionInfo* version = schema::FindVersion(strVersion);
    if (version) {
        switch (version->layout) {
            case Layout::V31:
                AddNewPartV31(n);
                break;
            case Layout::V33:
                AddNewPartV33(n);
                break;
            case Layout::V34:
                AddNewPartV34(n);
                break;
            case Layout::V42:
                AddNewPartV42(n);
                break;
            case Layout::V43:
                AddNewPartV43(n);
                break;
            case Layout::V45:
                AddNewPartV45(n);
                break;
            case Layout::V46:
                AddNewPartV46(n);
                break;
            case Layout::P43:
                AddNewPartP43(n);
                break;
            case Layout::P44:
                AddNewPartP44(n);
                break;
            case Layout::P45:
                AddNewPartP45(n);
                break;
            case Layout::P46:
                AddNewPartP46(n);
                break;
            case Layout::P48:
                AddNewPartP48(n);
                break;
            case Layout::P49:
                AddNewPartP49(n);
                break;
            case Layout::P52:
                AddNewPartP52(n);
                break;
            case Layout::P61:
                AddNewPartP61(n);
                break;
            case Layout::P64:
                AddNewPartP64(n);
                break;
        }
    }
    // Placeholder repair: no group row for part 0, exactly one alternate-price row 0.
    strSQL = sql::DeleteGroupRows(lngBrandID, 0);
    ExecuteSql(*cnData);
    strSQL = sql::DeleteAltPlaceholder(lngBrandID);
    ExecuteSql(*cnData);
    strSQL = sql::InsertAltPlaceholder(lngBrandID, version && version->altSale());
    ExecuteSql(*cnData);
    return 0;
}

namespace {

// One staged row as read (texts trimmed, amounts exact), with its number and kind code also as
// stored, for a row that other software wrote with blanks around them.
struct Staged : schema::pricelist::ListRow {
    QString storedKind, storedPartNO;
};

Staged ReadStaged(const db::Recordset& rows) {
    Staged staged;
    static_cast<schema::pricelist::ListRow&>(staged) =
        merge::ReadListRow(rows, merge::ListColumns::Transfer, QStringLiteral("PriceList"));
    staged.storedKind = rows.Field(QStringLiteral("Kind")).raw().toString();
    staged.storedPartNO = rows.Field(QStringLiteral("PartNO")).raw().toString();
    return staged;
}

QString FullNumber(const QString& kind, const QString& number) {
    return kind.isEmpty() ? number : kind + QStringLiteral("-") + number;
}

}  // namespace

int frmCorvatel::AddNewPartWithLayout(Layout layout, int16_t n) {
    namespace sql = schema::product;
    const schema::LayoutInfo& info = schema::GetLayout(layout);
    const int32_t b = lngBrandID;

    RenewDataConnection();
    const int32_t stamp =
        layout == Layout::V46 ? mduDate::DateTextToLong(mduDate::ThaiDateText(today())) : 0;

    int32_t counter = 0;
    strSQL = sql::SelectStagedNumbers(b);
    OpenSql(*rsList, *cnData);
    const int32_t total = rsList->RecordCount();
    rsList->Close();

    const QString stage = texts::kAddingNew + strBrand + QStringLiteral("_") + QString::number(n) +
                          QStringLiteral("  ");
    for (;;) {
        // Staged rows are consumed one per transaction: the first row of the query, again and
        // again, until the brand has none left.
        strSQL = sql::SelectStagedRows(b);
        OpenSql(*rsList, *cnData);
        if (rsList->isEOF()) {
            rsList->Close();
            return 0;
        }
        const Staged row = ReadStaged(*rsList);
        rsList->Close();

        schema::PartRowValues values;
        values.eName = row.eName;
        values.tName = row.tName.isEmpty() ? row.eName : row.tName;
        if (info.findTexts) {
            values.eFind = keys::TrimBlanks(row.eName + QStringLiteral("  ") + row.model);
            values.tFind = keys::TrimBlanks(values.tName + QStringLiteral("  ") + row.model);
        } else {
            values.tKey = keys::MakeThaiFind(values.tName);
        }
        values.rKind = row.lKind;
        values.rNumber = row.lAtNO;
        values.model = row.model;
        values.import = row.import;
        values.price = row.price;
        values.sale = row.sale;
        values.brandId = b;
        values.stamp = stamp;

        view_.DoEvents();
        ++counter;
        view_.SetText(Control::txtQTY,
                      stage + QString::number(merge::Percent(counter, total)) + texts::kPercent);
        view_.SetText(Control::txtPartNO, merge::PartLine(row.kind, row.partNO, values.tName,
                                                          row.model, QStringLiteral("   ")));

        cnData->BeginTrans();
        // Finds the slot's part, or inserts it: the part row and its alternate-price row.
        const auto resolve = [&](schema::SlotRole role, const QString& kind,
                                 const QString& number) -> int32_t {
            sql::PartKey key{kind, false, number};
            if (info.searchByFindNumber) {
                key = {role == schema::SlotRole::Own ? kind : QString(), true,
                       keys::MakeFindNO(number)};
            }
            strSQL = sql::SelectPartID(b, key);
            OpenSql(*rsData, *cnData);
            if (!rsData->isEOF()) {
                const int32_t found = rsData->Field(QStringLiteral("PartID")).int32();
                rsData->Close();
                return found;
            }
            rsData->Close();
            const QString series = schema::PartSeries(b);
            const int32_t id = NextID(series);
            if (id == 0) {
                // A part row never gets identifier 0: the row is rolled back instead.
                throw VelthornError(QStringLiteral("no identifier could be allocated in the "
                                                   "series %1 for part '%2': %3")
                                        .arg(series, FullNumber(kind, number), nextIdFailure()));
            }
            values.role = role;
            values.id = id;
            values.kind = kind;
            values.number = number;
            values.find = info.compactFind ? keys::MakeFindNO(number)
                                           : keys::MakeBrandFindNO(strBrand, number, strVersion);
            values.full = FullNumber(kind, number);
            strSQL = sql::InsertPartRow(b, schema::RenderPartRow(info, values, cnData->dialect()));
            ExecuteSql(*cnData);
            strSQL = info.altSale
                         ? sql::InsertAltRowWithSale(b, id, kind, number, row.price, row.sale)
                         : sql::InsertAltRow(b, id, kind, number, row.price);
            ExecuteSql(*cnData);
            ++(role == schema::SlotRole::Own           ? summary_.insertedOwn
               : role == schema::SlotRole::Replacement ? summary_.insertedReplacement
                                                       : summary_.insertedAlternate);
            return id;
        };

        const int32_t own = resolve(schema::SlotRole::Own, row.kind, row.partNO);
        int32_t replacement = 0;
        if (!row.lAtNO.isEmpty() && row.lAtNO != row.partNO) {
            replacement = resolve(schema::SlotRole::Replacement, row.lKind, row.lAtNO);
        }
        int32_t alternate = 0;
        if (!row.altNO.isEmpty() && row.altNO != row.partNO) {
            alternate = resolve(schema::SlotRole::Alternate, row.aKind, row.altNO);
        }

        if (replacement != 0 || alternate != 0) {
            CopyAltAndFactory(own, replacement, alternate);
        } else {
            strSQL = sql::InsertGroupRow(b, own, 0);
            ExecuteSql(*cnData);
        }

        strSQL = sql::DeleteStagedRow(b, row.kind, row.partNO);
        qint64 removed = 0;
        ExecuteSql(*cnData, &removed);
        if (removed == 0) {
            // Written by other software with blanks around its number: removed as stored, so
            // that the loop never takes the same row again.
            strSQL = sql::DeleteStagedRow(b, row.storedKind, row.storedPartNO);
            ExecuteSql(*cnData, &removed);
            if (removed == 0) {
                throw VelthornError(
                    QStringLiteral("the staged part '%1' cannot be removed from table PriceList")
                        .arg(FullNumber(row.kind, row.partNO)));
            }
        }
        cnData->CommitTrans();
    }
}

}  // namespace velthorn
