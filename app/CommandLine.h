#pragma once
// The command-line contract of velthorn (other programs rely on it).
#include <QString>
#include <QStringList>
#include <optional>

namespace velthorn::app {

struct Options {
    bool help = false;
    bool version = false;
    bool window = false;  // open the window, with any paths given filled in
    QString priceList;
    QString data;  // the product database file
    QString server, database, login, password;
    bool serverGiven = false;
    bool clientMachine = false;  // "this computer is the server machine" not ticked
    bool reorganise = false;
    QString trace;
    QString report;                // CSV of the change report
    QString importFrom, importTo;  // --import-access FILE OUT.db
    bool preview = false;          // run, report, and undo it all
    QString restore;               // --restore BACKUP --data FILE
};

// Parses the arguments (without the program name). On bad usage returns nothing and sets error.
std::optional<Options> ParseArguments(const QStringList& arguments, QString* error);

QString UsageText();

inline constexpr int kExitFinished = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitStopped = 2;
inline constexpr int kExitUsage = 64;

}  // namespace velthorn::app
