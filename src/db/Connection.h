#pragma once
// A database connection in the manner the tool was designed around: a connection string, a
// command time-out and a cursor location set before opening; statements executed as text;
// transactions begun, committed and rolled back on it.
//
// Speed lives here, not in the logic above: on the embedded backend each statement shape is
// prepared once and bound, and the work between two opens is grouped into transactions that
// commit a batch of rows at a time. A transaction the caller begins is then a savepoint inside the
// batch, so it still commits or rolls back on its own; statements outside any transaction of the
// caller join the batch. Settle() commits the batch at once (closing the connection does too).
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "db/ConnectionKinds.h"
#include "schema/SqlValues.h"

namespace velthorn::db {

inline constexpr int adStateClosed = 0;
inline constexpr int adStateOpen = 1;

class Recordset;

// A query handed out for one statement: a cached prepared one (marked in use until released) or
// one of its own.
struct QueryLease {
    QSqlQuery* query = nullptr;
    std::unique_ptr<QSqlQuery> owned;
    bool* inUse = nullptr;
};

class Connection {
  public:
    explicit Connection(QString name);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& name() const { return name_; }

    // Raises while the connection is open, as the string cannot change then.
    void setConnectionString(const QString& value);
    const QString& connectionString() const { return connectionString_; }
    void setCommandTimeout(int seconds);
    int commandTimeout() const { return commandTimeout_; }
    void setCursorLocation(int location);
    int cursorLocation() const { return cursorLocation_; }

    // Opens on the given string, or on the connection string when it is empty (the user and
    // password arguments and the options are accepted for the form of the call and not used).
    void Open(const QString& connectionString = QString(), const QString& user = QString(),
              const QString& password = QString(), int options = -1);
    void Close();
    int State() const { return open_ ? adStateOpen : adStateClosed; }

    // Runs a statement that returns no rows.
    void Execute(const QString& sql, qint64* recordsAffected = nullptr);

    void BeginTrans();
    void CommitTrans();
    // Raises when no transaction of the caller is open.
    void RollbackTrans();
    bool InTransaction() const;

    // Commits the rows the layer still holds in its batch (none on backends without batching).
    void Settle();

    Backend backend() const { return backend_; }
    schema::Dialect dialect() const { return dialect_; }

    // Preview: from BeginPreview on, every connection opened holds all its work in one outer
    // transaction that outlives closing and reopening (the link is kept for the next open on the
    // same string); EndPreview rolls all of it back. Backends that cannot nest transactions
    // refuse to open while a preview runs.
    static void BeginPreview();
    static void EndPreview();
    static bool PreviewActive();

    // Tests can make an open fail before the backend is reached (a refused password, say).
    using OpenHook = std::function<void(const Connection&, const QString& connectionString)>;
    static void SetOpenHook(OpenHook hook);

    // How long a batch may hold uncommitted rows before it commits.
    static constexpr int kBatchMillis = 250;

  private:
    friend class Recordset;

    struct Prepared;
    enum class Level { Hold, Batch, Row };

    // The one funnel every statement passes through.
    QueryLease Run(const QString& sql, bool forRead);
    static void Release(QueryLease& lease);
    void RequireOpen() const;
    void OpenSqlite(const QString& path);
    bool AdoptHeldLink();
    void HoldLink();
    void OpenOdbc(const QString& connectionString);
    void ExecControl(const QString& sql);
    void PushLevel(Level level);
    void CommitTop();
    void RollbackTop();
    void EnsureBatch();
    void MaybeCommitBatch();
    [[noreturn]] void Fail(const QString& what, const QString& detail, const QString& sql) const;

    QString name_;
    QString connectionString_;
    int commandTimeout_ = 30;
    int cursorLocation_ = adUseServer;
    bool open_ = false;
    Backend backend_ = Backend::Sqlite;
    schema::Dialect dialect_ = schema::Dialect::File;
    QString qtName_;
    QSqlDatabase db_;
    bool batching_ = false;
    bool writeAheadChecked_ = false;
    std::vector<Level> levels_;
    QElapsedTimer batchTimer_;
    std::unordered_map<QString, std::unique_ptr<Prepared>> prepared_;
};

}  // namespace velthorn::db
