#include "window/ConsoleView.h"

#include <unistd.h>
#include <QFile>
#include <QStringList>

#include "db/Error.h"
#include "db/StatementTrace.h"
#include "keys/Text.h"

namespace velthorn {

namespace {
constexpr qint64 kTerminalRefreshMs = 100;
constexpr qint64 kPlainLineEveryMs = 5000;

void Write(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

// "กำลังเปลี่ยนราคา  DAIHATSU_3  45 %" without "  45 %" (set once per row: no regular expression).
QString StageOf(const QString& progress) {
    if (!progress.endsWith(QStringLiteral(" %"))) return progress;
    qsizetype end = progress.size() - 2;
    while (end > 0 && progress.at(end - 1).isDigit())
        --end;
    if (end == progress.size() - 2) return progress;
    while (end > 0 && progress.at(end - 1) == u' ')
        --end;
    return progress.left(end);
}
}  // namespace

int DisplayWidth(const QString& text) {
    int width = 0;
    for (QChar c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing) continue;
        ++width;
    }
    return width;
}

ConsoleView::ConsoleView(FILE* out, FILE* err)
    : out_(out), err_(err), terminal_(isatty(fileno(err)) != 0) {
    sinceShown_.start();
    stageClock_.start();
}

void ConsoleView::SetText(Control control, const QString& text) {
    ModelView::SetText(control, text);
    if (control == Control::txtPartNO) {
        ++stageRows_;
        return;
    }
    if (control != Control::txtQTY) return;
    const QString stage = StageOf(text);
    const bool newStage = stage != stage_;
    if (newStage) {
        stage_ = stage;
        stageRows_ = 0;
        stageClock_.restart();
    }
    ShowProgress(newStage);
}

void ConsoleView::ShowProgress(bool force) {
    const QString progress = Text(Control::txtQTY);
    if (terminal_) {
        if (!force && sinceShown_.elapsed() < kTerminalRefreshMs) return;
        QString line = progress;
        const qint64 elapsed = stageClock_.elapsed();
        if (stageRows_ > 0 && elapsed > 0) {
            line += QStringLiteral("   %1 rows/s").arg(stageRows_ * 1000 / elapsed);
        }
        Write(err_, QStringLiteral("\r\033[K") + line);
        lineOpen_ = true;
    } else {
        if (!force && sinceShown_.elapsed() < kPlainLineEveryMs) return;
        if (progress == lastShown_) return;
        Write(err_, progress + QStringLiteral("\n"));
    }
    std::fflush(err_);
    lastShown_ = progress;
    sinceShown_.restart();
}

void ConsoleView::EndProgressLine() {
    if (lineOpen_) {
        Write(err_, QStringLiteral("\n"));
        lineOpen_ = false;
    } else if (!terminal_ && Text(Control::txtQTY) != lastShown_ &&
               !Text(Control::txtQTY).isEmpty()) {
        // The last progress text, as the window would still show it.
        Write(err_, Text(Control::txtQTY) + QStringLiteral("\n"));
        lastShown_ = Text(Control::txtQTY);
    }
}

void ConsoleView::MsgBox(const QString& text, int, const QString& detail) {
    EndProgressLine();
    std::fflush(err_);
    Write(out_, text + QStringLiteral("\n"));
    std::fflush(out_);
    lastDetail_ = detail;
}

int ConsoleView::ReportLines() const {
    int lines = 0;
    for (int row = 1; row < GridRows(); ++row) {
        if (GridText(row, 1).isEmpty()) break;
        ++lines;
    }
    return lines;
}

void ConsoleView::PrintReport() const {
    const int lines = ReportLines();
    if (lines == 0) return;
    std::vector<int> widths(8, 0);
    for (int row = 0; row <= lines; ++row) {
        for (int col = 1; col <= 7; ++col) {
            widths[col] = std::max(widths[col], DisplayWidth(keys::TrimBlanks(GridText(row, col))));
        }
    }
    // Amounts right-aligned, everything else left-aligned.
    for (int row = 0; row <= lines; ++row) {
        QString line;
        for (int col = 1; col <= 7; ++col) {
            const QString cell = keys::TrimBlanks(GridText(row, col));
            const QString pad(widths[col] - DisplayWidth(cell), u' ');
            if (col > 1) line += QStringLiteral("  ");
            line += (col >= 6 && row > 0) ? pad + cell : cell + pad;
        }
        while (line.endsWith(u' '))
            line.chop(1);
        Write(out_, line + QStringLiteral("\n"));
    }
    std::fflush(out_);
}

void ConsoleView::WriteReportCsv(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        throw VelthornError(
            QStringLiteral("cannot write the report %1: %2").arg(path, file.errorString()));
    }
    const auto csvField = [](const QString& text) {
        if (text.contains(u',') || text.contains(u'"') || text.contains(u'\n')) {
            QString quoted = text;
            quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            return QStringLiteral("\"") + quoted + QStringLiteral("\"");
        }
        return text;
    };
    const int lines = ReportLines();
    QByteArray content;
    for (int row = 0; row <= lines; ++row) {
        QStringList fields;
        for (int col = 1; col <= 7; ++col) {
            const QString cell = GridText(row, col);
            fields << csvField(row == 0 ? keys::TrimBlanks(cell) : cell);
        }
        content += fields.join(u',').toUtf8() + "\n";
    }
    if (file.write(content) != content.size()) {
        throw VelthornError(
            QStringLiteral("cannot write the report %1: %2").arg(path, file.errorString()));
    }
}

}  // namespace velthorn
