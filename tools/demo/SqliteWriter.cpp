#include "demo/SqliteWriter.h"

#include <QFile>
#include <QSqlError>
#include <QStringList>
#include <atomic>

#include "db/Error.h"

namespace velthorn::demo {

namespace {
std::atomic<int> g_writers{0};

void Check(bool ok, const QSqlError& error, const QString& what) {
    if (!ok) throw VelthornError(what + ": " + error.text());
}
}  // namespace

SqliteWriter::SqliteWriter(const QString& path)
    : name_(QStringLiteral("velthorn-demo-writer-%1").arg(++g_writers)) {
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        QFile::remove(path + suffix);
    }
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db_.setDatabaseName(path);
    Check(db_.open(), db_.lastError(), "cannot create " + path);
    Exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    Exec(QStringLiteral("PRAGMA synchronous=OFF"));
}

SqliteWriter::~SqliteWriter() {
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

void SqliteWriter::Exec(const QString& sql) {
    QSqlQuery query(db_);
    Check(query.exec(sql), query.lastError(), sql);
}

void SqliteWriter::Create(const schema::TableDef& table) {
    for (const QString& sql : schema::CreateStatements(table, schema::DdlFlavor::Sqlite))
        Exec(sql);
}

void SqliteWriter::Begin() {
    Exec(QStringLiteral("BEGIN"));
}
void SqliteWriter::Commit() {
    Exec(QStringLiteral("COMMIT"));
}

RowInserter::RowInserter(SqliteWriter& writer, schema::TableDef table)
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
