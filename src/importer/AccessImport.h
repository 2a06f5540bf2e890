#pragma once
// Access price lists on machines without an Access driver: every table of an Access file (.mdb,
// .accdb) copied into a new SQLite file through mdbtools' library, which the run then opens like
// any embedded database. Texts arrive as UTF-8, amounts exactly.
#include <QString>
#include <QStringList>

namespace velthorn::importer {

struct ImportedTable {
    QString name;
    qint64 rows = 0;
};

// Raises when the Access file cannot be read or the SQLite file exists already or cannot be
// written; a half-written SQLite file is removed.
QList<ImportedTable> ImportAccess(const QString& accessFile, const QString& sqliteFile);

}  // namespace velthorn::importer
