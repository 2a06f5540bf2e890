#include "demo/DemoData.h"

#include <QDir>
#include <algorithm>
#include <random>

#include "db/ConnectionKinds.h"
#include "db/Error.h"
#include "keys/BrandRules.h"
#include "keys/FindNumbers.h"
#include "keys/Text.h"
#include "schema/TableDefs.h"
#include "schema/TableNames.h"
#include "schema/Versions.h"

namespace velthorn::demo {

namespace {

schema::TableDef TableNamed(const std::vector<schema::TableDef>& tables, const QString& name) {
    for (const schema::TableDef& table : tables) {
        if (table.name == name) return table;
    }
    throw VelthornError(QStringLiteral("no table %1").arg(name));
}

}  // namespace

ProductWriter::ProductWriter(const WriteTarget& target, const QString& version, int32_t brandId,
                             const QString& brandName)
    : writer_(target), version_(version), brandId_(brandId), brandName_(brandName) {
    const std::vector<schema::TableDef> tables = schema::ProductTables(version, brandId);
    for (const schema::TableDef& table : tables)
        writer_.Create(table);
    writer_.Begin();
    RowInserter(writer_, TableNamed(tables, "System")).Set("Ver", version).Insert();
    AddBrand(brandId, brandName);
    pta_ = std::make_unique<RowInserter>(writer_, TableNamed(tables, schema::Pta(brandId)));
    alt_ = std::make_unique<RowInserter>(writer_, TableNamed(tables, schema::Alt(brandId)));
    altG_ = std::make_unique<RowInserter>(writer_, TableNamed(tables, schema::AltG(brandId)));
    facD_ = std::make_unique<RowInserter>(writer_, TableNamed(tables, schema::FacD(brandId)));
    movement_ = std::make_unique<RowInserter>(writer_, TableNamed(tables, "MovementStock"));
    spg_ = std::make_unique<RowInserter>(writer_, TableNamed(tables, "SPG"));
    price_ = std::make_unique<RowInserter>(writer_, TableNamed(tables, "Price"));
    sale_ = std::make_unique<RowInserter>(writer_, TableNamed(tables, "Sale"));
    staged_ = std::make_unique<RowInserter>(writer_, TableNamed(tables, "PriceList"));
    // The placeholder row every alternate-price table keeps.
    alt_->Set("AltID", 0).Set("APrice", 0).Insert();
}

ProductWriter::~ProductWriter() {
    pta_.reset();
    alt_.reset();
    altG_.reset();
    facD_.reset();
    movement_.reset();
    spg_.reset();
    price_.reset();
    sale_.reset();
    staged_.reset();
    writer_.Commit();
}

void ProductWriter::AddBrand(int32_t brandId, const QString& name) {
    RowInserter(writer_, schema::TableDef{"Brand",
                                          {{"BrandID", schema::ColumnType::Number},
                                           {"BrandName", schema::ColumnType::Text}},
                                          {}})
        .Set("BrandID", brandId)
        .Set("BrandName", name)
        .Insert();
}

void ProductWriter::AddPart(const PartRecord& part) {
    const schema::VersionInfo& version = schema::RequireVersion(version_);
    const schema::LayoutInfo& layout = version.layoutInfo();
    const bool one = version.priceColumnsOne();
    pta_->Set("PartID", part.partId)
        .Set("UpRec", part.upRec)
        .Set("Kind", part.kind)
        .Set("PartNO", part.partNO)
        .Set("FPartNO", layout.compactFind
                            ? keys::MakeFindNO(part.partNO)
                            : keys::MakeBrandFindNO(brandName_, part.partNO, version_))
        .Set("lKind", part.lKind)
        .Set("lAtNO", part.lAtNO)
        .Set("EName", part.eName)
        .Set("TName", part.tName)
        .Set("Model", part.model)
        .Set("Import", part.import)
        .Set(one ? "Price1" : "Price", schema::Amount(part.price))
        .Set(one ? "Sale1" : "Sale", schema::Amount(part.sale));
    if (layout.findTexts) {
        pta_->Set("EFind", keys::TrimBlanks(part.eName + "  " + part.model))
            .Set("TFind", keys::TrimBlanks(part.tName + "  " + part.model));
    } else {
        pta_->Set("IndTName", keys::MakeThaiFind(part.tName));
    }
    if (layout.layout == schema::Layout::P45 || layout.layout == schema::Layout::P48 ||
        layout.layout == schema::Layout::P49) {
        pta_->Set("PartNO2", part.partNO);
    }
    if (layout.layout != schema::Layout::P49 && layout.layout != schema::Layout::P64) {
        pta_->Set("BrandID", brandId_)
            .Set("FullNO", part.kind.isEmpty() ? part.partNO : part.kind + "-" + part.partNO);
    }
    pta_->Insert();
    alt_->Set("AltID", part.partId)
        .Set("Kind", part.kind)
        .Set("PartNO", part.partNO)
        .Set("APrice", schema::Amount(part.price));
    if (version.altSale()) alt_->Set("AltFlag", 1).Set("ASale", schema::Amount(part.sale));
    alt_->Insert();
    movement_->Set("PartID", part.partId)
        .Set("BrandID", brandId_)
        .Set("EName", part.eName)
        .Set("TName", part.tName)
        .Set("Model", part.model)
        .Insert();
    spg_->Set("BrandID", brandId_)
        .Set("PartID", part.partId)
        .Set("EName", part.eName)
        .Set("TName", part.tName)
        .Set("Model", part.model)
        .Set("Price", schema::Amount(part.price))
        .Insert();
    for (RowInserter* shared : {price_.get(), sale_.get()}) {
        shared->Set("PartID", part.partId)
            .Set("BrandID", brandId_)
            .Set("TName", part.tName)
            .Set("Model", part.model)
            .Insert();
    }
}

void ProductWriter::AddGroupRow(int32_t partId, int32_t altId) {
    altG_->Set("PartID", partId).Set("AltID", altId).Insert();
}

void ProductWriter::AddFactory(int32_t facId, const QString& name) {
    RowInserter(writer_, schema::TableDef{"Fac",
                                          {{"FacID", schema::ColumnType::Number},
                                           {"FacName", schema::ColumnType::Text}},
                                          {}})
        .Set("FacID", facId)
        .Set("FacName", name)
        .Insert();
}

void ProductWriter::AddFactoryLink(int32_t partId, int32_t facId) {
    facD_->Set("PartID", partId).Set("FacID", facId).Insert();
}

void ProductWriter::SetCounter(const QString& series, int32_t last) {
    writer_.Exec(QStringLiteral("INSERT INTO LastID VALUES ('%1', %2)").arg(series).arg(last));
}

void ProductWriter::AddReleasedId(const QString& series, int32_t id) {
    writer_.Exec(QStringLiteral("INSERT INTO OldID VALUES ('%1', %2)").arg(series).arg(id));
}

void ProductWriter::AddStaged(int32_t brandId, const ListRecord& row) {
    staged_->Set("BrandID", brandId)
        .Set("PartNO", row.partNO)
        .Set("Kind", row.kind)
        .Set("lAtNO", row.lAtNO)
        .Set("lKind", row.lKind)
        .Set("AltNO", row.altNO)
        .Set("AKind", row.aKind)
        .Set("EName", row.eName)
        .Set("TName", row.tName)
        .Set("Model", row.model)
        .Set("Import", row.import)
        .Set("Price", schema::Amount(row.price))
        .Set("Sale", schema::Amount(row.sale))
        .Insert();
}

void WritePriceListChunks(const QString& path,
                          const std::vector<std::pair<int16_t, std::vector<ListRecord>>>& chunks) {
    std::vector<int16_t> numbers;
    for (const auto& chunk : chunks)
        numbers.push_back(chunk.first);
    DatabaseWriter writer(WriteTarget::File(path));
    const std::vector<schema::TableDef> tables = schema::PriceListTables(numbers);
    for (const schema::TableDef& table : tables)
        writer.Create(table);
    writer.Begin();
    {
        // The index in descending physical order: the run must order it itself.
        RowInserter index(writer, tables.front());
        std::vector<int16_t> descending = numbers;
        std::sort(descending.rbegin(), descending.rend());
        for (int16_t n : descending)
            index.Set("Count", n).Insert();
        for (const auto& [n, rows] : chunks) {
            RowInserter chunk(writer, schema::ListTable(schema::Chunk(n)));
            for (const ListRecord& row : rows) {
                chunk.Set("Kind", row.kind)
                    .Set("PartNO", row.partNO)
                    .Set("PartNew", row.partNO)
                    .Set("FPartNew", keys::MakeFindNO(row.partNO))
                    .Set("lKind", row.lKind)
                    .Set("lAtNO", row.lAtNO)
                    .Set("AKind", row.aKind)
                    .Set("AltNO", row.altNO)
                    .Set("EName", row.eName)
                    .Set("TName", row.tName)
                    .Set("Model", row.model)
                    .Set("Import", row.import)
                    .Set("Price", row.price.toString())
                    .Set("Sale", row.sale.toString())
                    .Insert();
            }
        }
    }
    writer.Commit();
}

void WritePriceList(const QString& path, const std::vector<ListRecord>& rows, int chunkRows) {
    // Split in PartNO order: chunks of chunkRows rows, chunk 20 taking all that remain.
    std::vector<ListRecord> sorted = rows;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const ListRecord& a, const ListRecord& b) { return a.partNO < b.partNO; });
    std::vector<std::pair<int16_t, std::vector<ListRecord>>> chunks;
    for (size_t start = 0; start < sorted.size();) {
        const int16_t n = static_cast<int16_t>(chunks.size() + 1);
        const size_t end = n == 20
                               ? sorted.size()
                               : std::min(sorted.size(), start + static_cast<size_t>(chunkRows));
        chunks.push_back({n, std::vector<ListRecord>(sorted.begin() + static_cast<long>(start),
                                                     sorted.begin() + static_cast<long>(end))});
        start = end;
    }
    WritePriceListChunks(path, chunks);
}

