#pragma once
// What the suites share: temporary databases, a form on a recording view, the statement recorder.
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>
#include <ostream>
#include <vector>

#include "demo/DemoData.h"
#include "window/ModelView.h"
#include "window/frmCorvatel.h"

// Readable failure messages for Qt texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << "{\n";
    for (const QString& text : list)
        *os << "  \"" << text.toStdString() << "\"\n";
    *os << "}";
}

namespace velthorn::test {

// A Qt application object for the whole test process (the SQL drivers need one).
void EnsureApplication();

// A message box as the recording view saw it.
struct Message {
    QString text;
    int icon;
    QString detail;
};

class RecordingView : public ModelView {
  public:
    void MsgBox(const QString& text, int icon, const QString& detail) override {
        messages.push_back({text, icon, detail});
    }
    void DoEvents() override { ++doEvents; }
    void SetText(Control control, const QString& text) override {
        ModelView::SetText(control, text);
        if (control == Control::txtQTY) progress << text;
    }
    std::vector<Message> messages;
    QStringList progress;  // every text txtQTY showed, in order
    int doEvents = 0;
};

// Records the statements sent (and, when asked, the connection events) while it lives.
class StatementRecorder {
  public:
    explicit StatementRecorder(bool withEvents = false);
    ~StatementRecorder();
    // Statements on one connection ("cnData", "cnPriceList"), in order.
    QStringList On(const QString& connection) const;
    QStringList events;      // "cnData: ConnectionString = ..."
    QStringList statements;  // "cnData: Select ..."
    void Clear() {
        events.clear();
        statements.clear();
    }
};

// A temporary folder with a product database and a price list in it.
class Workspace {
  public:
    Workspace();
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString product() const { return Path("Sarnovik.db"); }
    QString priceList() const { return Path("PriceList_DAIHATSU.db"); }

  private:
    QTemporaryDir dir_;
};

// A form on a recording view with its window opened and the paths of the workspace filled in.
struct FormFixture {
    explicit FormFixture(const Workspace& workspace, const QString& brand = "DAIHATSU");
    // Opens both connections and reads version and brand, as the run does before its steps.
    void Open();
    RecordingView view;
    frmCorvatel form;
};

// Reads a query's rows from a SQLite file, each row its values joined by "|" (amounts exact).
QStringList Rows(const QString& path, const QString& sql);
// The single value of a query.
QVariant Value(const QString& path, const QString& sql);
// Runs a statement on a SQLite file.
void Exec(const QString& path, const QString& sql);

// A part record with the given identifier and number, and plain names and prices.
demo::PartRecord Part(int32_t id, const QString& kind, const QString& partNO,
                      const QString& price = "100", const QString& sale = "90");
// A list row with the given number and prices.
demo::ListRecord ListRow(const QString& kind, const QString& partNO, const QString& price = "100",
                         const QString& sale = "90");

// Path of a built program (velthorn, velthorn-demo).
QString Program(const QString& name);

// How a program run ended: its exit status (-1 when it crashed or was killed) and its output.
struct Outcome {
    int exitCode;
    QString out;
    QString err;
};
// Runs a program to its end; with a prefix (a command such as setpriv) it runs under that.
Outcome RunProgram(const QString& program, const QStringList& arguments,
                   const QStringList& prefix = {}, const QString& workingDirectory = {});
// Runs the built velthorn.
Outcome RunVelthorn(const QStringList& arguments);

}  // namespace velthorn::test
