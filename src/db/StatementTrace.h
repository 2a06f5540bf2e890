#pragma once
// Every statement and connection event passes through here, so that tests can compare statement
// sequences and support can read what a run sent (--trace FILE). Passwords are masked before
// anything is recorded.
#include <QString>
#include <functional>

namespace velthorn::db {

class StatementTrace {
  public:
    // A statement sent on the named connection ("cnData", "cnPriceList").
    static void Statement(const QString& connection, const QString& text);
    // A connection event: a property set, an open or close, a transaction boundary.
    static void Event(const QString& connection, const QString& text);

    // Writes the trace to a file created readable by its owner only; an empty path stops it.
    // Raises when the file cannot be created.
    static void SetFile(const QString& path);
    static void Flush();

    // Tests record statements and events in memory; pass nullptr to stop.
    using Recorder =
        std::function<void(bool isStatement, const QString& connection, const QString& text)>;
    static void SetRecorder(Recorder recorder);

    static bool Active();
};

}  // namespace velthorn::db
