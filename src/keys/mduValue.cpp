#include "keys/mduValue.h"

#include <QLocale>
#include <cfenv>
#include <cmath>

#include "db/Error.h"

namespace velthorn::mduValue {

namespace {
bool ParseNumber(const QVariant& value, double* number) {
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Double:
        case QMetaType::Float:
            *number = value.toDouble();
            return true;
        case QMetaType::QString: {
            const QString text = value.toString().trimmed();
            if (text.isEmpty()) return false;
            bool ok = false;
            *number = QLocale::system().toDouble(text, &ok);
            if (!ok) *number = QLocale::c().toDouble(text, &ok);
            return ok && std::isfinite(*number);
        }
        default:
            return false;
    }
}
}  // namespace

int16_t NumericToInteger(const QVariant& value) {
    double number = 0;
    if (!ParseNumber(value, &number)) return 0;
    // Round half to even, as the 16-bit conversion does.
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(number);
    std::fesetround(previous);
    if (rounded < INT16_MIN || rounded > INT16_MAX) {
        throw VelthornError(
            QStringLiteral("overflow: %1 does not fit a 16-bit integer").arg(value.toString()));
    }
    return static_cast<int16_t>(rounded);
}

}  // namespace velthorn::mduValue
