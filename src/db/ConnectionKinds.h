#pragma once
// The connection strings of the two databases, and how a string is reached on this machine.
#include <QString>

#include "schema/SqlValues.h"

namespace velthorn::db {

inline const QString kPriceListPassword = QStringLiteral("PLW528");
inline const QString kDataPasswordFirst = QStringLiteral("KXR584762");
inline const QString kDataPasswordSecond = QStringLiteral("TQV863475");
inline constexpr int kFileCommandTimeout = 20;
inline constexpr int kServerCommandTimeout = 100;
inline constexpr int adUseServer = 2;
inline constexpr int adUseClient = 3;

// The last five characters of the trimmed path are exactly "accdb" (case-sensitive).
bool EndsInAccdb(const QString& path);

// Price list: the driver follows the product-database path, not the price-list path.
QString PriceListConnectionString(const QString& priceListPath, bool accdbDriver);
QString AccessConnectionString(const QString& dataPath, bool accdbDriver, const QString& password);
QString SqlServerConnectionString(const QString& server, const QString& uid, const QString& pwd,
                                  const QString& database);
QString SqlOleDbConnectionString(const QString& server, const QString& database, const QString& uid,
                                 const QString& pwd);

// The value of every password key (PWD, Password) replaced by asterisks.
QString MaskPasswords(const QString& text);

// How a connection string is opened here.
enum class Backend { Sqlite, Odbc };
struct OpenTarget {
    Backend backend;
    QString target;           // the SQLite file, or the ODBC connection string
    schema::Dialect dialect;  // how yes/no values are written
};
// Raises with a clear message when the string cannot be reached on this machine (a file that is
// missing or not a database, an Access file without an Access driver is reported on open).
OpenTarget ResolveTarget(const QString& connectionString);

// Whether the file starts as an Access (Jet/ACE) database.
bool IsAccessFile(const QString& path);
bool IsSqliteFile(const QString& path);

}  // namespace velthorn::db
