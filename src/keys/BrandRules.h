#pragma once
// Find numbers of new part rows, by brand and schema version.
#include <QString>

namespace velthorn::keys {

// The find number a new part row carries. Under the versions that search parts by their compact
// number it is MakeFindNO for every brand; otherwise the brand decides (exact, case-sensitive).
QString MakeBrandFindNO(const QString& brand, const QString& number, const QString& version);

QString MakeFindNO_ISUZU(const QString& number);
QString MakeFindNO_NISSAN(const QString& number);

}  // namespace velthorn::keys
