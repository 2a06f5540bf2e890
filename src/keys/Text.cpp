#include "keys/Text.h"

namespace velthorn::keys {

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    if (begin == 0 && end == text.size()) return text;
    return text.mid(begin, end - begin);
}

std::u32string ToCodePoints(const QString& text) {
    const QList<uint> ucs4 = text.toUcs4();
    return std::u32string(ucs4.begin(), ucs4.end());
}

QString FromCodePoints(const std::u32string& text) {
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace velthorn::keys
