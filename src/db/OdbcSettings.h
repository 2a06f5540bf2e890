#pragma once
// What Qt's ODBC driver does not set itself on a connection.
#include <QSqlDatabase>

namespace velthorn::db {

// Makes the command time-out the query time-out of every statement on the open connection:
// the driver cancels a statement that runs (or waits for a lock) longer. Raises on failure.
void SetQueryTimeout(const QSqlDatabase& db, int seconds);

}  // namespace velthorn::db
