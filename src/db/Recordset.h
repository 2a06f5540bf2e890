#pragma once
// The rows of one statement, read forward: end-of-set, record count, field by column name, move
// next, close. Rows are fetched as they are needed, so a loop that only takes the first row of a
// large table costs one row.
#include <QString>
#include <QVariant>
#include <QVector>
#include <cstdint>
#include <deque>

#include "db/Connection.h"
#include "schema/Currency.h"

namespace velthorn::db {

inline constexpr int adOpenKeyset = 1;
inline constexpr int adLockOptimistic = 3;

// One field of the current row. Reads raise on null and on values that do not convert.
class FieldValue {
  public:
    FieldValue(QString column, QVariant value)
        : column_(std::move(column)), value_(std::move(value)) {}
    bool isNull() const { return value_.isNull(); }
    // The text with leading and trailing blanks removed.
    QString text() const;
    schema::Currency currency() const;
    int16_t int16() const;
    int32_t int32() const;
    const QVariant& raw() const { return value_; }

  private:
    int64_t integer(int64_t low, int64_t high, const char* type) const;
    QString column_;
    QVariant value_;
};

class Recordset {
  public:
    Recordset() = default;
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Opens on a statement; the cursor type and lock type are accepted for the form of the call.
    void Open(const QString& sql, Connection& connection, int cursorType = adOpenKeyset,
              int lockType = adLockOptimistic);
    void Close();
    int State() const { return open_ ? adStateOpen : adStateClosed; }

    bool isEOF() const;
    // Fetches the remaining rows to count them.
    int32_t RecordCount();
    FieldValue Field(const QString& column) const;
    void MoveNext();

  private:
    bool FetchOne();
    void RequireRow() const;

    bool open_ = false;
    Connection* connection_ = nullptr;
    QueryLease lease_;
    bool exhausted_ = false;
    QVector<QString> columns_;
    std::deque<QVector<QVariant>> rows_;  // the current row first, then rows fetched ahead
    int64_t consumed_ = 0;                // rows moved past
};

}  // namespace velthorn::db
