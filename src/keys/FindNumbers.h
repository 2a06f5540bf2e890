#pragma once
// Search keys stored beside part numbers and Thai names.
#include <QString>

namespace velthorn::keys {

// The part number without blanks, "/" and "-" (after trimming). Every other character stays.
QString MakeFindNO(const QString& partNO);

// The Thai search key: every Thai leading vowel that is not the last character trades places
// with the character after it; the scan resumes behind the pair. Raises on a text too long for
// the 16-bit position counter the key was defined with.
QString MakeThaiFind(const QString& text);

// Longest text MakeThaiFind accepts (its position counter is a signed 16-bit number).
inline constexpr int kThaiFindMaxLength = 32767;

}  // namespace velthorn::keys
