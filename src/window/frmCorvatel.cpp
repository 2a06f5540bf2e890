#include "window/frmCorvatel.h"

#include <cmath>

#include "db/Error.h"
#include "schema/Versions.h"
#include "window/Texts.h"

namespace velthorn {

frmCorvatel::frmCorvatel(FormView& view, QString brand)
    : view_(view), buildBrand_(std::move(brand)) {}

void frmCorvatel::Form_Load() {
    // Compact: only the settings and the two progress lines show; the grid stays below.
    view_.SetHeight(4080);
    view_.SetLeft(static_cast<int>(std::lround(view_.ScreenWidth() / 2.0 - view_.Width() / 2.0)));
    view_.SetTop(static_cast<int>(std::lround(view_.ScreenHeight() / 6.0)));
    strBrand = buildBrand_;
    view_.SetCaption(texts::kCaptionPrefix + strBrand);
    view_.SetText(Control::chkLikelAt, texts::kChkLikelAtPrefix + strBrand);
    view_.SetText(Control::txtDataSarnovik, texts::kDefaultDataPath);
    view_.SetText(Control::txtPriceList,
                  texts::kDefaultPriceListPrefix + strBrand + texts::kPriceListExtension);
    InitDetailGrid();
}

void frmCorvatel::Form_Unload() {
    // The program ends at once, also in the middle of a run. Rows completed before are kept:
    // what the connections still hold of them is committed, a row cut off is undone.
    for (CreatedOnFirstUse<db::Connection>* connection : {&cnData, &cnPriceList}) {
        try {
            if (connection->IsNothing() || (*connection)->State() != db::adStateOpen) continue;
            if ((*connection)->InTransaction()) (*connection)->RollbackTrans();
            (*connection)->Settle();
        } catch (...) {
            // Ending the program is not held up by a database that no longer answers.
        }
    }
    view_.EndProgram();
}

void frmCorvatel::InitDetailGrid() {
    view_.GridClear();
    view_.GridSetCols(8);
    view_.GridSetRows(30);
    view_.GridSetFixed(1, 1);
    for (int col = 1; col <= 5; ++col)
        view_.GridSetColAlignment(col, flexAlignLeftCenter);
    view_.GridSetColWidth(0, 1);
    view_.GridSetColWidth(1, 1200);
    view_.GridSetColWidth(2, 1200);
    view_.GridSetColWidth(3, 2700);
    view_.GridSetColWidth(5, 1800);
    view_.GridSetColWidth(6, 1300);
    view_.GridSetColWidth(7, 1300);
    view_.GridSetColWidth(4, static_cast<int>(std::lround(view_.GridWidth() - 9890.0)));
    for (int col = 1; col <= 7; ++col)
        view_.GridSetText(0, col, texts::kGridHeadings[col - 1]);
}

// A later report must not leave the lines of an earlier, longer one below it: the grid goes back
// to its opening rows, with the heading and the layout kept.
void frmCorvatel::ClearDetailLines() {
    view_.GridSetRows(30);
    for (int row = 1; row < view_.GridRows(); ++row) {
        for (int col = 0; col < view_.GridCols(); ++col)
            view_.GridSetText(row, col, QString());
    }
}

const schema::VersionInfo& frmCorvatel::Version() const {
    return schema::RequireVersion(strVersion);
}

void frmCorvatel::OpenSql(db::Recordset& recordset, db::Connection& connection) {
    recordset.Open(strSQL, connection, db::adOpenKeyset, db::adLockOptimistic);
}

void frmCorvatel::WriteAndReadBack(db::Connection& connection, const std::function<void()>& write,
                                   const std::function<QString()>& readBack,
                                   const std::function<QString()>& what) {
    for (int attempt = 1; attempt <= kReadBackAttempts; ++attempt) {
        write();
        strSQL = readBack();
        OpenSql(*rsCheck, connection);
        const bool found = !rsCheck->isEOF();
        rsCheck->Close();
        if (found) return;
    }
    throw VelthornError(QStringLiteral("%1 cannot be read back after %2 writes")
                            .arg(what())
                            .arg(kReadBackAttempts));
}

void frmCorvatel::ExecuteSql(db::Connection& connection, qint64* recordsAffected) {
    connection.Execute(strSQL, recordsAffected);
}

}  // namespace velthorn
