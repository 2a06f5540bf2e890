#include "keys/FindNumbers.h"

#include "db/Error.h"
#include "keys/Text.h"

namespace velthorn::keys {

QString MakeFindNO(const QString& partNO) {
    QString result = TrimBlanks(partNO);
    result.remove(u' ');
    result.remove(u'/');
    result.remove(u'-');
    return result;
}

namespace {
// Tested in this order; at most one of them can swap per position.
constexpr char32_t kLeadingVowels[] = {U'\u0E40', U'\u0E41', U'\u0E42', U'\u0E43', U'\u0E44'};
}  // namespace

QString MakeThaiFind(const QString& text) {
    std::u32string chars = ToCodePoints(TrimBlanks(text));
    if (chars.size() > static_cast<size_t>(kThaiFindMaxLength)) {
        throw VelthornError(
            QStringLiteral("Thai name of %1 characters is too long for its search key (at most %2)")
                .arg(chars.size())
                .arg(kThaiFindMaxLength));
    }
    // 1-based positions as the key was defined; the last character is never tested.
    const size_t lastTested = chars.empty() ? 0 : chars.size() - 1;
    for (size_t i = 1; i <= lastTested; ++i) {
        for (char32_t vowel : kLeadingVowels) {
            if (i <= lastTested && chars[i - 1] == vowel) {
                std::swap(chars[i - 1], chars[i]);
                ++i;
            }
        }
    }
    return FromCodePoints(chars);
}

}  // namespace velthorn::keys
