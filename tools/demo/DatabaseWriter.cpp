#include "demo/DatabaseWriter.h"

#include <QFile>
#include <QSqlError>
#include <QStringList>
#include <atomic>

#include "db/ConnectionKinds.h"
#include "db/Error.h"

namespace velthorn::demo {

namespace {
std::atomic<int> g_writers{0};

void Check(bool ok, const QSqlError& error, const QString& what) {
    if (!ok) throw VelthornError(what + ": " + error.text());
}
}  // namespace

DatabaseWriter::DatabaseWriter(const WriteTarget& target)
    : name_(QStringLiteral("velthorn-demo-writer-%1").arg(++g_writers)),
      server_(!target.odbc.isEmpty()) {
    if (server_) {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
        db_.setDatabaseName(target.odbc);
        Check(db_.open(), db_.lastError(), "cannot open " + db::MaskPasswords(target.odbc));
        return;
    }
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        QFile::remove(target.sqliteFile + suffix);
    }
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db_.setDatabaseName(target.sqliteFile);
    Check(db_.open(), db_.lastError(), "cannot create " + target.sqliteFile);
    Exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    Exec(QStringLiteral("PRAGMA synchronous=OFF"));
}

DatabaseWriter::~DatabaseWriter() {
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

void DatabaseWriter::Exec(const QString& sql) {
    QSqlQuery query(db_);
    Check(query.exec(sql), query.lastError(), sql);
}

void DatabaseWriter::Create(const schema::TableDef& table) {
    if (server_) {
        for (const QString& existing : db_.tables()) {
            if (existing.compare(table.name, Qt::CaseInsensitive) == 0) {
                throw VelthornError(QStringLiteral("the database already has a table %1: give an "
                                                   "empty database")
                                        .arg(table.name));
            }
        }
    }
    const schema::DdlFlavor flavor =
        server_ ? schema::DdlFlavor::Server : schema::DdlFlavor::Sqlite;
    for (const QString& sql : schema::CreateStatements(table, flavor))
        Exec(sql);
}

void DatabaseWriter::Begin() {
    if (server_) {
        Check(db_.transaction(), db_.lastError(), QStringLiteral("begin"));
    } else {
        Exec(QStringLiteral("BEGIN"));
    }
}

void DatabaseWriter::Commit() {
    if (server_) {
        Check(db_.commit(), db_.lastError(), QStringLiteral("commit"));
    } else {
        Exec(QStringLiteral("COMMIT"));
    }
}

RowInserter::RowInserter(DatabaseWriter& writer, schema::TableDef table)
    : table_(std::move(table)), query_(writer.database()) {
    QStringList marks;
    for (size_t i = 0; i < table_.columns.size(); ++i) {
        index_.insert(table_.columns[i].name.toLower(), static_cast<int>(i));
        marks << QStringLiteral("?");
    }
    const QString sql = "INSERT INTO " + table_.name + " VALUES (" + marks.join(", ") + ")";
    Check(query_.prepare(sql), query_.lastError(), sql);
    Reset();
}

void RowInserter::Reset() {
    values_.assign(table_.columns.size(), QVariant());
    for (size_t i = 0; i < table_.columns.size(); ++i) {
        values_[i] = table_.columns[i].type == schema::ColumnType::Text ? QVariant(QString(""))
                                                                        : QVariant(qlonglong(0));
    }
}

RowInserter& RowInserter::Set(const QString& column, const QVariant& value) {
    const auto it = index_.constFind(column.toLower());
    if (it == index_.constEnd()) {
        throw VelthornError(QStringLiteral("table %1 has no column %2").arg(table_.name, column));
    }
    // A null text would be stored as NULL; the tool's tables hold empty texts instead.
    if (value.typeId() == QMetaType::QString && value.toString().isNull()) {
        values_[static_cast<size_t>(*it)] = QString(QLatin1String(""));
    } else {
        values_[static_cast<size_t>(*it)] = value;
    }
    return *this;
}

void RowInserter::Insert() {
    for (size_t i = 0; i < values_.size(); ++i)
        query_.bindValue(static_cast<int>(i), values_[i]);
    Check(query_.exec(), query_.lastError(), "insert into " + table_.name);
    Reset();
}

}  // namespace velthorn::demo
