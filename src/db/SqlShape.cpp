#include "db/SqlShape.h"

namespace velthorn::db {

namespace {
bool IsNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'.';
}
}  // namespace

SqlShape ShapeOf(const QString& sql) {
    SqlShape shape;
    shape.text.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'\'') {
            // Empty, never null: '' is a text, not a missing value.
            QString value = QStringLiteral("");
            ++i;
            while (i < n) {
                if (sql[i] == u'\'') {
                    if (i + 1 < n && sql[i + 1] == u'\'') {
                        value += u'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += sql[i++];
            }
            shape.text += u'?';
            shape.values << value;
            continue;
        }
        const bool startsNumber = c.isDigit() && (i == 0 || !IsNameChar(sql[i - 1]));
        if (startsNumber) {
            qsizetype j = i;
            while (j < n && sql[j].isDigit())
                ++j;
            bool decimal = false;
            if (j + 1 < n && sql[j] == u'.' && sql[j + 1].isDigit()) {
                decimal = true;
                ++j;
                while (j < n && sql[j].isDigit())
                    ++j;
            }
            if (j < n && (sql[j].isLetter() || sql[j] == u'_')) {
                // Not a number after all (e.g. a name starting with digits): keep the text.
                shape.text += sql.mid(i, j - i);
                i = j;
                continue;
            }
            const QString literal = sql.mid(i, j - i);
            bool ok = false;
            if (!decimal) {
                const qlonglong whole = literal.toLongLong(&ok);
                if (ok) shape.values << whole;
            }
            if (decimal || !ok) shape.values << literal.toDouble();
            shape.text += u'?';
            i = j;
            continue;
        }
        shape.text += c;
        ++i;
    }
    return shape;
}

}  // namespace velthorn::db