namespace {

const char* const kEnglishNames[] = {
    "BRAKE PAD FR",    "OIL FILTER",      "SHOCK ABSORBER FR", "HEAD LAMP RH", "MIRROR ASSY LH",
    "PISTON RING SET", "GASKET CYL HEAD", "TIMING BELT",       "RADIATOR",     "WIPER BLADE",
    "CLUTCH DISC",     "WATER PUMP",      "SPARK PLUG",        "FUEL PUMP",    "BALL JOINT",
};
const char* const kThaiNames[] = {
    "ผ้าเบรคหน้า", "ไส้กรองน้ำมันเครื่อง", "โช๊คอัพหน้า",   "ไฟหน้าขวา", "กระจกมองข้างซ้าย", "แหวนลูกสูบ",
    "ปะเก็นฝาสูบ", "สายพานไทม์มิ่ง",     "หม้อน้ำ",      "ใบปัดน้ำฝน", "แผ่นคลัทช์",        "ปั๊มน้ำ",
    "หัวเทียน",    "ปั๊มเชื้อเพลิง",       "ลูกหมากปีกนก",
};
const char* const kModels[] = {"MIRA",    "TERIOS",      "ROCKY",  "HIJET",
                               "CHARADE", "MIRA, HIJET", "SIRION", ""};

QString Number(int i) {
    return QStringLiteral("%1-%2")
        .arg(10000 + i / 1000, 5, 10, QLatin1Char('0'))
        .arg(i % 1000, 3, 10, QLatin1Char('0'));
}

}  // namespace

