#pragma once
// Writes demo and test databases straight into a SQLite file, from the tool's table definitions.
// Not the tool's own statements: nothing here goes through the statement trace.
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <vector>

#include "schema/TableDefs.h"

namespace velthorn::demo {

class SqliteWriter {
  public:
    // Creates the file afresh (an existing one is replaced).
    explicit SqliteWriter(const QString& path);
    ~SqliteWriter();
    SqliteWriter(const SqliteWriter&) = delete;
    SqliteWriter& operator=(const SqliteWriter&) = delete;

    void Create(const schema::TableDef& table);
    void Exec(const QString& sql);
    void Begin();
    void Commit();
    QSqlDatabase& database() { return db_; }

  private:
    QString name_;
    QSqlDatabase db_;
};

// Inserts rows into one table by column name; columns not set take 0, '' or no.
class RowInserter {
  public:
    RowInserter(SqliteWriter& writer, schema::TableDef table);
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
