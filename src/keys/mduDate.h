#pragma once
// The date stamp: today as day/month/year of the Buddhist era, and that text as yyyymmdd.
#include <QDate>
#include <QString>
#include <cstdint>

namespace velthorn::mduDate {

inline constexpr int kBuddhistEraOffset = 543;

QString ThaiDateText(const QDate& date);
int32_t DateTextToLong(const QString& dateText);
int16_t DayFromText(const QString& dateText);
int16_t MonthFromText(const QString& dateText);
int16_t YearFromText(const QString& dateText);

}  // namespace velthorn::mduDate
