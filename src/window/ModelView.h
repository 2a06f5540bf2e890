#pragma once
// A screen kept in memory: the console view of the headless run and the tests' recording view
// build on it. The window is the designed size (15120 x 10950 twips client area) on a screen of
// 1920 x 1080 pixels, as no real screen is there to ask.
#include <QHash>
#include <QString>
#include <QVector>

#include "window/FormView.h"

namespace velthorn {

class ModelView : public FormView {
  public:
    ModelView();

    QString Text(Control control) const override { return texts_.value(control); }
    void SetText(Control control, const QString& text) override { texts_[control] = text; }
    int Value(Control control) const override { return values_.value(control); }
    void SetValue(Control control, int value);
    void SetEnabled(Control control, bool enabled) override { disabled_[control] = !enabled; }
    bool Enabled(Control control) const override { return !disabled_.value(control); }

    void SetCaption(const QString& caption) override { caption_ = caption; }
    QString Caption() const override { return caption_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetHeight(int twips) override { height_ = twips; }
    int Left() const override { return left_; }
    void SetLeft(int twips) override { left_ = twips; }
    int Top() const override { return top_; }
    void SetTop(int twips) override { top_ = twips; }
    int ScreenWidth() const override { return 1920 * 15; }
    int ScreenHeight() const override { return 1080 * 15; }
    void SetMousePointer(int pointer) override { pointer_ = pointer; }
    int MousePointer() const override { return pointer_; }

    void DoEvents() override {}
    void EndProgram() override {}

    void GridClear() override;
    void GridSetCols(int cols) override;
    int GridCols() const override { return cols_; }
    void GridSetRows(int rows) override;
    int GridRows() const override { return static_cast<int>(cells_.size()); }
    void GridSetFixed(int rows, int cols) override;
    void GridSetColWidth(int col, int twips) override;
    int GridColWidth(int col) const override { return widths_.value(col); }
    void GridSetColAlignment(int col, int alignment) override;
    int GridColAlignment(int col) const override { return alignments_.value(col); }
    int GridWidth() const override { return 14535; }
    void GridSetText(int row, int col, const QString& text) override;
    QString GridText(int row, int col) const override;

    int GridFixedRows() const { return fixedRows_; }
    int GridFixedCols() const { return fixedCols_; }

  private:
    QHash<Control, QString> texts_;
    QHash<Control, int> values_;
    QHash<Control, bool> disabled_;
    QString caption_;
    int width_ = 15120 + 240;
    int height_ = 10950 + 480;
    int left_ = 0;
    int top_ = 0;
    int pointer_ = 0;
    int cols_ = 2;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    QVector<QVector<QString>> cells_;
    QVector<int> widths_;
    QVector<int> alignments_;
};

}  // namespace velthorn
