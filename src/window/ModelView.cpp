#include "window/ModelView.h"

#include "db/Error.h"

namespace velthorn {

ModelView::ModelView() {
    // The controls' designed initial values; the form's opening steps set the rest.
    values_[Control::optAccess] = 1;
    values_[Control::chkComType] = 1;
    GridSetCols(2);
    GridSetRows(2);
}

void ModelView::SetValue(Control control, int value) {
    values_[control] = value;
    if (control == Control::optAccess) values_[Control::optSQL] = value ? 0 : 1;
    if (control == Control::optSQL) values_[Control::optAccess] = value ? 0 : 1;
}

void ModelView::GridClear() {
    for (auto& row : cells_)
        row.fill(QString());
}

void ModelView::GridSetCols(int cols) {
    cols_ = cols;
    for (auto& row : cells_)
        row.resize(cols);
    widths_.resize(cols);
    alignments_.resize(cols);
}

void ModelView::GridSetRows(int rows) {
    cells_.resize(rows, QVector<QString>(cols_));
}

void ModelView::GridSetFixed(int rows, int cols) {
    fixedRows_ = rows;
    fixedCols_ = cols;
}

void ModelView::GridSetColWidth(int col, int twips) {
    widths_[col] = twips;
}

void ModelView::GridSetColAlignment(int col, int alignment) {
    alignments_[col] = alignment;
}

void ModelView::GridSetText(int row, int col, const QString& text) {
    if (row < 0 || row >= cells_.size() || col < 0 || col >= cols_) {
        throw VelthornError(QStringLiteral("grid cell %1, %2 is out of range").arg(row).arg(col));
    }
    cells_[row][col] = text;
}

QString ModelView::GridText(int row, int col) const {
    if (row < 0 || row >= cells_.size() || col < 0 || col >= cols_) return QString();
    return cells_[row][col];
}

}  // namespace velthorn
