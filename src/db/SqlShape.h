#pragma once
// A statement text split into its shape and its literal values, so that the embedded backend can
// prepare each shape once and bind the values: "Update Pta5 Set Price = 99.5 Where PartID = 7"
// becomes "Update Pta5 Set Price = ? Where PartID = ?" with 99.5 and 7.
#include <QString>
#include <QVariantList>

namespace velthorn::db {

struct SqlShape {
    QString text;
    QVariantList values;
};

// Quoted texts (quotes doubled inside) and free-standing numbers become parameters; names that end
// in digits (Pta5, PriceList_3) stay in the shape. Binding gives the same values a literal would.
SqlShape ShapeOf(const QString& sql);

}  // namespace velthorn::db
