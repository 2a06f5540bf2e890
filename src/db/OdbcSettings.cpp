#include "db/OdbcSettings.h"

#include <sql.h>
#include <sqlext.h>
#include <QSqlDriver>
#include <QVariant>

#include "db/Error.h"

namespace velthorn::db {

void SetQueryTimeout(const QSqlDatabase& db, int seconds) {
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || handle.constData() == nullptr) {
        throw VelthornError(QStringLiteral("the ODBC connection has no handle"));
    }
    SQLHANDLE connection = *static_cast<const SQLHANDLE*>(handle.constData());
    // Set on the connection, the driver manager gives it to every statement made on it.
    const SQLRETURN result =
        SQLSetConnectAttr(connection, SQL_ATTR_QUERY_TIMEOUT,
                          reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(seconds)), 0);
    if (!SQL_SUCCEEDED(result)) {
        throw VelthornError(
            QStringLiteral("the driver does not take a query time-out of %1 s").arg(seconds));
    }
}

}  // namespace velthorn::db
