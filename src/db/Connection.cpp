#include "db/Connection.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <map>

#include "db/Error.h"
#include "db/OdbcSettings.h"
#include "db/SqlShape.h"
#include "db/StatementTrace.h"

namespace velthorn::db {

struct Connection::Prepared {
    QSqlQuery query;
    bool inUse = false;
    explicit Prepared(const QSqlDatabase& db) : query(db) {}
};

namespace {
Connection::OpenHook& Hook() {
    static Connection::OpenHook hook;
    return hook;
}
std::atomic<int> g_connectionCounter{0};

// The links a preview keeps across closing and reopening, each inside its outer transaction.
struct HeldLink {
    QString qtName;
    QSqlDatabase db;
    Backend backend;
    schema::Dialect dialect;
};
struct PreviewState {
    bool active = false;
    std::multimap<QString, HeldLink> held;  // by connection string
};
PreviewState& Preview() {
    static PreviewState state;
    return state;
}

// Shapes are few (one per statement form and variant); the cap only guards against surprises.
constexpr size_t kMaxPrepared = 512;
}  // namespace

void Connection::SetOpenHook(OpenHook hook) {
    Hook() = std::move(hook);
}

void Connection::BeginPreview() {
    Preview().active = true;
}

bool Connection::PreviewActive() {
    return Preview().active;
}

void Connection::EndPreview() {
    PreviewState& preview = Preview();
    for (auto& [string, link] : preview.held) {
        QSqlQuery(link.db).exec(QStringLiteral("ROLLBACK"));
        link.db.close();
        link.db = QSqlDatabase();
        QSqlDatabase::removeDatabase(link.qtName);
    }
    preview.held.clear();
    preview.active = false;
}

bool Connection::AdoptHeldLink() {
    PreviewState& preview = Preview();
    const auto it = preview.held.find(connectionString_);
    if (it == preview.held.end()) return false;
    qtName_ = it->second.qtName;
    db_ = it->second.db;
    backend_ = it->second.backend;
    dialect_ = it->second.dialect;
    preview.held.erase(it);
    batching_ = false;  // everything is one transaction already
    levels_ = {Level::Hold};
    open_ = true;
    return true;
}

void Connection::HoldLink() {
    prepared_.clear();
    Preview().held.insert({connectionString_, HeldLink{qtName_, db_, backend_, dialect_}});
    db_ = QSqlDatabase();
    levels_.clear();
    open_ = false;
}

Connection::Connection(QString name) : name_(std::move(name)) {}

Connection::~Connection() {
    if (open_) {
        try {
            Close();
        } catch (...) {
            // A connection dropped with the program: nothing left to report to.
        }
    }
}

void Connection::setConnectionString(const QString& value) {
    if (open_) {
        throw VelthornError(
            QStringLiteral(
                "%1: operation is not allowed when the object is open (connection string)")
                .arg(name_));
    }
    StatementTrace::Event(name_, "ConnectionString = " + value);
    connectionString_ = value;
}

void Connection::setCommandTimeout(int seconds) {
    StatementTrace::Event(name_, "CommandTimeout = " + QString::number(seconds));
    commandTimeout_ = seconds;
}

void Connection::setCursorLocation(int location) {
    StatementTrace::Event(name_, "CursorLocation = " + QString::number(location));
    cursorLocation_ = location;
}

void Connection::Open(const QString& connectionString, const QString&, const QString&, int) {
    if (open_) {
        throw VelthornError(
            QStringLiteral("%1: operation is not allowed when the object is open").arg(name_));
    }
    if (!connectionString.isEmpty()) connectionString_ = connectionString;
    StatementTrace::Event(name_, "Open " + connectionString_);
    if (Hook()) Hook()(*this, connectionString_);
    if (Preview().active && AdoptHeldLink()) return;
    const OpenTarget target = ResolveTarget(connectionString_);
    if (Preview().active && target.backend != Backend::Sqlite) {
        throw VelthornError(QStringLiteral(
            "a preview is not possible on this database: its driver cannot undo a whole run "
            "while keeping each row's own transaction (no savepoints); nothing was changed"));
    }
    backend_ = target.backend;
    dialect_ = target.dialect;
    qtName_ = QStringLiteral("velthorn-%1-%2").arg(name_).arg(++g_connectionCounter);
    if (backend_ == Backend::Sqlite) {
        OpenSqlite(target.target);
    } else {
        OpenOdbc(target.target);
    }
    open_ = true;
    levels_.clear();
    if (Preview().active) {
        batching_ = false;
        PushLevel(Level::Hold);
    }
}

void Connection::OpenSqlite(const QString& path) {
    const QFileInfo info(path);
    if (!info.isWritable()) {
        throw VelthornError(QStringLiteral("the database file %1 is read-only").arg(path));
    }
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), qtName_);
    db_.setDatabaseName(path);
    // The command time-out is how long a statement waits for a lock another program holds.
    db_.setConnectOptions(
        QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(qMax(0, commandTimeout_) * 1000));
    if (!db_.open()) {
        const QString detail = db_.lastError().text();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(qtName_);
        throw VelthornError(QStringLiteral("cannot open %1: %2").arg(path, detail));
    }
    batching_ = true;
    writeAheadChecked_ = false;
    open_ = true;  // so that the control statements below may run
    try {
        // With synchronous NORMAL a commit costs no disk flush; a crash can lose the last
        // commits but never corrupts the file, and a second run redoes what was lost.
        ExecControl(QStringLiteral("PRAGMA synchronous=NORMAL"));
        // Reading the schema proves the file is a database before anything relies on it.
        ExecControl(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    } catch (...) {
        open_ = false;
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(qtName_);
        throw;
    }
}

