// Alternate-number groups and factory links: rewriting one part's group, and every group of the
// brand.
#include "db/Error.h"
#include "schema/ProductStatements.h"
#include "window/Texts.h"
#include "window/frmCorvatel.h"

namespace velthorn {

namespace {
// Opens the record set on the statement and reports whether it has rows; any error counts as
// none, and the record set is then closed.
int OpenOrNothing(db::Recordset& recordset, db::Connection& connection, const QString& sql) {
    try {
        recordset.Open(sql, connection, db::adOpenKeyset, db::adLockOptimistic);
        if (recordset.isEOF()) {
            recordset.Close();
            return 0;
        }
        return 1;
    } catch (const VelthornError&) {
        try {
            if (recordset.State() == db::adStateOpen) recordset.Close();
        } catch (...) {
        }
        return 0;
    }
}

// Later copies of an identifier become 0; the first of each stays.
void ClearDuplicates(std::vector<int32_t>& ids, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        const int32_t value = ids[static_cast<size_t>(i)];
        if (value <= 0) continue;
        for (int32_t j = 0; j < count; ++j) {
            if (j != i && ids[static_cast<size_t>(j)] > 0 && ids[static_cast<size_t>(j)] == value) {
                ids[static_cast<size_t>(j)] = 0;
            }
        }
    }
}
}  // namespace

int frmCorvatel::OpenAltGroup(int32_t brandID, int32_t partID) {
    if (brandID == 0) return 0;
    strSQL = schema::product::SelectAltGroup(brandID, partID);
    return OpenOrNothing(*rsData, *cnData, strSQL);
}

int frmCorvatel::OpenFactoryLinks(int32_t brandID, int32_t partID) {
    if (brandID == 0) return 0;
    strSQL = schema::product::SelectFactoryLinks(brandID, partID);
    return OpenOrNothing(*rsData, *cnData, strSQL);
}

void frmCorvatel::ClearDuplicateAltIDs() {
    ClearDuplicates(lngAltPartID, lngAltCount);
}

void frmCorvatel::ClearDuplicateFacIDs() {
    ClearDuplicates(lngFacID, lngFacCount);
}

int frmCorvatel::CopyAltAndFactory(int32_t own, int32_t replacement, int32_t alternate) {
    namespace sql = schema::product;
    const int32_t b = lngBrandID;

    // The members: the part, its replacement and alternate, and the alternates it has.
    const bool grouped = OpenAltGroup(lngBrandID, own) == 1;
    lngAltCount = grouped ? rsData->RecordCount() + 3 : 3;
    lngAltPartID.assign(static_cast<size_t>(lngAltCount) + 1, 0);
    lngAltPartID[0] = own;
    lngAltPartID[1] = replacement;
    lngAltPartID[2] = alternate;
    if (grouped) {
        for (size_t i = 3; !rsData->isEOF(); ++i) {
            lngAltPartID[i] = rsData->Field(QStringLiteral("PartID")).int32();
            rsData->MoveNext();
        }
        rsData->Close();
    }

    // The factory links of the part, shared by every member.
    if (OpenFactoryLinks(lngBrandID, own) == 1) {
        lngFacCount = rsData->RecordCount();
        lngFacID.assign(static_cast<size_t>(lngFacCount) + 1, 0);
        for (size_t k = 0; !rsData->isEOF(); ++k) {
            lngFacID[k] = rsData->Field(QStringLiteral("FacID")).int32();
            rsData->MoveNext();
        }
        rsData->Close();
    } else {
        lngFacCount = 0;
    }

    ClearDuplicateAltIDs();
    if (lngFacCount > 0) ClearDuplicateFacIDs();
    ++summary_.groupsRewritten;

    for (int32_t i = 0; i < lngAltCount; ++i) {
        const int32_t m = lngAltPartID[static_cast<size_t>(i)];
        if (m <= 0) continue;
        strSQL = sql::DeleteGroupRows(b, m);
        ExecuteSql(*cnData);
        strSQL = sql::DeleteFactoryLinks(b, m);
        ExecuteSql(*cnData);
        bool inserted = false;
        for (int32_t j = 0; j < lngAltCount; ++j) {
            const int32_t a = lngAltPartID[static_cast<size_t>(j)];
            if (j == i || a <= 0) continue;
            strSQL = sql::InsertGroupRow(b, m, a);
            ExecuteSql(*cnData);
            inserted = true;
        }
        if (!inserted) {
            strSQL = sql::InsertGroupRow(b, m, 0);
            ExecuteSql(*cnData);
        }
        for (int32_t k = 0; k < lngFacCount; ++k) {
            const int32_t f = lngFacID[static_cast<size_t>(k)];
            if (f <= 0) continue;
            strSQL = sql::InsertFactoryLink(b, m, f);
            ExecuteSql(*cnData);
        }
    }
    return 0;
}

void frmCorvatel::RebuildAltGroups() {
    namespace sql = schema::product;
    view_.SetText(Control::txtQTY, texts::kRegrouping + strBrand);
    view_.DoEvents();
    strSQL = sql::ClearWorkList();
    ExecuteSql(*cnData);
    strSQL = sql::DeleteGroupRows(lngBrandID, 0);
    ExecuteSql(*cnData);
    strSQL = sql::FillWorkList(lngBrandID);
    ExecuteSql(*cnData);
    // An entry that is not a valid identifier would never leave the work list.
    strSQL = sql::DeleteInvalidWorkListEntries();
    ExecuteSql(*cnData);

    for (;;) {
        strSQL = sql::SelectWorkList();
        OpenSql(*rsList, *cnData);
        if (rsList->isEOF()) {
            rsList->Close();
            return;
        }
        const int32_t p = rsList->Field(QStringLiteral("PartID")).int32();
        rsList->Close();

        cnData->BeginTrans();
        view_.DoEvents();
        view_.SetText(Control::txtPartNO, QString::number(p));
        if (OpenAltGroup(lngBrandID, p) == 1) {
            lngGroupCount = rsData->RecordCount() + 1;
            lngGroupPartID.assign(static_cast<size_t>(lngGroupCount) + 1, 0);
            lngGroupPartID[0] = p;
            for (size_t i = 1; !rsData->isEOF(); ++i) {
                lngGroupPartID[i] = rsData->Field(QStringLiteral("PartID")).int32();
                rsData->MoveNext();
            }
            rsData->Close();
        } else {
            lngGroupCount = 1;
            lngGroupPartID.assign(2, 0);
            lngGroupPartID[0] = p;
        }
        CopyAltAndFactory(p, 0, 0);
        for (int32_t i = 0; i < lngGroupCount; ++i) {
            const int32_t g = lngGroupPartID[static_cast<size_t>(i)];
            if (g <= 0) continue;
            strSQL = sql::DeleteFromWorkList(g);
            ExecuteSql(*cnData);
        }
        if (p <= 0) {
            // Only another program could have put it there since the clean-up above.
            strSQL = sql::DeleteInvalidWorkListEntries();
            ExecuteSql(*cnData);
        }
        cnData->CommitTrans();
    }
}

}  // namespace velthorn
