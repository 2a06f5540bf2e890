#include "keys/mduDate.h"

#include "db/Error.h"
#include "keys/mduValue.h"

namespace velthorn::mduDate {

QString ThaiDateText(const QDate& date) {
    return QStringLiteral("%1/%2/%3")
        .arg(date.day())
        .arg(date.month())
        .arg(date.year() + kBuddhistEraOffset);
}

int16_t DayFromText(const QString& dateText) {
    const qsizetype p = dateText.indexOf(u'/') + 1;  // 1-based, 0 when absent
    if (p > 1) return mduValue::NumericToInteger(dateText.left(p - 1));
    return 0;
}

int16_t MonthFromText(const QString& dateText) {
    const qsizetype p = dateText.indexOf(u'/') + 1;
    if (p <= 1) return 0;
    const QString rest = dateText.mid(p);
    const qsizetype q = rest.indexOf(u'/') + 1;
    if (q > 1) return mduValue::NumericToInteger(rest.left(q - 1));
    return 0;
}

int16_t YearFromText(const QString& dateText) {
    const qsizetype p = dateText.indexOf(u'/') + 1;
    if (p == 0) return 0;
    const QString rest = dateText.mid(p);
    const qsizetype q = rest.indexOf(u'/') + 1;
    if (q > 0) return mduValue::NumericToInteger(rest.mid(q));
    return 0;
}

namespace {
QString TwoDigits(int16_t value) {
    QString text = QString::number(value);
    if (text.size() == 1) text.prepend(u'0');
    return text;
}
}  // namespace

int32_t DateTextToLong(const QString& dateText) {
    const QString joined = QString::number(YearFromText(dateText)) +
                           TwoDigits(MonthFromText(dateText)) + TwoDigits(DayFromText(dateText));
    bool ok = false;
    const qlonglong value = joined.toLongLong(&ok);
    if (!ok || value < INT32_MIN || value > INT32_MAX) {
        throw VelthornError(QStringLiteral("date text '%1' gives '%2', which is not a date number")
                                .arg(dateText, joined));
    }
    return static_cast<int32_t>(value);
}

}  // namespace velthorn::mduDate
