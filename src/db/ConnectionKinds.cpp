#include "db/ConnectionKinds.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include "db/Error.h"
#include "keys/Text.h"

namespace velthorn::db {

bool EndsInAccdb(const QString& path) {
    return keys::TrimBlanks(path).right(5) == QStringLiteral("accdb");
}

namespace {
QString AccessDriver(bool accdbDriver) {
    return accdbDriver ? QStringLiteral("driver={Microsoft Access Driver (*.mdb, *.accdb)};dbq=")
                       : QStringLiteral("driver={Microsoft Access Driver (*.mdb)};dbq=");
}
}  // namespace

QString PriceListConnectionString(const QString& priceListPath, bool accdbDriver) {
    return AccessDriver(accdbDriver) + keys::TrimBlanks(priceListPath) +
           ";UID=admin;PWD=" + kPriceListPassword;
}

QString AccessConnectionString(const QString& dataPath, bool accdbDriver, const QString& password) {
    return AccessDriver(accdbDriver) + keys::TrimBlanks(dataPath) + ";UID=admin;PWD=" + password;
}

QString SqlServerConnectionString(const QString& server, const QString& uid, const QString& pwd,
                                  const QString& database) {
    return "driver={SQL Server};server=" + server + ";uid=" + uid + ";pwd=" + pwd +
           ";database=" + database + ";";
}

QString SqlOleDbConnectionString(const QString& server, const QString& database, const QString& uid,
                                 const QString& pwd) {
    return "Provider=sqloledb;Data Source=" + server + ";Initial Catalog=" + database +
           ";User Id=" + uid + ";Password=" + pwd + ";";
}

QString MaskPasswords(const QString& text) {
    static const QRegularExpression password(QStringLiteral("(\\b(?:pwd|password)\\s*=)[^;]*"),
                                             QRegularExpression::CaseInsensitiveOption);
    QString masked = text;
    masked.replace(password, QStringLiteral("\\1********"));
    return masked;
}

namespace {

// key=value pairs of a connection string, keys compared without case.
QString ValueOf(const QString& connectionString, const QString& key) {
    for (const QString& part : connectionString.split(u';')) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq < 0) continue;
        if (part.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0) return part.mid(eq + 1);
    }
    return QString();
}

QByteArray Head(const QString& path, int size) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.read(size);
}

}  // namespace

bool IsSqliteFile(const QString& path) {
    return Head(path, 16) == QByteArray("SQLite format 3\0", 16);
}

bool IsAccessFile(const QString& path) {
    const QByteArray head = Head(path, 20);
    if (head.size() < 20) return false;
    const QByteArray signature = head.mid(4, 15);
    return signature == "Standard Jet DB" || signature == "Standard ACE DB";
}

OpenTarget ResolveTarget(const QString& connectionString) {
    if (ValueOf(connectionString, "Provider").trimmed().compare("sqloledb", Qt::CaseInsensitive) ==
        0) {
        // No OLE DB here: the same server, database, login and password through ODBC.
        return {Backend::Odbc,
                SqlServerConnectionString(ValueOf(connectionString, "Data Source"),
                                          ValueOf(connectionString, "User Id"),
                                          ValueOf(connectionString, "Password"),
                                          ValueOf(connectionString, "Initial Catalog")),
                schema::Dialect::SqlServer};
    }
    const QString driver = ValueOf(connectionString, "driver");
    if (driver.contains(QStringLiteral("Microsoft Access Driver"), Qt::CaseInsensitive)) {
        const QString path = ValueOf(connectionString, "dbq");
        const QFileInfo info(path);
        if (!info.exists() || !info.isFile()) {
            throw VelthornError(QStringLiteral("database file not found: %1").arg(path));
        }
        if (IsSqliteFile(path)) return {Backend::Sqlite, path, schema::Dialect::File};
        if (IsAccessFile(path)) return {Backend::Odbc, connectionString, schema::Dialect::File};
        throw VelthornError(
            QStringLiteral("%1 is not a database file (neither an Access nor a SQLite database)")
                .arg(path));
    }
    const bool sqlServer = driver.trimmed().compare("{SQL Server}", Qt::CaseInsensitive) == 0;
    return {Backend::Odbc, connectionString,
            sqlServer ? schema::Dialect::SqlServer : schema::Dialect::File};
}

}  // namespace velthorn::db
