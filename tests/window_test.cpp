// The window itself, offscreen: controls named, placed and captioned as designed, the grid's
// heading, a message box from a click, the enlargement after a run, and closing.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>

#include "support/TestSupport.h"
#include "window/QtWindow.h"
#include "window/Texts.h"

using namespace velthorn;
using namespace velthorn::test;

namespace {

struct Placed {
    Control control;
    const char* name;
    int left, top, width, height;
};

// Designed positions in twips.
const Placed kControls[] = {
    {Control::optAccess, "optAccess", 120, 120, 4215, 375},
    {Control::txtDataSarnovik, "txtDataSarnovik", 4320, 120, 10455, 375},
    {Control::optSQL, "optSQL", 120, 600, 1695, 375},
    {Control::Label4, "Label4", 2640, 600, 1575, 375},
    {Control::txtServer, "txtServer", 4320, 600, 3375, 360},
    {Control::Label1, "Label1", 2280, 960, 1935, 375},
    {Control::txtdbq, "txtdbq", 4320, 960, 3375, 360},
    {Control::chkComType, "chkComType", 360, 1080, 1335, 495},
    {Control::Label8, "Label8", 3480, 1320, 735, 375},
    {Control::txtuid, "txtuid", 4320, 1320, 1815, 360},
    {Control::Label7, "Label7", 2880, 1680, 1335, 375},
    {Control::txtpwd, "txtpwd", 4320, 1680, 1815, 360},
    {Control::chkLikelAt, "chkLikelAt", 9120, 600, 5655, 375},
    {Control::Label5, "Label5", 1680, 2160, 2535, 375},
    {Control::txtPriceList, "txtPriceList", 4320, 2160, 10455, 375},
    {Control::Label2, "Label2", 2280, 2640, 1935, 375},
    {Control::txtQTY, "txtQTY", 4320, 2640, 5535, 375},
    {Control::Label3, "Label3", 2880, 3000, 1335, 375},
    {Control::txtPartNO, "txtPartNO", 4320, 3000, 5535, 360},
    {Control::cmdUpDate, "cmdUpDate", 9960, 2640, 855, 735},
    {Control::msgDetail, "msgDetail", 240, 3600, 14535, 7095},
};

class WindowTest : public ::testing::Test {
  protected:
    WindowTest() : form(window) {
        window.SetForm(&form);
        window.SetEndProgram([this] { ++ended; });
        form.Form_Load();
    }
    template <class T>
    T* Find(const char* name) {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    // Answers the next message box and keeps what it said.
    void AnswerNextMessage() {
        QTimer::singleShot(0, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return AnswerNextMessage();
            seen << box->text();
            detail << box->detailedText();
            icons << box->icon();
            box->accept();
        });
    }
    QtWindow window;
    frmCorvatel form;
    int ended = 0;
    QStringList seen, detail;
    QList<QMessageBox::Icon> icons;
};

TEST_F(WindowTest, ControlsArePlacedAsDesigned) {
    for (const Placed& p : kControls) {
        SCOPED_TRACE(p.name);
        QWidget* widget = Find<QWidget>(p.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget, window.ControlWidget(p.control));
        EXPECT_EQ(widget->geometry(), QRect(p.left / 15, p.top / 15, p.width / 15, p.height / 15));
    }
    for (const char* label :
         {"Label4", "Label1", "Label8", "Label7", "Label5", "Label2", "Label3"}) {
        const QRect box = Find<QLabel>(label)->geometry();
        EXPECT_EQ(box.x() + box.width(), 4215 / 15) << label;  // all end beside their box
        EXPECT_TRUE(Find<QLabel>(label)->alignment() & Qt::AlignRight) << label;
    }
}

TEST_F(WindowTest, OpeningValuesAndCaptions) {
    EXPECT_EQ(window.windowTitle(), "Velthorn DAIHATSU");
    EXPECT_EQ(Find<QRadioButton>("optAccess")->text(),
              QStringLiteral("ข้อมูล Access ที่จัดเก็บ Sarnovik"));
    EXPECT_TRUE(Find<QRadioButton>("optAccess")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("optSQL")->isChecked());
    EXPECT_EQ(Find<QRadioButton>("optSQL")->text(), QStringLiteral("ข้อมูล SQL"));
    EXPECT_EQ(Find<QCheckBox>("chkComType")->text(), QStringLiteral("เครื่องแม่"));
    EXPECT_TRUE(Find<QCheckBox>("chkComType")->isChecked());
    EXPECT_EQ(Find<QCheckBox>("chkLikelAt")->text(), QStringLiteral("จัดระเบียบเบอร์แทน  DAIHATSU"));
    EXPECT_FALSE(Find<QCheckBox>("chkLikelAt")->isChecked());
    EXPECT_EQ(Find<QLabel>("Label4")->text(), "Server Name");
    EXPECT_EQ(Find<QLabel>("Label1")->text(), "Autherntication");
    EXPECT_EQ(Find<QLabel>("Label8")->text(), "Login");
    EXPECT_EQ(Find<QLabel>("Label7")->text(), "Password");
    EXPECT_EQ(Find<QLabel>("Label5")->text(), QStringLiteral("ที่จัดเก็บข้อมูลPriceList"));
    EXPECT_EQ(Find<QLabel>("Label2")->text(), QStringLiteral("ลำดับการทำงาน"));
    EXPECT_EQ(Find<QLabel>("Label3")->text(), QStringLiteral("เบอร์อะไหล่"));
    EXPECT_EQ(Find<QPushButton>("cmdUpDate")->text(), "UpDate");
    EXPECT_EQ(Find<QLineEdit>("txtDataSarnovik")->text(), "G:\\DataSarnovik\\Sarnovik.accdb");
    EXPECT_EQ(Find<QLineEdit>("txtPriceList")->text(), "G:\\DataSarnovik\\PriceList_DAIHATSU.mdb");
    EXPECT_EQ(Find<QLineEdit>("txtpwd")->echoMode(), QLineEdit::Password);
    for (const char* empty : {"txtServer", "txtdbq", "txtuid", "txtpwd", "txtQTY", "txtPartNO"}) {
        EXPECT_TRUE(Find<QLineEdit>(empty)->text().isEmpty()) << empty;
    }
    // Compact: the client area ends where the grid begins.
    EXPECT_EQ(window.Height(), 4080);
    EXPECT_LE(window.height(), 3600 / 15);
}

TEST_F(WindowTest, GridHeadingAndLayout) {
    QTableWidget* grid = Find<QTableWidget>("msgDetail");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->columnCount(), 8);
    EXPECT_EQ(grid->rowCount(), 29);  // 30 rows with the heading row
    EXPECT_EQ(grid->columnWidth(0), 0);
    EXPECT_EQ(grid->columnWidth(3), 2700 / 15);
    EXPECT_EQ(grid->columnWidth(4), 4645 / 15);
    for (int col = 1; col <= 7; ++col) {
        EXPECT_EQ(grid->horizontalHeaderItem(col)->text(), texts::kGridHeadings[col - 1]);
    }
}

