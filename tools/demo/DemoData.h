#pragma once
// Demo and test databases: a product database of any supported version and a prepared price list,
// with a deterministic mix of unchanged, changed, protected and new parts.
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "demo/DatabaseWriter.h"
#include "schema/Currency.h"

namespace velthorn::demo {

inline constexpr int32_t kDemoBrandId = 5;

// An existing part of the product database.
struct PartRecord {
    int32_t partId = 0;
    int16_t upRec = 0;
    QString kind, partNO, lKind, lAtNO, eName, tName, model, import;
    schema::Currency price, sale;
};

// A row of a chunk table.
struct ListRecord {
    QString kind, partNO, lKind, lAtNO, aKind, altNO, eName, tName, model, import;
    schema::Currency price, sale;
};

// A product database being written: its tables, then parts.
class ProductWriter {
  public:
    ProductWriter(const QString& path, const QString& version, int32_t brandId = kDemoBrandId,
                  const QString& brandName = QStringLiteral("DAIHATSU"))
        : ProductWriter(WriteTarget::File(path), version, brandId, brandName) {}
    ProductWriter(const WriteTarget& target, const QString& version, int32_t brandId = kDemoBrandId,
                  const QString& brandName = QStringLiteral("DAIHATSU"));
    ~ProductWriter();

    // A part row with its alternate-price row and its rows in MovementStock, SPG, Price, Sale.
    void AddPart(const PartRecord& part);
    void AddGroupRow(int32_t partId, int32_t altId);
    void AddFactory(int32_t facId, const QString& name);
    void AddFactoryLink(int32_t partId, int32_t facId);
    void AddBrand(int32_t brandId, const QString& name);
    void SetCounter(const QString& series, int32_t last);
    void AddReleasedId(const QString& series, int32_t id);
    // A staged row of the product database's PriceList.
    void AddStaged(int32_t brandId, const ListRecord& row);
    DatabaseWriter& writer() { return writer_; }

  private:
    DatabaseWriter writer_;
    QString version_;
    int32_t brandId_;
    QString brandName_;
    std::unique_ptr<RowInserter> pta_, alt_, movement_, spg_, price_, sale_, altG_, facD_, staged_;
};

// A prepared price-list file: chunk tables, their index (written in descending physical order)
// and an empty PriceListAll.
void WritePriceList(const QString& path, const std::vector<ListRecord>& rows,
                    int chunkRows = 20000);
// The given chunks as they are (tests shape their own).
void WritePriceListChunks(const QString& path,
                          const std::vector<std::pair<int16_t, std::vector<ListRecord>>>& chunks);

struct DemoOptions {
    QString dir;
    QString odbc;  // the product database on a server, through this ODBC connection string
    QString version = QStringLiteral("P.64 (Bar)");
    int parts = 2000;
    int rows = -1;  // list rows; the number of parts when not given
    QString brand = QStringLiteral("DAIHATSU");
    uint32_t seed = 1;
    int chunkRows = 20000;
};

struct DemoResult {
    QString productPath;  // the file, or the masked connection string
    QString priceListPath;
    int parts = 0;
    int rows = 0;
    int chunks = 0;
};

DemoResult WriteDemo(const DemoOptions& options);

}  // namespace velthorn::demo
