#pragma once
// What the form needs of a screen. The form never touches a widget: it reads the operator's
// settings and writes progress, messages, grid cells, geometry, pointer and button state through
// this interface. Positions and sizes are in twips; grid rows and columns count as the grid
// counts them, the heading row 0 and the narrow column 0 included.
#include <QString>

namespace velthorn {

enum class Control {
    optAccess,
    txtDataSarnovik,
    optSQL,
    Label4,
    txtServer,
    Label1,
    txtdbq,
    chkComType,
    Label8,
    txtuid,
    Label7,
    txtpwd,
    chkLikelAt,
    Label5,
    txtPriceList,
    Label2,
    txtQTY,
    Label3,
    txtPartNO,
    cmdUpDate,
    msgDetail,
};

// Message box icons.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
// Mouse pointers.
inline constexpr int vbArrow = 1;
inline constexpr int vbArrowHourglass = 13;
// Grid column alignment: left, vertically centred.
inline constexpr int flexAlignLeftCenter = 1;
inline constexpr int flexAlignDefault = 9;

class FormView {
  public:
    virtual ~FormView() = default;

    // Text of a text box, or caption of a label, check box, option button or button.
    virtual QString Text(Control control) const = 0;
    virtual void SetText(Control control, const QString& text) = 0;
    // Check boxes: 1 ticked, 0 not; option buttons: 1 selected, 0 not.
    virtual int Value(Control control) const = 0;
    virtual void SetEnabled(Control control, bool enabled) = 0;
    virtual bool Enabled(Control control) const = 0;

    virtual void SetCaption(const QString& caption) = 0;
    virtual QString Caption() const = 0;
    // Outer size and position of the window; the screen's size.
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetHeight(int twips) = 0;
    virtual int Left() const = 0;
    virtual void SetLeft(int twips) = 0;
    virtual int Top() const = 0;
    virtual void SetTop(int twips) = 0;
    virtual int ScreenWidth() const = 0;
    virtual int ScreenHeight() const = 0;
    virtual void SetMousePointer(int pointer) = 0;
    virtual int MousePointer() const = 0;

    // Lets the screen repaint and take the operator's input.
    virtual void DoEvents() = 0;
    // A message box with an OK button; detail is the error's own text, shown apart from the
    // message (empty for most messages).
    virtual void MsgBox(const QString& text, int icon, const QString& detail) = 0;
    // Ends the program at once (the window was closed).
    virtual void EndProgram() = 0;

    // The change-report grid.
    virtual void GridClear() = 0;
    virtual void GridSetCols(int cols) = 0;
    virtual int GridCols() const = 0;
    virtual void GridSetRows(int rows) = 0;
    virtual int GridRows() const = 0;
    virtual void GridSetFixed(int rows, int cols) = 0;
    virtual void GridSetColWidth(int col, int twips) = 0;
    virtual int GridColWidth(int col) const = 0;
    virtual void GridSetColAlignment(int col, int alignment) = 0;
    virtual int GridColAlignment(int col) const = 0;
    virtual int GridWidth() const = 0;
    virtual void GridSetText(int row, int col, const QString& text) = 0;
    virtual QString GridText(int row, int col) const = 0;
};

// The control's name as the window knows it ("txtQTY").
QString ControlName(Control control);

}  // namespace velthorn
