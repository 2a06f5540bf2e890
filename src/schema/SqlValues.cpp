#include "schema/SqlValues.h"

namespace velthorn::schema {

QString Quote(const QString& text) {
    QString quoted;
    quoted.reserve(text.size() + 2);
    quoted += u'\'';
    for (QChar c : text) {
        quoted += c;
        if (c == u'\'') quoted += u'\'';
    }
    quoted += u'\'';
    return quoted;
}

QString Num(int64_t value) {
    return QString::number(value);
}

QString Amount(Currency value) {
    return value.toString();
}

QString YesNo(bool value, Dialect dialect) {
    if (dialect == Dialect::SqlServer) return value ? QStringLiteral("1") : QStringLiteral("0");
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

}  // namespace velthorn::schema