DemoResult WriteDemo(const DemoOptions& options) {
    const schema::VersionInfo& version = schema::RequireVersion(options.version);
    QDir().mkpath(options.dir);
    DemoResult result;
    result.productPath = options.odbc.isEmpty()
                             ? QDir(options.dir).filePath(QStringLiteral("Sarnovik.db"))
                             : db::MaskPasswords(options.odbc);
    result.priceListPath =
        QDir(options.dir).filePath(QStringLiteral("PriceList_%1.db").arg(options.brand));
    const int parts = std::max(0, options.parts);
    const int rows = options.rows < 0 ? parts : options.rows;
    std::mt19937 rng(options.seed);
    const auto chance = [&rng](int percent) {
        return static_cast<int>(rng() % 1000) < percent * 10;
    };
    const auto money = [&rng]() {
        return schema::Currency::FromUnits(static_cast<int64_t>(50 + rng() % 20000) * 2500);
    };

    std::vector<PartRecord> existing;
    existing.reserve(static_cast<size_t>(parts));
    const QString series = schema::PartSeries(kDemoBrandId);
    std::vector<int32_t> released;
    int32_t nextId = 1;
    {
        ProductWriter product(options.odbc.isEmpty() ? WriteTarget::File(result.productPath)
                                                     : WriteTarget::Odbc(options.odbc),
                              version.text, kDemoBrandId, options.brand);
        for (const auto& [id, name] : {std::pair{1, "TOYOTA"}, {2, "ISUZU"}, {3, "NISSAN"}}) {
            if (options.brand != QLatin1String(name))
                product.AddBrand(id, QString::fromLatin1(name));
        }
        for (int f = 1; f <= 5; ++f)
            product.AddFactory(f, QStringLiteral("FACTORY %1").arg(f));
        for (int i = 0; i < parts; ++i) {
            // Now and then an identifier was released by the shop's application.
            if (nextId % 997 == 0) released.push_back(nextId++);
            PartRecord part;
            part.partId = nextId++;
            part.upRec = (i % 50 == 7) ? 1 : 0;
            part.kind = (i % 10 == 3) ? QStringLiteral("A") : QString();
            part.partNO = Number(i);
            part.eName = QString::fromLatin1(kEnglishNames[i % 15]);
            part.tName = QString::fromUtf8(kThaiNames[i % 15]);
            part.model = QString::fromLatin1(kModels[i % 8]);
            part.import = (i % 4 == 0) ? QStringLiteral("Y") : QString();
            part.price = money();
            part.sale = chance(50) ? part.price : money();
            product.AddPart(part);
            if (i % 40 == 1 && i + 1 < parts) {
                product.AddGroupRow(part.partId, part.partId + 1);
                product.AddGroupRow(part.partId + 1, part.partId);
            } else if (i % 40 != 2) {
                product.AddGroupRow(part.partId, 0);
            }
            if (i % 3 == 0) product.AddFactoryLink(part.partId, 1 + i % 5);
            existing.push_back(part);
        }
        product.SetCounter(series, nextId - 1);
        for (int32_t id : released)
            product.AddReleasedId(series, id);
        // Another brand's staged rows, which a run must leave alone.
        ListRecord other;
        other.partNO = QStringLiteral("99999-001");
        other.price = schema::Currency::FromUnits(1000000);
        other.sale = other.price;
        product.AddStaged(1, other);
    }

    // The list: about 92 % existing parts (60 % unchanged, 30 % changed, 2 % protected) and 8 %
    // new ones, half of them with a replacement or an alternate number.
    std::vector<ListRecord> list;
    list.reserve(static_cast<size_t>(rows));
    const int existingRows = std::min(parts, static_cast<int>(rows * 0.92));
    for (int i = 0; i < existingRows; ++i) {
        const PartRecord& part = existing[static_cast<size_t>(i)];
        ListRecord row{part.kind,  part.partNO, QString(),  QString(),   QString(),  QString(),
                       part.eName, part.tName,  part.model, part.import, part.price, part.sale};
        if (part.upRec != 0 || chance(33)) {
            row.price = money();
            row.sale = chance(50) ? row.price : money();
            if (chance(20)) row.tName = part.tName + QStringLiteral(" (ใหม่)");
        }
        if (chance(3)) row.sale = schema::Currency();  // no separate sale price
        list.push_back(row);
    }
    // New numbers lie between the existing ones, so that every chunk brings some.
    const int newRows = std::max(0, rows - static_cast<int>(list.size()));
    const int stride = std::max(1, parts / std::max(1, newRows));
    for (int k = 0; static_cast<int>(list.size()) < rows; ++k) {
        const QString base = Number(k * stride);
        ListRecord row;
        row.kind = (k % 7 == 0) ? QStringLiteral("B") : QString();
        row.partNO = base + QStringLiteral("N");
        row.eName = QString::fromLatin1(kEnglishNames[k % 15]);
        row.tName = (k % 11 == 0) ? QString() : QString::fromUtf8(kThaiNames[k % 15]);
        row.model = QString::fromLatin1(kModels[k % 8]);
        row.import = (k % 3 == 0) ? QStringLiteral("Y") : QString();
        row.price = money();
        row.sale = row.price;
        if (k % 4 == 1) row.lAtNO = base + QStringLiteral("R");
        if (k % 4 == 3) {
            row.aKind = QStringLiteral("C");
            row.altNO = base + QStringLiteral("T");
        }
        list.push_back(row);
    }
    if (version.searchByFindNumber()) {
        // The same find number written another way, at another price: the report shows it.
        for (int i = 5; i < existingRows; i += 997) {
            ListRecord twin = list[static_cast<size_t>(i)];
            twin.partNO.replace(u'-', u' ');
            twin.price = schema::Currency::FromUnits(twin.price.units() + 10000);
            twin.sale = twin.price;
            list.push_back(twin);
        }
    }
    WritePriceList(result.priceListPath, list, options.chunkRows);
    result.parts = parts;
    result.rows = static_cast<int>(list.size());
    const size_t perChunk = static_cast<size_t>(std::max(1, options.chunkRows));
    result.chunks = static_cast<int>(std::min<size_t>(20, (list.size() + perChunk - 1) / perChunk));
    return result;
}

}  // namespace velthorn::demo
