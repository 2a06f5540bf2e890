#pragma once
// Amounts are a signed 64-bit count of ten-thousandths, compared exactly and never computed with.
#include <QString>
#include <QVariant>
#include <cstdint>

namespace velthorn::schema {

class Currency {
  public:
    static constexpr int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency FromUnits(int64_t tenThousandths) {
        Currency c;
        c.units_ = tenThousandths;
        return c;
    }

    // Exact parse of plain decimal text ("125", "-99.5", "0.0001"); raises on anything else,
    // on more than four decimals that are not zeros, and outside the currency range.
    static Currency Parse(const QString& text);
    // Database text: exact plain decimals; other numeric text (more decimals, an exponent) is
    // rounded to the nearest ten-thousandth. Raises on text that is no number.
    static Currency FromText(const QString& text);
    // From a database value: integers, doubles (rounded to the nearest ten-thousandth) or text.
    // Raises on null, on text that is not a number and outside the currency range.
    static Currency FromVariant(const QVariant& value);

    int64_t units() const { return units_; }
    // Plain decimal text: no grouping, "." as separator, no trailing zeros after it.
    QString toString() const;

    friend bool operator==(Currency a, Currency b) { return a.units_ == b.units_; }
    friend bool operator!=(Currency a, Currency b) { return a.units_ != b.units_; }

  private:
    int64_t units_ = 0;
};

}  // namespace velthorn::schema
