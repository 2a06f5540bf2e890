#include "keys/BrandRules.h"

#include "keys/FindNumbers.h"
#include "keys/Text.h"
#include "schema/Versions.h"

namespace velthorn::keys {

namespace {
// The first n characters (code points); the whole text when it is shorter.
std::u32string Left(const std::u32string& text, size_t n) {
    return text.substr(0, n);
}
}  // namespace

QString MakeBrandFindNO(const QString& brand, const QString& number, const QString& version) {
    const schema::VersionInfo* info = schema::FindVersion(version);
    if (info && info->searchByFindNumber()) return MakeFindNO(number);
    if (brand == u"ISUZU") return MakeFindNO_ISUZU(number);
    if (brand == u"NISSAN" || brand == u"UD") return MakeFindNO_NISSAN(number);
    if (brand == u"BENZ") return MakeFindNO(number);
    return QString();
}

QString MakeFindNO_ISUZU(const QString& number) {
    const std::u32string chars = ToCodePoints(number);
    const std::u32string firstTwo = Left(chars, 2);
    if (!firstTwo.empty() && firstTwo.back() == U'-') {
        const size_t dash = chars.find(U'-');  // 0-based; the text after it is what counts
        return FromCodePoints(Left(chars.substr(dash + 1), 9));
    }
    return FromCodePoints(Left(chars, 9));
}

QString MakeFindNO_NISSAN(const QString& number) {
    const std::u32string chars = ToCodePoints(number);
    const std::u32string firstSix = Left(chars, 6);
    if (!firstSix.empty() && firstSix.back() == U'-') return FromCodePoints(Left(chars, 9));
    return number;
}

}  // namespace velthorn::keys