void Connection::OpenOdbc(const QString& connectionString) {
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), qtName_);
    if (!db_.isValid()) {
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(qtName_);
        throw VelthornError(QStringLiteral("the ODBC database driver of Qt is not installed"));
    }
    db_.setDatabaseName(connectionString);
    db_.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1;SQL_ATTR_CONNECTION_TIMEOUT=%1")
                              .arg(qMax(0, commandTimeout_)));
    if (!db_.open()) {
        QString detail = MaskPasswords(db_.lastError().text());
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(qtName_);
        if (connectionString.contains(QStringLiteral("Microsoft Access Driver"),
                                      Qt::CaseInsensitive) &&
            (detail.contains(QStringLiteral("not found"), Qt::CaseInsensitive) ||
             detail.contains(QStringLiteral("no default driver"), Qt::CaseInsensitive))) {
            detail = QStringLiteral(
                         "no Microsoft Access ODBC driver is installed on this machine; convert "
                         "the Access file with 'velthorn --import-access FILE OUT.db' (mdbtools) "
                         "and use the copy (%1)")
                         .arg(detail);
        }
        throw VelthornError(QStringLiteral("cannot open the ODBC connection: %1").arg(detail));
    }
    try {
        SetQueryTimeout(db_, qMax(0, commandTimeout_));
    } catch (...) {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(qtName_);
        throw;
    }
    StatementTrace::Event(name_, QStringLiteral("QueryTimeout = %1").arg(commandTimeout_));
    batching_ = false;
}

void Connection::Close() {
    if (!open_) {
        throw VelthornError(
            QStringLiteral("%1: operation is not allowed when the object is closed").arg(name_));
    }
    StatementTrace::Event(name_, QStringLiteral("Close"));
    // A transaction of the caller still open here was not completed: it is undone. What the
    // batch holds was completed and is committed.
    QString failure;
    try {
        while (!levels_.empty() && levels_.back() == Level::Row)
            RollbackTop();
        while (!levels_.empty() && levels_.back() != Level::Hold)
            CommitTop();
    } catch (const VelthornError& error) {
        failure = error.message();
    }
    if (!levels_.empty() && levels_.front() == Level::Hold && failure.isEmpty()) {
        // A preview keeps the link, and its transaction, for the next open.
        HoldLink();
        return;
    }
    if (!levels_.empty()) {
        try {
            while (!levels_.empty())
                RollbackTop();
        } catch (const VelthornError&) {
        }
    }
    levels_.clear();
    prepared_.clear();
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(qtName_);
    open_ = false;
    if (!failure.isEmpty()) throw VelthornError(failure);
}

