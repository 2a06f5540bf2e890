#include "schema/Currency.h"

#include <cmath>
#include <limits>

#include "db/Error.h"

namespace velthorn::schema {

namespace {
[[noreturn]] void NotAnAmount(const QString& text, const char* why) {
    throw VelthornError(QStringLiteral("'%1' is not an amount (%2)").arg(text, QLatin1String(why)));
}
}  // namespace

Currency Currency::Parse(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    if (i == n) NotAnAmount(text, "no digits");
    // Accumulate as an unsigned magnitude so that the most negative value parses too.
    unsigned __int128 magnitude = 0;
    const unsigned __int128 limit = static_cast<unsigned __int128>(INT64_MAX) + (negative ? 1 : 0);
    bool digits = false;
    for (; i < n && text[i].isDigit(); ++i) {
        digits = true;
        magnitude = magnitude * 10 + (text[i].unicode() - u'0');
        if (magnitude * kScale > limit) NotAnAmount(text, "beyond the currency range");
    }
    magnitude *= kScale;
    if (i < n && text[i] == u'.') {
        ++i;
        int64_t place = kScale / 10;
        for (; i < n && text[i].isDigit(); ++i) {
            digits = true;
            const int digit = text[i].unicode() - u'0';
            if (place == 0) {
                if (digit != 0) NotAnAmount(text, "more than four decimals");
                continue;
            }
            magnitude += static_cast<unsigned __int128>(digit) * place;
            place /= 10;
        }
    }
    if (!digits || i != n) NotAnAmount(text, "not plain decimal text");
    if (magnitude > limit) NotAnAmount(text, "beyond the currency range");
    Currency c;
    c.units_ = negative ? static_cast<int64_t>(-static_cast<__int128>(magnitude))
                        : static_cast<int64_t>(magnitude);
    return c;
}

Currency Currency::FromVariant(const QVariant& value) {
    if (value.isNull()) throw VelthornError(QStringLiteral("an amount is null"));
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UInt:
        case QMetaType::UShort: {
            const qlonglong whole = value.toLongLong();
            if (whole > INT64_MAX / kScale || whole < INT64_MIN / kScale) {
                NotAnAmount(value.toString(), "beyond the currency range");
            }
            return FromUnits(whole * kScale);
        }
        case QMetaType::Double:
        case QMetaType::Float: {
            const double scaled = value.toDouble() * kScale;
            // 2^63 is exactly representable; anything at or beyond it does not fit.
            if (!std::isfinite(scaled) || scaled >= 9223372036854775808.0 ||
                scaled < -9223372036854775808.0) {
                NotAnAmount(value.toString(), "beyond the currency range");
            }
            return FromUnits(std::llround(scaled));
        }
        default:
            return FromText(value.toString().trimmed());
    }
}

Currency Currency::FromText(const QString& text) {
    try {
        return Parse(text);
    } catch (const VelthornError&) {
        // A driver may hand over a float as its full decimal expansion or in exponent form:
        // converted to the currency type as the number it is, to the nearest ten-thousandth.
        bool ok = false;
        const double number = text.toDouble(&ok);
        if (!ok) throw;
        return FromVariant(number);
    }
}

QString Currency::toString() const {
    const bool negative = units_ < 0;
    const unsigned __int128 magnitude =
        negative ? static_cast<unsigned __int128>(-static_cast<__int128>(units_)) : units_;
    const uint64_t whole = static_cast<uint64_t>(magnitude / kScale);
    uint64_t fraction = static_cast<uint64_t>(magnitude % kScale);
    QString text = negative ? QStringLiteral("-") : QString();
    text += QString::number(whole);
    if (fraction != 0) {
        QString decimals = QString::number(fraction).rightJustified(4, u'0');
        while (decimals.endsWith(u'0'))
            decimals.chop(1);
        text += u'.' + decimals;
    }
    return text;
}

}  // namespace velthorn::schema
