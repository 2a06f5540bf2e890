#include "schema/Versions.h"

#include "db/Error.h"
#include "keys/Text.h"

namespace velthorn::schema {

const std::vector<VersionInfo>& SupportedVersions() {
    static const std::vector<VersionInfo> versions = {
        {QStringLiteral("V.31"), Layout::V31},          {QStringLiteral("V.32"), Layout::V31},
        {QStringLiteral("V.33"), Layout::V33},          {QStringLiteral("V.34"), Layout::V34},
        {QStringLiteral("V.41"), Layout::V31},          {QStringLiteral("V.42"), Layout::V42},
        {QStringLiteral("V.43"), Layout::V43},          {QStringLiteral("V.45"), Layout::V45},
        {QStringLiteral("V.46 (Bar)"), Layout::V46},    {QStringLiteral("V.51"), Layout::V31},
        {QStringLiteral("V.61"), Layout::V31},          {QStringLiteral("P.42"), Layout::V31},
        {QStringLiteral("P.43"), Layout::P43},          {QStringLiteral("P.44 (Bar)"), Layout::P44},
        {QStringLiteral("P.45 (Bar)"), Layout::P45},    {QStringLiteral("P.46 (Bar)"), Layout::P46},
        {QStringLiteral("P.47001 (Bar)"), Layout::P46}, {QStringLiteral("P.48 (Bar)"), Layout::P48},
        {QStringLiteral("P.49 (Bar)"), Layout::P49},    {QStringLiteral("P.52"), Layout::P52},
        {QStringLiteral("P.61 (Bar)"), Layout::P61},    {QStringLiteral("P.62 (Bar)"), Layout::P46},
        {QStringLiteral("P.64 (Bar)"), Layout::P64},    {QStringLiteral("P.65 (Bar)"), Layout::P64},
        {QStringLiteral("D.47 (Bar)"), Layout::P46},
    };
    return versions;
}

const VersionInfo* FindVersion(const QString& version) {
    const QString trimmed = keys::TrimBlanks(version);
    for (const VersionInfo& info : SupportedVersions()) {
        if (info.text == trimmed) return &info;
    }
    return nullptr;
}

const VersionInfo& RequireVersion(const QString& version) {
    const VersionInfo* info = FindVersion(version);
    if (!info) throw VelthornError(QStringLiteral("unsupported schema version '%1'").arg(version));
    return *info;
}

}  // namespace velthorn::schema
