#include "db/StatementTrace.h"

#include <QFile>
#include <QTextStream>
#include <memory>

#include "db/ConnectionKinds.h"
#include "db/Error.h"

namespace velthorn::db {

namespace {
struct TraceState {
    std::unique_ptr<QFile> file;
    std::unique_ptr<QTextStream> stream;
    StatementTrace::Recorder recorder;
};
TraceState& State() {
    static TraceState state;
    return state;
}
}  // namespace

bool StatementTrace::Active() {
    return State().stream || State().recorder;
}

void StatementTrace::Statement(const QString& connection, const QString& text) {
    TraceState& state = State();
    if (state.recorder) state.recorder(true, connection, text);
    if (state.stream) *state.stream << "/* " << connection << " */ " << text << ";\n";
}

void StatementTrace::Event(const QString& connection, const QString& text) {
    TraceState& state = State();
    const QString masked = MaskPasswords(text);
    if (state.recorder) state.recorder(false, connection, masked);
    if (state.stream) *state.stream << "-- " << connection << ": " << masked << "\n";
}

void StatementTrace::SetFile(const QString& path) {
    TraceState& state = State();
    if (state.stream) state.stream->flush();
    state.stream.reset();
    state.file.reset();
    if (path.isEmpty()) return;
    auto file = std::make_unique<QFile>(path);
    // Created for the owner alone: the trace names the shop's parts and connection settings.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text,
                    QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        throw VelthornError(
            QStringLiteral("cannot write the trace file %1: %2").arg(path, file->errorString()));
    }
    // An existing file keeps its permissions on open; narrow them as well.
    file->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    state.stream = std::make_unique<QTextStream>(file.get());
    state.stream->setEncoding(QStringConverter::Utf8);
    state.file = std::move(file);
}

void StatementTrace::Flush() {
    if (State().stream) State().stream->flush();
}

void StatementTrace::SetRecorder(Recorder recorder) {
    State().recorder = std::move(recorder);
}

}  // namespace velthorn::db
