#include "window/QtWindow.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <cstdlib>

#include "db/StatementTrace.h"
#include "window/Texts.h"
#include "window/frmCorvatel.h"

namespace velthorn {

namespace {
constexpr int kTwipsPerPixel = 15;
int Px(int twips) {
    return twips / kTwipsPerPixel;
}

// The password box shows "*" for every character.
class StarPasswordStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QFont DesignFont(double points, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    // Where that face is missing, a Thai face renders the captions.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Loma"),
                      QStringLiteral("Garuda"), QStringLiteral("Tlwg Typo")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
}  // namespace

QtWindow::QtWindow() {
    setObjectName(QStringLiteral("frmCorvatel"));
    setFixedWidth(Px(kClientWidthTwips));
    resize(Px(kClientWidthTwips), Px(10950));
    endProgram_ = [] {
        db::StatementTrace::Flush();
        std::_Exit(0);
    };

    const auto place = [this](QWidget* widget, Control control, int left, int top, int width,
                              int height) {
        widget->setObjectName(ControlName(control));
        widget->setGeometry(Px(left), Px(top), Px(width), Px(height));
        widgets_.insert(control, widget);
    };
    const auto textBox = [&](Control control, int l, int t, int w, int h) {
        auto* box = new QLineEdit(this);
        box->setFont(DesignFont(12, false));
        place(box, control, l, t, w, h);
        return box;
    };
    const auto label = [&](Control control, const QString& caption, int l, int t, int w, int h) {
        auto* text = new QLabel(caption, this);
        text->setFont(DesignFont(12, true));
        text->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        place(text, control, l, t, w, h);
    };
    const auto checkBox = [&](Control control, const QString& caption, bool ticked, int l, int t,
                              int w, int h) {
        auto* box = new QCheckBox(caption, this);
        box->setFont(DesignFont(12, true));
        box->setChecked(ticked);
        place(box, control, l, t, w, h);
    };

    auto* group = new QButtonGroup(this);
    for (auto [control, caption, selected, top, width] :
         {std::tuple{Control::optAccess, texts::kOptAccess, true, 120, 4215},
          std::tuple{Control::optSQL, texts::kOptSQL, false, 600, 1695}}) {
        auto* option = new QRadioButton(caption, this);
        option->setFont(DesignFont(12, false));
        option->setChecked(selected);
        group->addButton(option);
        place(option, control, 120, top, width, 375);
    }
    textBox(Control::txtDataSarnovik, 4320, 120, 10455, 375)->setText(texts::kDefaultDataPath);
    label(Control::Label4, texts::kLabel4, 2640, 600, 1575, 375);
    textBox(Control::txtServer, 4320, 600, 3375, 360);
    label(Control::Label1, texts::kLabel1, 2280, 960, 1935, 375);
    textBox(Control::txtdbq, 4320, 960, 3375, 360);
    checkBox(Control::chkComType, texts::kChkComType, true, 360, 1080, 1335, 495);
    label(Control::Label8, texts::kLabel8, 3480, 1320, 735, 375);
    textBox(Control::txtuid, 4320, 1320, 1815, 360);
    label(Control::Label7, texts::kLabel7, 2880, 1680, 1335, 375);
    QLineEdit* password = textBox(Control::txtpwd, 4320, 1680, 1815, 360);
    password->setStyle(new StarPasswordStyle);
    password->setEchoMode(QLineEdit::Password);
    checkBox(Control::chkLikelAt, texts::kChkLikelAtPrefix, false, 9120, 600, 5655, 375);
    label(Control::Label5, texts::kLabel5, 1680, 2160, 2535, 375);
    textBox(Control::txtPriceList, 4320, 2160, 10455, 375);
    label(Control::Label2, texts::kLabel2, 2280, 2640, 1935, 375);
    textBox(Control::txtQTY, 4320, 2640, 5535, 375);
    label(Control::Label3, texts::kLabel3, 2880, 3000, 1335, 375);
    textBox(Control::txtPartNO, 4320, 3000, 5535, 360);

    auto* button = new QPushButton(texts::kCmdUpDate, this);
    place(button, Control::cmdUpDate, 9960, 2640, 855, 735);
    connect(button, &QPushButton::clicked, this, [this] {
        if (form_) form_->cmdUpDate_Click();
    });

    grid_ = new QTableWidget(this);
    grid_->setFont(DesignFont(8.25, false));
    grid_->verticalHeader()->hide();
    // The heading texts place themselves with their leading blanks.
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    place(grid_, Control::msgDetail, 240, 3600, 14535, 7095);
    // Copy for a spreadsheet: tab between cells, a line per row.
    auto* copy = new QAction(texts::kCopy, grid_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, [this] { CopyGridSelection(); });
    grid_->addAction(copy);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void QtWindow::CopyGridSelection() {
    const QList<QTableWidgetSelectionRange> ranges = grid_->selectedRanges();
    int top = 0, bottom = grid_->rowCount() - 1, left = 1, right = grid_->columnCount() - 1;
    if (!ranges.isEmpty()) {
        top = ranges.first().topRow();
        bottom = ranges.first().bottomRow();
        left = std::max(1, ranges.first().leftColumn());
        right = ranges.first().rightColumn();
    }
    QString text;
    for (int row = top; row <= bottom; ++row) {
        QStringList cells;
        for (int col = left; col <= right; ++col) {
            const QTableWidgetItem* item = grid_->item(row, col);
            cells << (item ? item->text() : QString());
        }
        text += cells.join(u'\t') + u'\n';
    }
    QApplication::clipboard()->setText(text);
}

QString QtWindow::Text(Control control) const {
    QWidget* widget = widgets_.value(control);
    if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* text = qobject_cast<QLabel*>(widget)) return text->text();
    return QString();
}

void QtWindow::SetText(Control control, const QString& text) {
    QWidget* widget = widgets_.value(control);
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        box->setText(text);
        box->setCursorPosition(0);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    }
}

int QtWindow::Value(Control control) const {
    if (auto* button = qobject_cast<QAbstractButton*>(widgets_.value(control))) {
        return button->isChecked() ? 1 : 0;
    }
    return 0;
}

void QtWindow::SetValue(Control control, int value) {
    // The two option buttons share one group: not the server means the Access file.
    if (control == Control::optSQL && value == 0) {
        control = Control::optAccess;
        value = 1;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widgets_.value(control))) {
        button->setChecked(value != 0);
    }
}

