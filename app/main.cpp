// velthorn: the window by default; the headless update run when given paths.
#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/CommandLine.h"
#include "db/Backup.h"
#include "db/Connection.h"
#include "db/Error.h"
#include "db/StatementTrace.h"
#include "importer/AccessImport.h"
#include "window/ConsoleView.h"
#include "window/QtWindow.h"
#include "window/frmCorvatel.h"

#ifndef VELTHORN_VERSION
#define VELTHORN_VERSION "1.0.0"
#endif

using namespace velthorn;

namespace {

void Print(FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

// The command line's settings, as the operator would type and tick them.
template <class View>
void ApplySettings(View& view, const app::Options& options) {
    if (!options.priceList.isEmpty()) view.SetText(Control::txtPriceList, options.priceList);
    if (!options.data.isEmpty()) view.SetText(Control::txtDataSarnovik, options.data);
    if (options.serverGiven) {
        view.SetText(Control::txtServer, options.server);
        view.SetText(Control::txtdbq, options.database);
        view.SetText(Control::txtuid, options.login);
        view.SetText(Control::txtpwd, options.password);
    }
    view.SetValue(Control::optSQL, options.serverGiven ? 1 : 0);
    view.SetValue(Control::chkComType, options.clientMachine ? 0 : 1);
    view.SetValue(Control::chkLikelAt, options.reorganise ? 1 : 0);
}

int RunWindow(int argc, char** argv, const app::Options& options) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velthorn"));
    QtWindow window;
    frmCorvatel form(window);
    window.SetForm(&form);
    form.Form_Load();
    ApplySettings(window, options);
    window.show();
    return application.exec();
}

// A command that runs to its end: its failure is reported on standard error.
int RunCommand(int argc, char** argv, const std::function<void()>& command) {
    QCoreApplication application(argc, argv);
    try {
        command();
        return app::kExitFinished;
    } catch (const VelthornError& error) {
        Print(stderr, "velthorn: " + error.message() + "\n");
        return app::kExitFailed;
    }
}

void Import(const app::Options& options) {
    for (const importer::ImportedTable& table :
         importer::ImportAccess(options.importFrom, options.importTo)) {
        Print(stdout, QStringLiteral("%1: %2 rows\n").arg(table.name).arg(table.rows));
    }
}

void Restore(const app::Options& options) {
    db::RestoreBackup(options.restore, options.data);
    Print(stdout, QStringLiteral("%1 restored from %2\n").arg(options.data, options.restore));
}

int RunHeadless(int argc, char** argv, const app::Options& options) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velthorn"));
    // A preview holds everything each connection does in one transaction, undone at the end.
    struct Preview {
        explicit Preview(bool on) : on(on) {
            if (on) db::Connection::BeginPreview();
        }
        ~Preview() {
            if (on) db::Connection::EndPreview();
        }
        bool on;
    } preview(options.preview);
    if (!options.trace.isEmpty()) {
        try {
            db::StatementTrace::SetFile(options.trace);
        } catch (const VelthornError& error) {
            Print(stderr, error.message() + "\n");
            return app::kExitUsage;
        }
    }
    ConsoleView view;
    auto form = std::make_unique<frmCorvatel>(view);
    form->SetPreview(options.preview);
    form->Form_Load();
    ApplySettings(view, options);
    form->cmdUpDate_Click();
    const RunEnd end = form->lastRunEnd();
    // The connections go before the preview ends, so that all of it is undone together.
    form.reset();
    db::StatementTrace::Flush();
    switch (end) {
        case RunEnd::Finished:
            view.PrintReport();
            Print(stdout, "\n" + view.lastDetail() + "\n");
            if (!options.report.isEmpty()) {
                try {
                    view.WriteReportCsv(options.report);
                } catch (const VelthornError& error) {
                    Print(stderr, error.message() + "\n");
                    return app::kExitFailed;
                }
            }
            return app::kExitFinished;
        case RunEnd::Failed:
            Print(stderr, view.lastDetail() + "\n");
            return app::kExitFailed;
        default:
            return app::kExitStopped;
    }
}

}  // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.isEmpty()) return RunWindow(argc, argv, app::Options{});
    QString error;
    const std::optional<app::Options> options = app::ParseArguments(arguments, &error);
    if (!options) {
        Print(stderr, "velthorn: " + error + "\n\n" + app::UsageText());
        return app::kExitUsage;
    }
    if (options->help) {
        Print(stdout, app::UsageText());
        return app::kExitFinished;
    }
    if (options->version) {
        Print(stdout, QStringLiteral("velthorn %1 (%2)\n").arg(VELTHORN_VERSION, kBuildBrand));
        return app::kExitFinished;
    }
    if (options->window) return RunWindow(argc, argv, *options);
    if (!options->importFrom.isEmpty()) return RunCommand(argc, argv, [&] { Import(*options); });
    if (!options->restore.isEmpty()) return RunCommand(argc, argv, [&] { Restore(*options); });
    return RunHeadless(argc, argv, *options);
}
