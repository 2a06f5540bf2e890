#include "merge/ListRows.h"

#include <cmath>

#include "db/Error.h"

namespace velthorn::merge {

namespace {
QString Describe(const db::Recordset& rows) {
    try {
        const db::FieldValue partNO = rows.Field(QStringLiteral("PartNO"));
        if (!partNO.isNull()) return QStringLiteral("part '%1'").arg(partNO.raw().toString());
    } catch (const VelthornError&) {
    }
    return QStringLiteral("a row");
}
}  // namespace

schema::pricelist::ListRow ReadListRow(const db::Recordset& rows, ListColumns columns,
                                       const QString& table) {
    schema::pricelist::ListRow row;
    try {
        const auto text = [&rows](const char* column) {
            return rows.Field(QLatin1String(column)).text();
        };
        row.kind = text("Kind");
        row.partNO = text("PartNO");
        if (columns == ListColumns::Check) {
            row.partNew = text("PartNew");
            row.fPartNew = text("FPartNew");
        }
        if (columns != ListColumns::SecondPass) {
            row.lKind = text("lKind");
            row.lAtNO = text("lAtNO");
            row.aKind = text("AKind");
            row.altNO = text("AltNO");
        }
        row.eName = text("EName");
        row.tName = text("TName");
        row.model = text("Model");
        row.import = text("Import");
        row.price = rows.Field(QStringLiteral("Price")).currency();
        row.sale = rows.Field(QStringLiteral("Sale")).currency();
        if (row.partNO.isEmpty()) throw VelthornError(QStringLiteral("PartNO is empty"));
        if (row.price.units() < 0 || row.sale.units() < 0) {
            throw VelthornError(QStringLiteral("a negative amount (Price %1, Sale %2)")
                                    .arg(row.price.toString(), row.sale.toString()));
        }
    } catch (const VelthornError& error) {
        throw VelthornError(
            QStringLiteral("%1, %2: %3").arg(table, Describe(rows), error.message()));
    }
    return row;
}

qint64 Percent(int32_t counter, int32_t total) {
    return static_cast<qint64>(std::floor(static_cast<double>(counter) * 100.0 / total));
}

QString PartLine(const QString& kind, const QString& partNO, const QString& name,
                 const QString& model, const QString& gap) {
    QString line;
    if (!kind.isEmpty()) line = kind + QStringLiteral("-");
    return line + partNO + QStringLiteral(" - ") + name + gap + model;
}

}  // namespace velthorn::merge
