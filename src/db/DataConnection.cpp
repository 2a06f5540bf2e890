// The product-database connection: Access file with its password retry, or SQL Server by either
// connection kind, and its renewal.
#include "db/ConnectionKinds.h"
#include "db/Error.h"
#include "keys/Text.h"
#include "window/frmCorvatel.h"

namespace velthorn {

void frmCorvatel::OpenDataConnection() {
    if (view_.Value(Control::optAccess) == 1) {
        OpenAccessConnection();
        return;
    }
    const QString server = view_.Text(Control::txtServer);
    const QString database = view_.Text(Control::txtdbq);
    const QString uid = view_.Text(Control::txtuid);
    const QString pwd = view_.Text(Control::txtpwd);
    if (view_.Value(Control::chkComType) == 1) {
        cnData->setConnectionString(db::SqlServerConnectionString(server, uid, pwd, database));
        cnData->setCommandTimeout(db::kServerCommandTimeout);
        cnData->setCursorLocation(db::adUseServer);
        cnData->Open(QString(), QString(), QString(), -1);
    } else {
        cnData->setCommandTimeout(db::kServerCommandTimeout);
        cnData->setCursorLocation(db::adUseClient);
        cnData->Open(db::SqlOleDbConnectionString(server, database, uid, pwd), QString(), QString(),
                     -1);
    }
}

void frmCorvatel::OpenAccessConnection() {
    const auto attempt = [this](const QString& password) {
        const QString path = keys::TrimBlanks(view_.Text(Control::txtDataSarnovik));
        const bool accdb = db::EndsInAccdb(path);
        cnData->setConnectionString(db::AccessConnectionString(path, accdb, password));
        cnData->setCommandTimeout(db::kFileCommandTimeout);
        cnData->setCursorLocation(db::adUseServer);
        cnData->Open(QString(), QString(), QString(), -1);
    };
    try {
        attempt(db::kDataPasswordFirst);
    } catch (const VelthornError&) {
        // Any failure of the first attempt: once more with the second password. A failure of
        // that one goes to the caller.
        attempt(db::kDataPasswordSecond);
    }
}

void frmCorvatel::RenewDataConnection() {
    if (cnData->State() == db::adStateOpen) {
        cnData->Close();
        cnData.Release();
    }
    OpenDataConnection();
}

}  // namespace velthorn
