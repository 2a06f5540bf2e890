#pragma once
// The schema generations of the product database: the 25 version texts in the order they are
// compared, and per version everything the merge decides by it. Every version-dependent choice
// reads this table.
#include <QString>
#include <vector>

#include "schema/Layouts.h"

namespace velthorn::schema {

struct VersionInfo {
    QString text;   // exact, as stored in System.Ver (compared after trimming)
    Layout layout;  // record layout of new part rows

    const LayoutInfo& layoutInfo() const { return GetLayout(layout); }
    // Parts are looked up by FPartNO (their find number) rather than by PartNO.
    bool searchByFindNumber() const { return layoutInfo().searchByFindNumber; }
    // The part table's price pair is Price1/Sale1 instead of Price/Sale.
    bool priceColumnsOne() const { return layoutInfo().priceColumnsOne; }
    // Names are searched through EFind/TFind instead of IndTName.
    bool findTexts() const { return layoutInfo().findTexts; }
    // The alternate-price table carries ASale (six columns).
    bool altSale() const { return layoutInfo().altSale; }
};

// All supported versions, in the order of comparison.
const std::vector<VersionInfo>& SupportedVersions();

// The version whose text equals the trimmed argument exactly, or nullptr.
const VersionInfo* FindVersion(const QString& version);

// The version's info; raises when the version is not supported.
const VersionInfo& RequireVersion(const QString& version);

}  // namespace velthorn::schema
