#include "importer/AccessImport.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <memory>
#include <vector>

extern "C" {
#include <mdbtools.h>
}

#include "db/Error.h"
#include "schema/Currency.h"

namespace velthorn::importer {

namespace {

struct Column {
    QString name;
    int type;
    MdbColumn* mdb;
};

QString SqliteType(int type) {
    switch (type) {
        case MDB_BOOL:
            return QStringLiteral("YESNO");
        case MDB_BYTE:
        case MDB_INT:
        case MDB_LONGINT:
        case MDB_COMPLEX:
            return QStringLiteral("INTEGER");
        case MDB_MONEY:
            return QStringLiteral("CURRENCY");
        case MDB_FLOAT:
        case MDB_DOUBLE:
            return QStringLiteral("REAL");
        case MDB_NUMERIC:
            return QStringLiteral("NUMERIC");
        case MDB_DATETIME:
            return QStringLiteral("DATETIME");
        case MDB_BINARY:
        case MDB_OLE:
            return QStringLiteral("BLOB");
        default:
            return QStringLiteral("TEXT");
    }
}

bool IsText(int type) {
    return type == MDB_TEXT || type == MDB_MEMO || type == MDB_REPID;
}

QString Quoted(const QString& name) {
    QString quoted = name;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

struct MdbCloser {
    void operator()(MdbHandle* handle) const { mdb_close(handle); }
};
struct TableFree {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

// One value as it goes into SQLite: texts as they are, amounts exact, null where Access has none.
QVariant Value(const Column& column, const char* bound, int length, MdbHandle* mdb) {
    if (column.type == MDB_OLE) {
        if (length == 0) return QVariant(QMetaType::fromType<QByteArray>());
        size_t size = 0;
        void* data = mdb_ole_read_full(mdb, column.mdb, &size);
        if (!data) return QVariant(QMetaType::fromType<QByteArray>());
        QByteArray bytes(static_cast<const char*>(data), static_cast<qsizetype>(size));
        free(data);
        return bytes;
    }
    const QString text = QString::fromUtf8(bound, length);
    // Empty text and a missing value look the same here: a text column keeps it as empty text,
    // any other column as null.
    if (length == 0) return IsText(column.type) ? QVariant(QString(QLatin1String(""))) : QVariant();
    switch (column.type) {
        case MDB_MONEY:
        case MDB_NUMERIC:
            return schema::Currency::Parse(text.trimmed()).toString();
        case MDB_BOOL:
        case MDB_BYTE:
        case MDB_INT:
        case MDB_LONGINT:
        case MDB_COMPLEX:
            return text.trimmed().toLongLong();
        case MDB_FLOAT:
        case MDB_DOUBLE:
            return text.trimmed().toDouble();
        default:
            return text;
    }
}

void Exec(QSqlQuery& query, const QString& sql) {
    if (!query.exec(sql)) {
        throw VelthornError(QStringLiteral("%1: %2").arg(sql, query.lastError().text()));
    }
}

}  // namespace

QList<ImportedTable> ImportAccess(const QString& accessFile, const QString& sqliteFile) {
    if (!QFileInfo(accessFile).isFile()) {
        throw VelthornError(QStringLiteral("Access file not found: %1").arg(accessFile));
    }
    if (QFileInfo::exists(sqliteFile)) {
        throw VelthornError(
            QStringLiteral("%1 exists already: give the name of a new file").arg(sqliteFile));
    }
    std::unique_ptr<MdbHandle, MdbCloser> mdb(
        mdb_open(QFile::encodeName(accessFile).constData(), MDB_NOFLAGS));
    if (!mdb)
        throw VelthornError(
            QStringLiteral("%1 is not an Access file mdbtools can read").arg(accessFile));
    mdb_set_date_fmt(mdb.get(), "%Y-%m-%d %H:%M:%S");
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE)) {
        throw VelthornError(QStringLiteral("cannot read the tables of %1").arg(accessFile));
    }

    const QString connection = QStringLiteral("velthorn-import");
    QList<ImportedTable> imported;
    try {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(sqliteFile);
        if (!db.open()) throw VelthornError(db.lastError().text());
        QSqlQuery query(db);
        Exec(query, QStringLiteral("BEGIN"));
        for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (entry->object_type != MDB_TABLE || mdb_is_system_table(entry)) continue;
            std::unique_ptr<MdbTableDef, TableFree> table(mdb_read_table(entry));
            if (!table) continue;
            mdb_read_columns(table.get());
            mdb_rewind_table(table.get());

            std::vector<Column> columns;
            QStringList definitions, marks;
            for (unsigned int c = 0; c < table->num_cols; ++c) {
                auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
                columns.push_back({QString::fromUtf8(column->name), column->col_type, column});
                definitions << Quoted(columns.back().name) + " " + SqliteType(column->col_type);
                marks << QStringLiteral("?");
            }
            const QString name = QString::fromUtf8(table->name);
            Exec(query, "CREATE TABLE " + Quoted(name) + " (" + definitions.join(", ") + ")");
            QSqlQuery insert(db);
            if (!insert.prepare("INSERT INTO " + Quoted(name) + " VALUES (" + marks.join(", ") +
                                ")")) {
                throw VelthornError(insert.lastError().text());
            }
            std::vector<std::vector<char>> buffers(columns.size(),
                                                   std::vector<char>(MDB_BIND_SIZE));
            std::vector<int> lengths(columns.size(), 0);
            // Every column is bound, OLE ones too: their bound header tells where the data is.
            for (size_t c = 0; c < columns.size(); ++c) {
                mdb_bind_column(table.get(), static_cast<int>(c + 1), buffers[c].data(),
                                &lengths[c]);
            }
            ImportedTable result{name, 0};
            while (mdb_fetch_row(table.get())) {
                for (size_t c = 0; c < columns.size(); ++c) {
                    insert.bindValue(static_cast<int>(c),
                                     Value(columns[c], buffers[c].data(), lengths[c], mdb.get()));
                }
                if (!insert.exec()) {
                    throw VelthornError(
                        QStringLiteral("table %1: %2").arg(name, insert.lastError().text()));
                }
                ++result.rows;
            }
            imported << result;
        }
        Exec(query, QStringLiteral("COMMIT"));
        query = QSqlQuery();
        db.close();
    } catch (...) {
        QSqlDatabase::removeDatabase(connection);
        QFile::remove(sqliteFile);
        throw;
    }
    QSqlDatabase::removeDatabase(connection);
    return imported;
}

}  // namespace velthorn::importer
