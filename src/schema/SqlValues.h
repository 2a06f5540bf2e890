#pragma once
// How values are written into statement text.
#include <QString>
#include <cstdint>

#include "schema/Currency.h"

namespace velthorn::schema {

// File databases take True/False; SQL Server has no such literals and takes 1/0.
enum class Dialect { File, SqlServer };

// A text between single quotes, every quote inside doubled.
QString Quote(const QString& text);
// A number in plain decimal.
QString Num(int64_t value);
// An amount as plain decimal text (125, 99.5).
QString Amount(Currency value);
// A yes/no value in the dialect's notation.
QString YesNo(bool value, Dialect dialect);

}  // namespace velthorn::schema
