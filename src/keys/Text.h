#pragma once
// Text helpers shared by the keys and the database layer. Only the blank (U+0020) counts as a
// blank: tabs and other white space are part of a value.
#include <QString>
#include <string>

namespace velthorn::keys {

// Leading and trailing blanks removed; nothing else.
QString TrimBlanks(const QString& text);

// Positions in the key functions count Unicode characters, so they work on code points.
std::u32string ToCodePoints(const QString& text);
QString FromCodePoints(const std::u32string& text);

}  // namespace velthorn::keys
