// The update run that the command button starts, its step sequence and its one failure path.
#include <QFileInfo>
#include <cmath>

#include "db/Backup.h"
#include "db/ConnectionKinds.h"
#include "db/Error.h"
#include "keys/Text.h"
#include "window/Texts.h"
#include "window/frmCorvatel.h"

namespace velthorn {

namespace {
bool FileExists(const QString& path) {
    return QFileInfo(path).isFile();
}
}  // namespace

void frmCorvatel::cmdUpDate_Click() {
    lastFailure_.clear();
    summary_ = RunSummary();
    summary_.preview = preview_;
    try {
        view_.SetMousePointer(vbArrowHourglass);
        view_.SetEnabled(Control::cmdUpDate, false);

        const auto pathMessage = [this](const QString& message) {
            view_.MsgBox(message, vbExclamation, QString());
            lastRunEnd_ = RunEnd::PathMessage;
        };
        const QString priceListPath = keys::TrimBlanks(view_.Text(Control::txtPriceList));
        if (priceListPath.isEmpty()) {
            pathMessage(texts::PriceListPathEmpty(strBrand));
        } else if (!FileExists(priceListPath)) {
            pathMessage(texts::PriceListNotFound(strBrand));
        } else if (view_.Value(Control::optAccess) == 1 &&
                   keys::TrimBlanks(view_.Text(Control::txtDataSarnovik)).isEmpty()) {
            pathMessage(texts::kDataPathEmpty);
        } else if (view_.Value(Control::optAccess) == 1 &&
                   !FileExists(keys::TrimBlanks(view_.Text(Control::txtDataSarnovik)))) {
            pathMessage(db::EndsInAccdb(view_.Text(Control::txtDataSarnovik))
                            ? texts::kDataAccdbNotFound
                            : texts::kDataMdbNotFound);
        } else {
            view_.SetText(Control::txtQTY, texts::Staging(strBrand));
            view_.DoEvents();

            const bool accdb = db::EndsInAccdb(view_.Text(Control::txtDataSarnovik));
            cnPriceList->setConnectionString(db::PriceListConnectionString(priceListPath, accdb));
            cnPriceList->setCommandTimeout(db::kFileCommandTimeout);
            cnPriceList->setCursorLocation(db::adUseServer);
            cnPriceList->Open(QString(), QString(), QString(), -1);

            OpenDataConnection();

            if (!CheckDataVersion()) {
                // Both connections are closed here too, so that a second run from the same
                // window can open them again.
                cnPriceList->Close();
                cnData->Close();
                view_.MsgBox(texts::kVersionRejected, vbQuestion, QString());
                lastRunEnd_ = RunEnd::VersionRejected;
            } else {
                GetBrandID();
                if (lngBrandID == 0) {
                    cnPriceList->Close();
                    cnData->Close();
                    view_.MsgBox(texts::BrandNotFound(strBrand), vbQuestion, QString());
                    lastRunEnd_ = RunEnd::BrandNotFound;
                } else {
                    BackUpProductFile();
                    RunUpdateSteps();
                    cnPriceList->Close();
                    cnData->Close();
                    lastRunEnd_ = RunEnd::Finished;
                    view_.MsgBox(texts::kFinished, vbOKOnly, summary_.Text());
                }
            }
        }
        view_.SetMousePointer(vbArrow);
        view_.SetEnabled(Control::cmdUpDate, true);
    } catch (const VelthornError& error) {
        FailurePath(error.message());
    } catch (const std::exception& error) {
        FailurePath(QString::fromLocal8Bit(error.what()));
    }
}

// A product file gets a consistent copy beside it before anything is written; a server's
// database is the server's to back up.
void frmCorvatel::BackUpProductFile() {
    if (preview_ || view_.Value(Control::optAccess) != 1 ||
        cnData->backend() != db::Backend::Sqlite) {
        return;
    }
    summary_.backupFile = db::WriteBackup(keys::TrimBlanks(view_.Text(Control::txtDataSarnovik)),
                                          QDateTime::currentDateTime());
}

void frmCorvatel::FailurePath(const QString& detail) {
    lastRunEnd_ = RunEnd::Failed;
    lastFailure_ = detail;
    // Each step on its own: a failure here is ignored. Only the row transaction still open is
    // undone; every row completed before the error is kept.
    auto ignoringErrors = [](auto step) {
        try {
            step();
        } catch (...) {
        }
    };
    ignoringErrors([this] {
        if (!cnData.IsNothing() && cnData->State() == db::adStateOpen) cnData->RollbackTrans();
    });
    ignoringErrors([this] {
        if (!cnData.IsNothing()) cnData->Settle();
    });
    ignoringErrors([this] {
        if (!cnPriceList.IsNothing()) cnPriceList->Settle();
    });
    ignoringErrors([this] { rsList->Close(); });
    ignoringErrors([this] { rsData->Close(); });
    ignoringErrors([this] { rsCheck->Close(); });
    // The pointer stays busy and the button disabled: this window takes no further run.
    ignoringErrors([this, &detail] { view_.MsgBox(texts::kFailed, vbOKOnly, detail); });
}

void frmCorvatel::RunUpdateSteps() {
    ClearDetailLines();
    TransferPriceList();
    CheckPrices();
    if (HasPriceListAll() == 1) {
        TransferPriceListAll();
        view_.SetHeight(11520);
        view_.SetLeft(
            static_cast<int>(std::lround(view_.ScreenWidth() / 2.0 - view_.Width() / 2.0)));
        view_.SetTop(0);
        ComparePrices();
    }
    // Read only now: the operator may tick it while the merge runs.
    if (view_.Value(Control::chkLikelAt) == 1) RebuildAltGroups();
}

}  // namespace velthorn
