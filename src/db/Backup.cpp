#include "db/Backup.h"

#include <sqlite3.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

#include "db/ConnectionKinds.h"
#include "db/Error.h"
#include "schema/Versions.h"

namespace velthorn::db {

namespace {

struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Handle = std::unique_ptr<sqlite3, Closer>;

Handle OpenFile(const QString& path, int flags) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
    Handle handle(raw);
    if (rc != SQLITE_OK) {
        throw VelthornError(
            QStringLiteral("cannot open %1: %2")
                .arg(path, QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc))));
    }
    sqlite3_busy_timeout(raw, kFileCommandTimeout * 1000);
    return handle;
}

// Every page of `from` into `to`, in one step: a consistent snapshot of the source.
void CopyPages(sqlite3* from, sqlite3* to, const QString& what) {
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup) {
        throw VelthornError(
            QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(to))));
    }
    int rc;
    do {
        rc = sqlite3_backup_step(backup, -1);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) sqlite3_sleep(100);
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        throw VelthornError(
            QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errstr(rc))));
    }
}

}  // namespace

QStringList BackupsOf(const QString& databaseFile) {
    const QFileInfo info(databaseFile);
    // FILE.YYYYMMDD-HHMMSS.bak (with -N when two runs share a second): the names sort by time.
    const QString pattern =
        info.fileName() + "." + QString(8, u'?') + "-" + QString(6, u'?') + "*.bak";
    QStringList names = info.dir().entryList({pattern}, QDir::Files, QDir::Name);
    QStringList paths;
    for (const QString& name : names)
        paths << info.dir().filePath(name);
    return paths;
}

QString WriteBackup(const QString& databaseFile, const QDateTime& now, int keep) {
    const QString stem = databaseFile + "." + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = stem + ".bak";
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + "-" + QString::number(n) + ".bak";
    try {
        Handle from = OpenFile(databaseFile, SQLITE_OPEN_READONLY);
        Handle to = OpenFile(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        CopyPages(from.get(), to.get(), QStringLiteral("cannot write the backup %1").arg(path));
    } catch (...) {
        QFile::remove(path);
        throw;
    }
    QStringList backups = BackupsOf(databaseFile);
    while (backups.size() > keep)
        QFile::remove(backups.takeFirst());
    return path;
}

QString ProductVersion(const QString& databaseFile) {
    if (!IsSqliteFile(databaseFile)) {
        throw VelthornError(QStringLiteral("%1 is not a database file").arg(databaseFile));
    }
    Handle db = OpenFile(databaseFile, SQLITE_OPEN_READONLY);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db.get(), "SELECT Ver FROM System", -1, &statement, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(statement);
        throw VelthornError(
            QStringLiteral("%1 is not a product database (no System table)").arg(databaseFile));
    }
    QString version;
    if (sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0)) {
        version =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    }
    sqlite3_finalize(statement);
    return version;
}

void RestoreBackup(const QString& backupFile, const QString& databaseFile) {
    if (!QFileInfo(backupFile).isFile()) {
        throw VelthornError(QStringLiteral("backup not found: %1").arg(backupFile));
    }
    const QString version = ProductVersion(backupFile);
    if (!schema::FindVersion(version)) {
        throw VelthornError(QStringLiteral("%1 is not a product database of a supported version "
                                           "(its version is '%2')")
                                .arg(backupFile, version));
    }
    if (!QFileInfo(databaseFile).isFile()) {
        throw VelthornError(QStringLiteral("database file not found: %1").arg(databaseFile));
    }
    Handle from = OpenFile(backupFile, SQLITE_OPEN_READONLY);
    Handle to = OpenFile(databaseFile, SQLITE_OPEN_READWRITE);
    CopyPages(from.get(), to.get(), QStringLiteral("cannot restore %1").arg(databaseFile));
}

}  // namespace velthorn::db
