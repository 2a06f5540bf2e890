#pragma once
// Writes demo and test databases, from the tool's table definitions: a SQLite file, or a database
// on a server reached through ODBC. Not the tool's own statements: nothing here goes through the
// statement trace.
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <vector>

#include "schema/TableDefs.h"

namespace velthorn::demo {

// Where a database is written: a SQLite file (replaced when it exists), or an ODBC connection
// string of an empty database on a server.
struct WriteTarget {
    QString sqliteFile;
    QString odbc;
    static WriteTarget File(const QString& path) { return {path, QString()}; }
    static WriteTarget Odbc(const QString& connectionString) {
        return {QString(), connectionString};
    }
};

class DatabaseWriter {
  public:
    explicit DatabaseWriter(const WriteTarget& target);
    ~DatabaseWriter();
    DatabaseWriter(const DatabaseWriter&) = delete;
    DatabaseWriter& operator=(const DatabaseWriter&) = delete;

    // Raises when the table exists already: a server database is never overwritten.
    void Create(const schema::TableDef& table);
    void Exec(const QString& sql);
    void Begin();
    void Commit();
    QSqlDatabase& database() { return db_; }
    bool server() const { return server_; }

  private:
    QString name_;
    bool server_ = false;
    QSqlDatabase db_;
};

// Inserts rows into one table by column name; columns not set take 0, '' or no.
class RowInserter {
  public:
    RowInserter(DatabaseWriter& writer, schema::TableDef table);
    RowInserter& Set(const QString& column, const QVariant& value);
    void Insert();

  private:
    void Reset();
    schema::TableDef table_;
    QHash<QString, int> index_;
    std::vector<QVariant> values_;
    QSqlQuery query_;
};

}  // namespace velthorn::demo
