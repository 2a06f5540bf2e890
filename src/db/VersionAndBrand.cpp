// The product database's schema version and the bound brand's identifier.
#include "schema/ProductStatements.h"
#include "schema/Versions.h"
#include "window/frmCorvatel.h"

namespace velthorn {

bool frmCorvatel::CheckDataVersion() {
    strSQL = schema::product::SelectVersion();
    OpenSql(*rsData, *cnData);
    if (rsData->isEOF()) {
        rsData->Close();
        return false;
    }
    // A null Ver raises here; the record set is closed by the failure path.
    strVersion = rsData->Field(QStringLiteral("Ver")).text();
    rsData->Close();
    return schema::FindVersion(strVersion) != nullptr;
}

void frmCorvatel::GetBrandID() {
    lngBrandID = 0;
    const auto lookUp = [this](const QString& name) {
        strSQL = schema::product::SelectBrandID(name);
        OpenSql(*rsData, *cnData);
        const bool found = !rsData->isEOF();
        if (found) lngBrandID = rsData->Field(QStringLiteral("BrandID")).int32();
        rsData->Close();
        return found;
    };
    if (lookUp(strBrand)) return;
    if (lookUp(strBrand + QStringLiteral("_U"))) return;
    if (strBrand.trimmed() == QStringLiteral("UD_VOLVO")) lookUp(QStringLiteral("UD"));
}

}  // namespace velthorn
