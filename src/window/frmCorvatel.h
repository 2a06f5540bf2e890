#pragma once
// The window's form: every piece of run-time state and every procedure of the update run. It owns
// no widget; what it shows and reads goes through its FormView. Each procedure is defined in the
// folder of its subsystem (merge/UpdatePart.cpp defines UpdatePart).
#include <QDate>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "schema/Currency.h"
#include "schema/Layouts.h"
#include "window/CreatedOnFirstUse.h"
#include "window/FormView.h"
#include "window/RunSummary.h"

#ifndef VELTHORN_BRAND
#define VELTHORN_BRAND "DAIHATSU"
#endif

namespace velthorn {

namespace schema {
struct VersionInfo;
namespace pricelist {
struct ListRow;
}
}  // namespace schema
namespace merge {
struct StoredPrices;
}

// The brand this build is bound to.
inline const QString kBuildBrand = QStringLiteral(VELTHORN_BRAND);

// How the last update run ended.
enum class RunEnd { None, PathMessage, VersionRejected, BrandNotFound, Finished, Failed };

// A part row that matches the part being updated.
struct MatchEntry {
    int16_t UpRec = 0;
    int32_t PartID = 0;
    QString Unused;
};

// A write is read back this many times before the run gives up on it.
inline constexpr int kReadBackAttempts = 3;

class frmCorvatel {
  public:
    explicit frmCorvatel(FormView& view, QString brand = kBuildBrand);

    // --- events
    void Form_Load();
    void Form_Unload();
    void cmdUpDate_Click();

    RunEnd lastRunEnd() const { return lastRunEnd_; }
    // The error text of the last failure (empty unless the run ended in its failure path).
    const QString& lastFailure() const { return lastFailure_; }
    FormView& view() { return view_; }

    // --- window and run
    void InitDetailGrid();
    void RunUpdateSteps();

    // --- database access
    void OpenDataConnection();
    void OpenAccessConnection();
    void RenewDataConnection();
    bool CheckDataVersion();
    void GetBrandID();
    int32_t NextID(const QString& name);
    // Why the last NextID gave 0 (it swallows the error itself).
    const QString& nextIdFailure() const { return nextIdFailure_; }

    // --- price-list merge
    void TransferPriceList();
    void TransferPriceListAll();
    void UpdatePart(const QString& Kind, const QString& PartNO, const QString& lKind,
                    const QString& lAtNO, const QString& AKind, const QString& AltNO,
                    const QString& EName, const QString& TName, const QString& Model,
                    const QString& Import, schema::Currency Price, schema::Currency Sale);
    int AddNewPart(int16_t n);
    int AddNewPartV31(int16_t n);
    int AddNewPartV33(int16_t n);
    int AddNewPartV34(int16_t n);
    int AddNewPartV42(int16_t n);
    int AddNewPartV43(int16_t n);
    int AddNewPartV45(int16_t n);
    int AddNewPartV46(int16_t n);
    int AddNewPartP43(int16_t n);
    int AddNewPartP44(int16_t n);
    int AddNewPartP45(int16_t n);
    int AddNewPartP46(int16_t n);
    int AddNewPartP48(int16_t n);
    int AddNewPartP49(int16_t n);
    int AddNewPartP52(int16_t n);
    int AddNewPartP61(int16_t n);
    int AddNewPartP64(int16_t n);
    int CopyAltAndFactory(int32_t own, int32_t replacement, int32_t alternate);
    void RebuildAltGroups();
    int OpenAltGroup(int32_t brandID, int32_t partID);
    int OpenFactoryLinks(int32_t brandID, int32_t partID);
    void ClearDuplicateAltIDs();
    void ClearDuplicateFacIDs();
    void CheckPrices();
    int16_t HasPriceListAll();
    void ComparePrices();

    // What the last run did.
    const RunSummary& summary() const { return summary_; }
    // A preview: the run is undone at its end (the connection layer holds it all), and no
    // backup is written.
    void SetPreview(bool preview) { preview_ = preview; }

    // Today, for the date stamp; tests fix it.
    std::function<QDate()> today = [] { return QDate::currentDate(); };

    // --- the window's data model
    CreatedOnFirstUse<db::Connection> cnPriceList{QStringLiteral("cnPriceList")};
    CreatedOnFirstUse<db::Connection> cnData{QStringLiteral("cnData")};
    CreatedOnFirstUse<db::Recordset> rsList;
    CreatedOnFirstUse<db::Recordset> rsData;
    CreatedOnFirstUse<db::Recordset> rsCheck;
    QString strSQL;
    int32_t lngBrandID = 0;
    QString strBrand;
    QString strVersion;
    std::vector<int32_t> lngAltPartID;
    int32_t lngAltCount = 0;
    std::vector<int32_t> lngGroupPartID;
    int32_t lngGroupCount = 0;
    std::vector<int32_t> lngFacID;
    int32_t lngFacCount = 0;
    std::vector<int16_t> intChunk;
    int32_t lngChunkCount = 0;
    std::vector<MatchEntry> udtMatch;
    int32_t lngMatchCount = 0;

  private:
    // The layout procedure every AddNewPart... entry point hands its layout to.
    int AddNewPartWithLayout(schema::Layout layout, int16_t n);
    // Fills intChunk from the chunk index open in rsList, and closes it.
    void ReadChunkList();
    void FailurePath(const QString& detail);
    void ClearDetailLines();
    const schema::VersionInfo& Version() const;
    // Opens strSQL in the record set on the connection.
    void OpenSql(db::Recordset& recordset, db::Connection& connection);
    // Executes strSQL on the connection.
    void ExecuteSql(db::Connection& connection, qint64* recordsAffected = nullptr);
    // Write, then read back: `write` runs, then the statement `readBack` gives is opened in
    // rsCheck on the connection; both are repeated while it finds nothing, at most
    // kReadBackAttempts times, and then the run fails saying that `what` cannot be read back.
    void WriteAndReadBack(db::Connection& connection, const std::function<void()>& write,
                          const std::function<QString()>& readBack,
                          const std::function<QString()>& what);
    // The walk of both checking passes: every row of every chunk, its progress, the lookup of
    // its stored prices and the difference rule; `onDifference` gets each row that differs.
    void CheckListRows(bool renewPerChunk,
                       const std::function<void(const schema::pricelist::ListRow&,
                                                const merge::StoredPrices&)>& onDifference);

    void BackUpProductFile();

    FormView& view_;
    QString buildBrand_;
    RunSummary summary_;
    bool preview_ = false;
    RunEnd lastRunEnd_ = RunEnd::None;
    QString nextIdFailure_;
    QString lastFailure_;
};

}  // namespace velthorn
