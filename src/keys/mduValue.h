#pragma once
// A tolerant conversion to a 16-bit integer: anything that is not numeric counts as 0.
#include <QVariant>
#include <cstdint>

namespace velthorn::mduValue {

// Numeric text (trimmed; the system locale's or the C locale's notation) or a number, rounded half
// to even; raises on a value outside -32768..32767. Anything else gives 0.
int16_t NumericToInteger(const QVariant& value);

}  // namespace velthorn::mduValue