void Connection::RequireOpen() const {
    if (!open_) {
        throw VelthornError(
            QStringLiteral("%1: operation is not allowed when the object is closed").arg(name_));
    }
}

void Connection::Fail(const QString& what, const QString& detail, const QString& sql) const {
    QString message = QStringLiteral("%1 on %2: %3").arg(what, name_, detail);
    if (!sql.isEmpty()) message += QStringLiteral("\nstatement: ") + sql;
    throw VelthornError(message);
}

namespace {
QString ErrorText(const QSqlError& error) {
    const QString database = error.databaseText().trimmed();
    const QString driver = error.driverText().trimmed();
    if (database.isEmpty()) return driver;
    if (driver.isEmpty()) return database;
    return database + " (" + driver + ")";
}
}  // namespace

QueryLease Connection::Run(const QString& sql, bool forRead) {
    RequireOpen();
    StatementTrace::Statement(name_, sql);
    // A batch is not held longer than its time, also while a pass only reads.
    MaybeCommitBatch();
    if (!forRead) EnsureBatch();
    QueryLease lease;
    if (backend_ == Backend::Sqlite) {
        const SqlShape shape = ShapeOf(sql);
        auto it = prepared_.find(shape.text);
        if (it == prepared_.end()) {
            if (prepared_.size() >= kMaxPrepared) {
                for (auto p = prepared_.begin(); p != prepared_.end();) {
                    p = p->second->inUse ? std::next(p) : prepared_.erase(p);
                }
            }
            auto prepared = std::make_unique<Prepared>(db_);
            prepared->query.setForwardOnly(true);
            if (!prepared->query.prepare(shape.text)) {
                Fail(QStringLiteral("statement failed"), ErrorText(prepared->query.lastError()),
                     sql);
            }
            it = prepared_.emplace(shape.text, std::move(prepared)).first;
        }
        if (it->second->inUse) {
            // The same shape is still being read: this statement gets a query of its own.
            lease.owned = std::make_unique<QSqlQuery>(db_);
            lease.owned->setForwardOnly(true);
            if (!lease.owned->prepare(shape.text)) {
                Fail(QStringLiteral("statement failed"), ErrorText(lease.owned->lastError()), sql);
            }
            lease.query = lease.owned.get();
        } else {
            lease.query = &it->second->query;
            it->second->inUse = true;
            lease.inUse = &it->second->inUse;
        }
        for (int i = 0; i < shape.values.size(); ++i)
            lease.query->bindValue(i, shape.values[i]);
        if (!lease.query->exec()) {
            const QString detail = ErrorText(lease.query->lastError());
            Release(lease);
            Fail(QStringLiteral("statement failed"), detail, sql);
        }
    } else {
        lease.owned = std::make_unique<QSqlQuery>(db_);
        lease.owned->setForwardOnly(true);
        // Amounts arrive as their decimal text, read exactly.
        lease.owned->setNumericalPrecisionPolicy(QSql::HighPrecision);
        lease.query = lease.owned.get();
        if (!lease.query->exec(sql)) {
            const QString detail = ErrorText(lease.query->lastError());
            Release(lease);
            Fail(QStringLiteral("statement failed"), detail, sql);
        }
    }
    return lease;
}

void Connection::Release(QueryLease& lease) {
    if (lease.query) lease.query->finish();
    if (lease.inUse) *lease.inUse = false;
    lease.inUse = nullptr;
    lease.query = nullptr;
    lease.owned.reset();
}

void Connection::Execute(const QString& sql, qint64* recordsAffected) {
    QueryLease lease = Run(sql, false);
    if (recordsAffected) *recordsAffected = lease.query->numRowsAffected();
    Release(lease);
    MaybeCommitBatch();
}

