#include "app/CommandLine.h"

namespace velthorn::app {

QString UsageText() {
    return QStringLiteral(
        "usage:\n"
        "  velthorn                                   opens the window\n"
        "  velthorn --window [--price-list FILE] [--data FILE]\n"
        "                                             opens the window with these paths\n"
        "  velthorn --price-list FILE --data FILE [--reorganise] [--trace FILE] [--report "
        "FILE.csv]\n"
        "  velthorn --price-list FILE --server NAME --database NAME --login NAME --password TEXT\n"
        "           [--client-machine] [--reorganise] [--trace FILE] [--report FILE.csv]\n"
        "  velthorn --import-access FILE.mdb OUT.db   copies an Access file into a new SQLite "
        "file\n"
        "  velthorn --help | --version\n"
        "\n"
        "The headless run is the update run of the window's button: the same checks, messages and\n"
        "steps. Progress goes to standard error, the end message to standard output, followed by\n"
        "the change report when prices still differ.\n"
        "  --data FILE        the product database file\n"
        "  --server ...       the product database on SQL Server\n"
        "  --client-machine   this computer is not the server machine (the OLE DB kind)\n"
        "  --reorganise       reorganise the brand's alternate-number groups after the run\n"
        "  --trace FILE       write every statement sent (passwords masked), for support\n"
        "  --report FILE.csv  write the change report as CSV (UTF-8)\n"
        "  --preview          run the whole update, show its summary and report, then undo it:\n"
        "                     the databases are left exactly as they were\n"
        "Before a run writes to a product database file, a copy is written beside it\n"
        "(FILE.YYYYMMDD-HHMMSS.bak; the last five are kept).\n"
        "Exit status: 0 finished; 1 the run failed; 2 stopped before merging (a path, version or\n"
        "brand message); 64 bad usage.\n");
}

std::optional<Options> ParseArguments(const QStringList& arguments, QString* error) {
    Options options;
    const auto fail = [error](const QString& message) {
        *error = message;
        return std::nullopt;
    };
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const auto value = [&](QString* target) {
            if (i + 1 >= arguments.size()) return false;
            *target = arguments[++i];
            return true;
        };
        bool ok = true;
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--window") {
            options.window = true;
        } else if (arg == "--price-list") {
            ok = value(&options.priceList);
        } else if (arg == "--data") {
            ok = value(&options.data);
        } else if (arg == "--server") {
            ok = value(&options.server);
            options.serverGiven = true;
        } else if (arg == "--database") {
            ok = value(&options.database);
        } else if (arg == "--login") {
            ok = value(&options.login);
        } else if (arg == "--password") {
            ok = value(&options.password);
        } else if (arg == "--client-machine") {
            options.clientMachine = true;
        } else if (arg == "--reorganise") {
            options.reorganise = true;
        } else if (arg == "--trace") {
            ok = value(&options.trace);
        } else if (arg == "--report") {
            ok = value(&options.report);
        } else if (arg == "--preview") {
            options.preview = true;
        } else if (arg == "--restore") {
            ok = value(&options.restore);
        } else if (arg == "--import-access") {
            ok = value(&options.importFrom) && value(&options.importTo);
        } else {
            return fail(QStringLiteral("unknown argument: %1").arg(arg));
        }
        if (!ok) return fail(QStringLiteral("%1 needs a value").arg(arg));
    }
    if (options.help || options.version || options.window) return options;
    if (!options.restore.isEmpty()) {
        if (options.data.isEmpty() || arguments.size() != 4) {
            return fail(QStringLiteral("--restore BACKUP --data FILE"));
        }
        return options;
    }
    if (!options.importFrom.isEmpty()) {
        if (arguments.size() != 3) return fail(QStringLiteral("--import-access stands alone"));
        return options;
    }
    if (!options.data.isEmpty() && options.serverGiven) {
        return fail(QStringLiteral("give either --data or --server, not both"));
    }
    if (options.priceList.isEmpty() && options.data.isEmpty() && !options.serverGiven) {
        return fail(QStringLiteral("nothing to do"));
    }
    if (options.priceList.isEmpty()) return fail(QStringLiteral("--price-list is missing"));
    if (options.data.isEmpty() && !options.serverGiven) {
        return fail(QStringLiteral("--data or --server is missing"));
    }
    return options;
}

}  // namespace velthorn::app