TEST_F(WindowTest, ClickWithAMissingPathShowsTheExactMessage) {
    Find<QLineEdit>("txtPriceList")->setText("/no/such/PriceList.mdb");
    AnswerNextMessage();
    Find<QPushButton>("cmdUpDate")->click();
    EXPECT_EQ(seen, QStringList({QStringLiteral("ที่จัดเก็บข้อมูล  PriceList_DAIHATSU.mdb  หาไม่พบ")}));
    EXPECT_EQ(icons, QList<QMessageBox::Icon>({QMessageBox::Warning}));
    EXPECT_TRUE(Find<QPushButton>("cmdUpDate")->isEnabled());
}

TEST_F(WindowTest, RunEnlargesTheWindowAndFillsTheGrid) {
    Workspace workspace;
    demo::DemoOptions options;
    options.dir = workspace.Path("");
    options.parts = 1100;
    demo::WriteDemo(options);
    Find<QLineEdit>("txtPriceList")->setText(workspace.priceList());
    Find<QLineEdit>("txtDataSarnovik")->setText(workspace.product());
    AnswerNextMessage();
    Find<QPushButton>("cmdUpDate")->click();
    ASSERT_EQ(seen, QStringList({QStringLiteral("เสร็จแล้วจ้า")})) << detail.join("").toStdString();
    EXPECT_EQ(window.Height(), 11520);
    EXPECT_GE(window.height(), (3600 + 7095) / 15);
    EXPECT_EQ(window.Top(), 0);
    QTableWidget* grid = Find<QTableWidget>("msgDetail");
    ASSERT_NE(grid->item(0, 1), nullptr);
    EXPECT_EQ(grid->item(0, 1)->text(), "1");
    EXPECT_FALSE(grid->item(0, 3)->text().isEmpty());
    EXPECT_FALSE(grid->item(0, 7)->text().isEmpty());
    EXPECT_EQ(Find<QLineEdit>("txtQTY")->text(),
              QStringLiteral("กำลังตรวจสอบข้อมูล  DAIHATSU  100 %"));
}

TEST_F(WindowTest, FailureKeepsTheButtonDisabledAndShowsTheReason) {
    Workspace workspace;
    { demo::ProductWriter product(workspace.product(), "V.31"); }
    demo::WritePriceListChunks(workspace.priceList(), {{1, {ListRow("", "1")}}});
    Exec(workspace.product(), "DROP TABLE PriceList");
    Find<QLineEdit>("txtPriceList")->setText(workspace.priceList());
    Find<QLineEdit>("txtDataSarnovik")->setText(workspace.product());
    AnswerNextMessage();
    Find<QPushButton>("cmdUpDate")->click();
    EXPECT_EQ(seen, QStringList({QStringLiteral("ไม่สามรถบันทึกได้")}));
    EXPECT_TRUE(detail.first().contains("PriceList")) << detail.first().toStdString();
    EXPECT_FALSE(Find<QPushButton>("cmdUpDate")->isEnabled());
}

TEST_F(WindowTest, ClosingEndsTheProgram) {
    window.show();
    window.close();
    EXPECT_EQ(ended, 1);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
