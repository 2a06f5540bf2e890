#pragma once
// The screen of the headless run: progress on standard error (one line rewritten in place on a
// terminal, plain lines otherwise), the end message on standard output. The message's detail (the
// error's reason, or the run's summary) is kept for the caller to print where it belongs.
#include <QElapsedTimer>
#include <QString>
#include <cstdio>

#include "window/ModelView.h"

namespace velthorn {

class ConsoleView : public ModelView {
  public:
    ConsoleView(FILE* out = stdout, FILE* err = stderr);

    void SetText(Control control, const QString& text) override;
    void MsgBox(const QString& text, int icon, const QString& detail) override;

    // The detail of the last message box.
    const QString& lastDetail() const { return lastDetail_; }

    // The change report as a table of the grid's seven visible columns; nothing when empty.
    void PrintReport() const;
    // The change report as CSV (UTF-8, a heading line and one line per report line).
    void WriteReportCsv(const QString& path) const;
    // Report lines the grid holds.
    int ReportLines() const;

  private:
    void ShowProgress(bool force);
    void EndProgressLine();

    FILE* out_;
    FILE* err_;
    bool terminal_;
    QString stage_;  // the progress text without its percentage
    QString lastShown_;
    QString lastDetail_;
    bool lineOpen_ = false;
    QElapsedTimer sinceShown_;
    QElapsedTimer stageClock_;
    qint64 stageRows_ = 0;  // rows shown in the part line since the stage began
};

// The visible width of a text on a terminal: Thai vowel and tone marks above and below a letter
// take no column of their own.
int DisplayWidth(const QString& text);

}  // namespace velthorn