void QtWindow::SetEnabled(Control control, bool enabled) {
    if (QWidget* widget = widgets_.value(control)) widget->setEnabled(enabled);
}

bool QtWindow::Enabled(Control control) const {
    QWidget* widget = widgets_.value(control);
    return widget && widget->isEnabled();
}

void QtWindow::SetCaption(const QString& caption) {
    setWindowTitle(caption);
}
QString QtWindow::Caption() const {
    return windowTitle();
}

int QtWindow::Width() const {
    return kClientWidthTwips + kBorderTwips;
}
int QtWindow::Height() const {
    return height() * kTwipsPerPixel + kFrameTwips;
}

void QtWindow::SetHeight(int twips) {
    setFixedHeight(std::max(0, Px(twips - kFrameTwips)));
}

int QtWindow::Left() const {
    return pos().x() * kTwipsPerPixel;
}
void QtWindow::SetLeft(int twips) {
    move(Px(twips), pos().y());
}
int QtWindow::Top() const {
    return pos().y() * kTwipsPerPixel;
}
void QtWindow::SetTop(int twips) {
    move(pos().x(), Px(twips));
}

int QtWindow::ScreenWidth() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() * kTwipsPerPixel : 1920 * kTwipsPerPixel;
}

int QtWindow::ScreenHeight() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() * kTwipsPerPixel : 1080 * kTwipsPerPixel;
}

void QtWindow::SetMousePointer(int pointer) {
    if (pointer == pointer_) return;
    if (pointer_ == vbArrowHourglass) QApplication::restoreOverrideCursor();
    if (pointer == vbArrowHourglass) QApplication::setOverrideCursor(Qt::BusyCursor);
    pointer_ = pointer;
}

void QtWindow::DoEvents() {
    QCoreApplication::processEvents();
}

void QtWindow::MsgBox(const QString& text, int icon, const QString& detail) {
    QMessageBox box(this);
    box.setWindowTitle(QCoreApplication::applicationName());
    box.setText(text);
    box.setIcon(icon == vbExclamation ? QMessageBox::Warning
                : icon == vbQuestion  ? QMessageBox::Question
                                      : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    if (!detail.isEmpty()) box.setDetailedText(detail);
    box.exec();
}

void QtWindow::EndProgram() {
    if (endProgram_) endProgram_();
}

void QtWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (form_) form_->Form_Unload();
}

// --- the grid: row 0 is the table's header, data rows follow it

void QtWindow::GridClear() {
    for (int col = 0; col < grid_->columnCount(); ++col) {
        if (QTableWidgetItem* header = grid_->horizontalHeaderItem(col)) header->setText(QString());
    }
    for (int row = 0; row < grid_->rowCount(); ++row) {
        for (int col = 0; col < grid_->columnCount(); ++col) {
            if (QTableWidgetItem* item = grid_->item(row, col)) item->setText(QString());
        }
    }
}

void QtWindow::GridSetCols(int cols) {
    grid_->setColumnCount(cols);
    alignments_.resize(cols);
}

int QtWindow::GridCols() const {
    return grid_->columnCount();
}
void QtWindow::GridSetRows(int rows) {
    grid_->setRowCount(std::max(0, rows - 1));
}
int QtWindow::GridRows() const {
    return grid_->rowCount() + 1;
}
void QtWindow::GridSetFixed(int, int) {
    // The heading row is the table's header; column 0 is kept 1 twip narrow by its width.
}

void QtWindow::GridSetColWidth(int col, int twips) {
    grid_->setColumnWidth(col, std::max(0, Px(twips)));
}

int QtWindow::GridColWidth(int col) const {
    return grid_->columnWidth(col) * kTwipsPerPixel;
}

void QtWindow::GridSetColAlignment(int col, int alignment) {
    if (col >= 0 && col < alignments_.size()) alignments_[col] = alignment;
}

int QtWindow::GridColAlignment(int col) const {
    return alignments_.value(col);
}

int QtWindow::GridWidth() const {
    return grid_->width() * kTwipsPerPixel;
}

void QtWindow::GridSetText(int row, int col, const QString& text) {
    if (row == 0) {
        QTableWidgetItem* header = grid_->horizontalHeaderItem(col);
        if (!header) {
            header = new QTableWidgetItem;
            grid_->setHorizontalHeaderItem(col, header);
        }
        header->setText(text);
        header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return;
    }
    QTableWidgetItem* item = grid_->item(row - 1, col);
    if (!item) {
        item = new QTableWidgetItem;
        grid_->setItem(row - 1, col, item);
    }
    item->setText(text);
    item->setTextAlignment(alignments_.value(col) == flexAlignLeftCenter
                               ? Qt::AlignLeft | Qt::AlignVCenter
                               : Qt::AlignRight | Qt::AlignVCenter);
}

QString QtWindow::GridText(int row, int col) const {
    if (row == 0) {
        const QTableWidgetItem* header = grid_->horizontalHeaderItem(col);
        return header ? header->text() : QString();
    }
    const QTableWidgetItem* item = grid_->item(row - 1, col);
    return item ? item->text() : QString();
}

}  // namespace velthorn