void Connection::ExecControl(const QString& sql) {
    QSqlQuery query(db_);
    if (!query.exec(sql))
        Fail(QStringLiteral("statement failed"), ErrorText(query.lastError()), sql);
}

// --- transactions

void Connection::PushLevel(Level level) {
    if (levels_.empty()) {
        if (backend_ == Backend::Sqlite) {
            // Take the write lock at once: waiting for another writer happens here, within the
            // command time-out, and never half-way through a row.
            ExecControl(QStringLiteral("BEGIN IMMEDIATE"));
        } else if (!db_.transaction()) {
            Fail(QStringLiteral("cannot begin a transaction"), ErrorText(db_.lastError()), {});
        }
    } else {
        if (backend_ != Backend::Sqlite) {
            Fail(QStringLiteral("cannot begin a transaction"),
                 QStringLiteral("this backend does not nest transactions"), {});
        }
        ExecControl(QStringLiteral("SAVEPOINT v%1").arg(levels_.size()));
    }
    levels_.push_back(level);
    if (level == Level::Batch) batchTimer_.start();
}

void Connection::CommitTop() {
    levels_.pop_back();
    if (levels_.empty()) {
        if (backend_ == Backend::Sqlite) {
            ExecControl(QStringLiteral("COMMIT"));
        } else if (!db_.commit()) {
            Fail(QStringLiteral("cannot commit"), ErrorText(db_.lastError()), {});
        }
    } else {
        ExecControl(QStringLiteral("RELEASE v%1").arg(levels_.size()));
    }
}

void Connection::RollbackTop() {
    levels_.pop_back();
    if (levels_.empty()) {
        if (backend_ == Backend::Sqlite) {
            ExecControl(QStringLiteral("ROLLBACK"));
        } else if (!db_.rollback()) {
            Fail(QStringLiteral("cannot roll back"), ErrorText(db_.lastError()), {});
        }
    } else {
        ExecControl(QStringLiteral("ROLLBACK TO v%1").arg(levels_.size()));
        ExecControl(QStringLiteral("RELEASE v%1").arg(levels_.size()));
    }
}

void Connection::EnsureBatch() {
    if (!batching_ || !levels_.empty()) return;
    if (!writeAheadChecked_) {
        writeAheadChecked_ = true;
        // Before the first write, and not before: write-ahead logging lets a shop's application
        // read while the run writes. Where another program keeps the file open the switch is
        // not waited for; the run then works in the file's own journal mode.
        ExecControl(QStringLiteral("PRAGMA busy_timeout=0"));
        QSqlQuery(db_).exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        ExecControl(QStringLiteral("PRAGMA busy_timeout=%1").arg(qMax(0, commandTimeout_) * 1000));
    }
    PushLevel(Level::Batch);
}

void Connection::MaybeCommitBatch() {
    if (!levels_.empty() && levels_.back() == Level::Batch &&
        batchTimer_.elapsed() >= kBatchMillis) {
        CommitTop();
    }
}

void Connection::BeginTrans() {
    RequireOpen();
    StatementTrace::Event(name_, QStringLiteral("BeginTrans"));
    EnsureBatch();
    PushLevel(Level::Row);
}

void Connection::CommitTrans() {
    RequireOpen();
    StatementTrace::Event(name_, QStringLiteral("CommitTrans"));
    if (levels_.empty() || levels_.back() != Level::Row) {
        throw VelthornError(QStringLiteral("%1: no transaction is open to commit").arg(name_));
    }
    CommitTop();
    MaybeCommitBatch();
}

void Connection::RollbackTrans() {
    RequireOpen();
    StatementTrace::Event(name_, QStringLiteral("RollbackTrans"));
    if (levels_.empty() || levels_.back() != Level::Row) {
        throw VelthornError(QStringLiteral("%1: no transaction is open to roll back").arg(name_));
    }
    RollbackTop();
}

bool Connection::InTransaction() const {
    return !levels_.empty() && levels_.back() == Level::Row;
}

void Connection::Settle() {
    if (!open_) return;
    if (!levels_.empty() && levels_.back() == Level::Batch) CommitTop();
}

}  // namespace velthorn::db
