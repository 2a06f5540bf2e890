#pragma once
// Copies of the product file: written before a run changes it, put back on request. SQLite's
// online backup makes them, so a copy is consistent even while other programs use the file.
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace velthorn::db {

inline constexpr int kBackupsKept = 5;

// Writes FILE.YYYYMMDD-HHMMSS.bak beside the file and keeps the newest `keep` backups of it.
// Returns the new backup's path; raises when it cannot be written.
QString WriteBackup(const QString& databaseFile, const QDateTime& now, int keep = kBackupsKept);

// The backups of the file, oldest first.
QStringList BackupsOf(const QString& databaseFile);

// The schema version of a product database file; raises when the file is not one.
QString ProductVersion(const QString& databaseFile);

// Puts a backup back in place of the file, after checking that it is a product database of a
// supported version. Raises, changing nothing, otherwise.
void RestoreBackup(const QString& backupFile, const QString& databaseFile);

}  // namespace velthorn::db
