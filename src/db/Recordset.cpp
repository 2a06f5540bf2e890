#include "db/Recordset.h"

#include <QSqlRecord>

#include "db/Error.h"
#include "keys/Text.h"

namespace velthorn::db {

QString FieldValue::text() const {
    if (value_.isNull()) throw VelthornError(QStringLiteral("column %1 is null").arg(column_));
    return keys::TrimBlanks(value_.toString());
}

schema::Currency FieldValue::currency() const {
    if (value_.isNull()) throw VelthornError(QStringLiteral("column %1 is null").arg(column_));
    try {
        return schema::Currency::FromVariant(value_);
    } catch (const VelthornError& error) {
        throw VelthornError(QStringLiteral("column %1: %2").arg(column_, error.message()));
    }
}

int64_t FieldValue::integer(int64_t low, int64_t high, const char* type) const {
    if (value_.isNull()) throw VelthornError(QStringLiteral("column %1 is null").arg(column_));
    bool ok = false;
    int64_t result = 0;
    if (value_.typeId() == QMetaType::Double || value_.typeId() == QMetaType::Float) {
        const double d = value_.toDouble();
        ok = d == static_cast<double>(static_cast<int64_t>(d));
        result = static_cast<int64_t>(d);
    } else {
        result = value_.toString().trimmed().toLongLong(&ok);
    }
    if (!ok || result < low || result > high) {
        throw VelthornError(QStringLiteral("column %1: '%2' does not fit a %3")
                                .arg(column_, value_.toString(), QLatin1String(type)));
    }
    return result;
}

int16_t FieldValue::int16() const {
    return static_cast<int16_t>(integer(INT16_MIN, INT16_MAX, "16-bit integer"));
}

int32_t FieldValue::int32() const {
    return static_cast<int32_t>(integer(INT32_MIN, INT32_MAX, "32-bit integer"));
}

Recordset::~Recordset() {
    if (open_) Close();
}

void Recordset::Open(const QString& sql, Connection& connection, int, int) {
    if (open_) {
        throw VelthornError(
            QStringLiteral("operation is not allowed when the object is open (record set)"));
    }
    lease_ = connection.Run(sql, true);
    connection_ = &connection;
    open_ = true;
    exhausted_ = false;
    rows_.clear();
    consumed_ = 0;
    columns_.clear();
    const QSqlRecord record = lease_.query->record();
    for (int i = 0; i < record.count(); ++i)
        columns_ << record.fieldName(i);
    FetchOne();
}

void Recordset::Close() {
    if (!open_) {
        throw VelthornError(
            QStringLiteral("operation is not allowed when the object is closed (record set)"));
    }
    Connection::Release(lease_);
    open_ = false;
    rows_.clear();
}

bool Recordset::FetchOne() {
    if (exhausted_) return false;
    if (!lease_.query->next()) {
        exhausted_ = true;
        // Nothing more to read: let the statement go at once.
        Connection::Release(lease_);
        return false;
    }
    QVector<QVariant> row(columns_.size());
    for (int i = 0; i < columns_.size(); ++i)
        row[i] = lease_.query->value(i);
    rows_.push_back(std::move(row));
    return true;
}

bool Recordset::isEOF() const {
    if (!open_) {
        throw VelthornError(
            QStringLiteral("operation is not allowed when the object is closed (record set)"));
    }
    return rows_.empty();
}

int32_t Recordset::RecordCount() {
    if (!open_) {
        throw VelthornError(
            QStringLiteral("operation is not allowed when the object is closed (record set)"));
    }
    while (FetchOne()) {
    }
    const int64_t count = consumed_ + static_cast<int64_t>(rows_.size());
    if (count > INT32_MAX) throw VelthornError(QStringLiteral("too many rows to count"));
    return static_cast<int32_t>(count);
}

void Recordset::RequireRow() const {
    if (isEOF()) {
        throw VelthornError(
            QStringLiteral("either BOF or EOF is true: the record set has no current row"));
    }
}

FieldValue Recordset::Field(const QString& column) const {
    RequireRow();
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_[i].compare(column, Qt::CaseInsensitive) == 0) {
            return FieldValue(column, rows_.front()[i]);
        }
    }
    throw VelthornError(QStringLiteral("item %1 not found in the record set").arg(column));
}

void Recordset::MoveNext() {
    RequireRow();
    rows_.pop_front();
    ++consumed_;
    if (rows_.empty()) FetchOne();
}

}  // namespace velthorn::db
