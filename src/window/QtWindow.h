#pragma once
// The window on screen: every control named, captioned and placed as designed (15 twips to a
// pixel), the grid as a table whose header is the grid's heading row.
#include <QHash>
#include <QWidget>
#include <functional>

#include "window/FormView.h"

class QLineEdit;
class QTableWidget;
class QAbstractButton;
class QLabel;
class QPushButton;

namespace velthorn {

class frmCorvatel;

class QtWindow : public QWidget, public FormView {
  public:
    QtWindow();

    // The form whose button handler and unload event this window calls.
    void SetForm(frmCorvatel* form) { form_ = form; }
    // What ending the program does; tests replace it.
    void SetEndProgram(std::function<void()> end) { endProgram_ = std::move(end); }
    QWidget* ControlWidget(Control control) const { return widgets_.value(control); }
    // Ticks a check box or selects an option button (1), or the opposite (0).
    void SetValue(Control control, int value);
    QTableWidget* Grid() const { return grid_; }

    // FormView
    QString Text(Control control) const override;
    void SetText(Control control, const QString& text) override;
    int Value(Control control) const override;
    void SetEnabled(Control control, bool enabled) override;
    bool Enabled(Control control) const override;
    void SetCaption(const QString& caption) override;
    QString Caption() const override;
    int Width() const override;
    int Height() const override;
    void SetHeight(int twips) override;
    int Left() const override;
    void SetLeft(int twips) override;
    int Top() const override;
    void SetTop(int twips) override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    void SetMousePointer(int pointer) override;
    int MousePointer() const override { return pointer_; }
    void DoEvents() override;
    void MsgBox(const QString& text, int icon, const QString& detail) override;
    void EndProgram() override;
    void GridClear() override;
    void GridSetCols(int cols) override;
    int GridCols() const override;
    void GridSetRows(int rows) override;
    int GridRows() const override;
    void GridSetFixed(int rows, int cols) override;
    void GridSetColWidth(int col, int twips) override;
    int GridColWidth(int col) const override;
    void GridSetColAlignment(int col, int alignment) override;
    int GridColAlignment(int col) const override;
    int GridWidth() const override;
    void GridSetText(int row, int col, const QString& text) override;
    QString GridText(int row, int col) const override;

    // The outer height maps to the client area as on the designed platform: a frame of
    // 480 twips (title bar and borders) above and below the client area.
    static constexpr int kFrameTwips = 480;
    static constexpr int kBorderTwips = 240;
    static constexpr int kClientWidthTwips = 15120;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CopyGridSelection();

    frmCorvatel* form_ = nullptr;
    std::function<void()> endProgram_;
    QHash<Control, QWidget*> widgets_;
    QTableWidget* grid_ = nullptr;
    QVector<int> alignments_;
    int pointer_ = vbArrow;
};

}  // namespace velthorn
