#pragma once
// Per-brand tables are a fixed stem followed by the brand's identifier in decimal (Pta5, AltG5).
#include <QString>
#include <cstdint>

namespace velthorn::schema {

inline QString Pta(int32_t brandId) {
    return QStringLiteral("Pta") + QString::number(brandId);
}
inline QString Alt(int32_t brandId) {
    return QStringLiteral("Alt") + QString::number(brandId);
}
inline QString AltG(int32_t brandId) {
    return QStringLiteral("AltG") + QString::number(brandId);
}
inline QString FacD(int32_t brandId) {
    return QStringLiteral("FacD") + QString::number(brandId);
}
// The identifier series of the brand's part table has the table's name.
inline QString PartSeries(int32_t brandId) {
    return Pta(brandId);
}
inline QString Chunk(int16_t n) {
    return QStringLiteral("PriceList_") + QString::number(n);
}

}  // namespace velthorn::schema
