// The "Инфо" list and the "Частота" page in the real window, driven by keys.
#include "app/Unit1.h"
#include "image/FileDialogs.h"
#include "radio/InfoList.h"
#include "FormUi.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// Presets end with a reminder box; here nobody needs to close it.
struct SilentDialogs : FileDialogs {
    QString SaveFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString OpenFileName(const QString &, const QString &) override { return {}; }
    bool ConfirmOverwrite(const QString &) override { return false; }
    void Information(const QString &) override {}
    void Error(const QString &) override {}
};

// The open dialog answers with one file.
struct OpenOneFile : SilentDialogs {
    QString path;
    QString OpenFileName(const QString &, const QString &) override { return path; }
};

class RadioWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm1>();
        form->Dialogs = std::make_unique<SilentDialogs>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    QString Value(int row) const { return Ui(*form).Prop->topLevelItem(row)->text(1); }
    QString Hex(int row) const { return Ui(*form).Prop->topLevelItem(row)->text(2); }

    void SetWords(uint16_t divider, uint16_t tx, uint16_t lo)
    {
        form->Doc.Words()[0x32] = divider;
        form->Doc.Words()[0x33] = tx;
        form->Doc.Words()[0x34] = lo;
        form->RefreshBufExecute();
    }

    void ShowPage(int index)
    {
        Ui(*form).PageControl2->setCurrentIndex(index);
        QApplication::processEvents();
    }

    // Replaces a field's text as a user would: focus, select all, type.
    void Type(TMaskEdit *field, const char *keys)
    {
        field->setFocus();
        ASSERT_TRUE(field->hasFocus());
        field->selectAll();
        QTest::keyClicks(field, QString::fromLatin1(keys));
    }

    void Tab(QWidget *from) { QTest::keyClick(from, Qt::Key_Tab); }

    std::unique_ptr<TForm1> form;
};

TEST_F(RadioWindow, InfoListHasFixedRowsAndFollowsTheImage)
{
    QTreeWidget *prop = Ui(*form).Prop;
    ASSERT_EQ(prop->topLevelItemCount(), 12);
    EXPECT_EQ(prop->headerItem()->text(0), "Параметр");
    EXPECT_EQ(prop->headerItem()->text(1), "Свойства");
    EXPECT_EQ(prop->headerItem()->text(2), "HEX");
    EXPECT_GE(prop->columnWidth(0), 150);
    EXPECT_EQ(prop->topLevelItem(11)->text(0), "ID код");
    // The start-up fill shows the blank image.
    EXPECT_EQ(Value(2), "неизвесно");
    EXPECT_EQ(Hex(3), "FFFF");

    SetWords(0x01A9, 0x3CE1, 0x2C95);
    EXPECT_EQ(Value(0), "База");
    EXPECT_EQ(Value(3), "389.625mHz");
    EXPECT_EQ(Value(4), "263.625mHz");
    EXPECT_EQ(Value(6), "-21.700mHz");
    EXPECT_EQ(Hex(5), "2C95");
    for (int row : {0, 4, 6, 7, 8})
        EXPECT_TRUE(Hex(row).isEmpty()) << row;
    EXPECT_EQ(prop->topLevelItemCount(), 12);
}

TEST_F(RadioWindow, EveryPresetShowsItsFrequenciesOnListAndPage)
{
    const char *const expected[12][3] = {
        {"263.625", "367.925", "389.625"}, {"263.625", "364.475", "389.625"},
        {"263.625", "367.925", "389.625"}, {"389.625", "285.325", "263.625"},
        {"389.625", "288.775", "263.625"}, {"389.625", "285.325", "263.625"},
        {"260.625", "361.475", "386.625"}, {"260.625", "364.925", "386.625"},
        {"386.625", "285.775", "260.625"}, {"386.625", "282.325", "260.625"},
        {"253.500", "357.800", "379.500"}, {"379.500", "275.200", "253.500"},
    };
    const QRadioButton *indicator[12] = {Ui(*form).RadioButton3, Ui(*form).RadioButton4, Ui(*form).RadioButton5,
                                         Ui(*form).RadioButton3, Ui(*form).RadioButton4, Ui(*form).RadioButton5,
                                         Ui(*form).RadioButton4, Ui(*form).RadioButton5, Ui(*form).RadioButton4,
                                         Ui(*form).RadioButton5, Ui(*form).RadioButton5, Ui(*form).RadioButton5};
    ASSERT_NE(Ui(*form).PageControl2->currentIndex(), 2); // filled while hidden
    for (int p = 0; p < 12; ++p) {
        form->LoadPreset(p);
        const bool handset = p <= 2 || p == 6 || p == 7 || p == 10;
        EXPECT_EQ(Value(0), handset ? "Труба" : "База") << p;
        EXPECT_EQ(Value(3), QLatin1String(expected[p][0]) + "mHz") << p;
        EXPECT_EQ(Value(5), QLatin1String(expected[p][1]) + "mHz") << p;
        EXPECT_EQ(Value(4), QLatin1String(expected[p][2]) + "mHz") << p;
        EXPECT_EQ(Ui(*form).MaskEdit3->text(), expected[p][0]) << p;
        EXPECT_EQ(Ui(*form).MaskEdit4->text(), expected[p][1]) << p;
        EXPECT_EQ(Ui(*form).MaskEdit5->text(), expected[p][2]) << p;
        EXPECT_EQ(Ui(*form).CheckBox1->isChecked(), handset) << p;
        EXPECT_TRUE(indicator[p]->isChecked()) << p;
    }
}

TEST_F(RadioWindow, ShowingFillsAndLeavingStoresOnlyAChangedPage)
{
    SetWords(0x01A9, 0x2931, 0x397D);
    ShowPage(2);
    EXPECT_TRUE(Ui(*form).CheckBox1->isChecked());
    EXPECT_TRUE(Ui(*form).RadioButton3->isChecked());
    EXPECT_EQ(Ui(*form).Edit2->text(), "01A9");
    EXPECT_EQ(Ui(*form).MaskEdit5->text(), "389.625");

    // The image changes behind the shown page (a read, clearing, a grid edit):
    // leaving an untouched page must not put the old words back.
    form->Doc.Words()[0x33] = 0x1234;
    form->RefreshBufExecute();
    ShowPage(0);
    EXPECT_EQ(form->Doc.Image()[0x33], 0x1234);

    // A typed multiplier is stored on leaving, and the list follows.
    ShowPage(2);
    Type(Ui(*form).Edit3, "3CE1");
    Tab(Ui(*form).Edit3);
    EXPECT_EQ(Ui(*form).MaskEdit3->text(), "389.625");
    ShowPage(1);
    EXPECT_EQ(form->Doc.Image()[0x33], 0x3CE1);
    EXPECT_EQ(Value(3), "389.625mHz");

    // The buttons store and fill whether or not anything changed.
    ShowPage(2);
    form->Doc.Words()[0x32] = 0x0200;
    Ui(*form).Button3->click();
    EXPECT_EQ(form->Doc.Image()[0x32], 0x01A9);
    EXPECT_EQ(Hex(2), "01A9");
    form->Doc.Words()[0x32] = 0x0400;
    Ui(*form).Button2->click();
    EXPECT_EQ(Ui(*form).Edit2->text(), "0400");
    EXPECT_TRUE(Ui(*form).RadioButton4->isChecked());
    EXPECT_EQ(Ui(*form).MaskEdit3->text(), "194.812"); // 0x3CE1 * 12.5 kHz, truncated
}

TEST_F(RadioWindow, EqualMultipliersShowTheReceiverBelowTheOscillator)
{
    // A handset's file: TX below LO, so loading it checks "+/-".
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QByteArray file(128, '\xFF');
    const uint16_t words[][2] = {{0x32, 0x01A9}, {0x33, 0x2931}, {0x34, 0x397D}};
    for (const auto &[addr, word] : words) {
        file[2 * addr] = static_cast<char>(word >> 8);
        file[2 * addr + 1] = static_cast<char>(word & 0xFF);
    }
    QFile f(dir.filePath("handset.h"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
    f.close();
    auto dialogs = std::make_unique<OpenOneFile>();
    dialogs->path = f.fileName();
    form->Dialogs = std::move(dialogs);
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(Ui(*form).CheckBox1->isChecked());

    // LO := TX in the grid's entry box: cell 0x34, Enter, the digits, Enter.
    QTableWidget *grid = Ui(*form).StringGrid1;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(7, 5)).center());
    ASSERT_EQ(Ui(*form).Label12->text(), "34H");
    QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_TRUE(Ui(*form).MaskEdit1->hasFocus());
    QTest::keyClick(Ui(*form).MaskEdit1, Qt::Key_Home);
    QTest::keyClicks(Ui(*form).MaskEdit1, "2931");
    QTest::keyClick(Ui(*form).MaskEdit1, Qt::Key_Return);
    ASSERT_EQ(grid->item(7, 5)->text(), "2931");

    // Equal multipliers are not "TX below LO": the page shows RX = LO - IF.
    QTabBar *tabs = Ui(*form).PageControl2->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    ASSERT_EQ(Ui(*form).PageControl2->currentIndex(), 2);
    EXPECT_FALSE(Ui(*form).CheckBox1->isChecked());
    EXPECT_EQ(Ui(*form).Edit3->text(), "2931");
    EXPECT_EQ(Ui(*form).Edit4->text(), "2931");
    EXPECT_EQ(Ui(*form).MaskEdit4->text(), "263.625");
    EXPECT_EQ(Ui(*form).MaskEdit5->text(), "241.925");
}

TEST_F(RadioWindow, TypedReceiveSnapsAndCheckBoxAloneRecomputesNothing)
{
    SetWords(0x01A9, 0x2931, 0x397D);
    ShowPage(2);
    Type(Ui(*form).MaskEdit5, "389630");
    Tab(Ui(*form).MaskEdit5);
    EXPECT_EQ(Ui(*form).Edit4->text(), "397D");
    EXPECT_EQ(Ui(*form).MaskEdit5->text(), "389.625");
    EXPECT_EQ(Ui(*form).MaskEdit4->text(), "367.925");

    Ui(*form).CheckBox1->click();
    EXPECT_FALSE(Ui(*form).CheckBox1->isChecked());
    EXPECT_EQ(Ui(*form).MaskEdit5->text(), "389.625");
    // The next exit handler reads the new state.
    Ui(*form).Edit4->setFocus();
    Tab(Ui(*form).Edit4);
    EXPECT_EQ(Ui(*form).MaskEdit5->text(), "346.225");
}

TEST_F(RadioWindow, IncompleteFrequencyKeepsTheFocus)
{
    SetWords(0x01A9, 0x2931, 0x397D);
    ShowPage(2);
    TMaskEdit *tx = Ui(*form).MaskEdit3;
    tx->setFocus();
    tx->setCursorPosition(7);
    QTest::keyClick(tx, Qt::Key_Backspace);
    ASSERT_FALSE(tx->hasAcceptableInput());
    Tab(tx);
    EXPECT_TRUE(tx->hasFocus());
    EXPECT_EQ(QToolTip::text(), "Частота введена не полностью: нужны все шесть цифр.");
    EXPECT_EQ(Ui(*form).Edit3->text(), "2931");

    // Completing it lets the field go and converts the number.
    tx->setCursorPosition(6);
    QTest::keyClicks(tx, "0");
    Tab(tx);
    EXPECT_FALSE(tx->hasFocus());
    EXPECT_EQ(tx->text(), "263.620");
    EXPECT_EQ(Ui(*form).Edit3->text(), "2930");

    // Switching pages with a digit missing still switches; showing refills.
    tx->setFocus();
    tx->setCursorPosition(7);
    QTest::keyClick(tx, Qt::Key_Backspace);
    ShowPage(0);
    EXPECT_EQ(Ui(*form).PageControl2->currentIndex(), 0);
    EXPECT_EQ(form->Doc.Image()[0x33], 0x2930);
    ShowPage(2);
    EXPECT_EQ(tx->text(), "263.600"); // 0x2930 on the 25 kHz grid
}

TEST_F(RadioWindow, PassingThroughAShownFrequencyKeepsAnOddMultiplier)
{
    SetWords(0x0400, 20851, 0x70F6); // 260637.5 kHz shows as 260.637
    ShowPage(2);
    EXPECT_EQ(Ui(*form).MaskEdit3->text(), "260.637");
    Ui(*form).MaskEdit3->setFocus();
    Tab(Ui(*form).MaskEdit3);
    Ui(*form).MaskEdit5->setFocus();
    Tab(Ui(*form).MaskEdit5);
    EXPECT_EQ(Ui(*form).Edit3->text(), "5173");
    EXPECT_EQ(Ui(*form).Edit4->text(), "70F6");
    EXPECT_FALSE(form->Freq.AnyChanged());
}

// The user's own path: click a tab, click a field, Ctrl+A, type, Tab.
class RadioWindowByKeys : public RadioWindow {
protected:
    void ClickTab(int index)
    {
        QTabBar *bar = Ui(*form).PageControl2->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        ASSERT_EQ(Ui(*form).PageControl2->currentIndex(), index);
    }

    void TypeInto(TMaskEdit *field, const QString &text)
    {
        QTest::mouseClick(field, Qt::LeftButton);
        ASSERT_TRUE(field->hasFocus());
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::keyClick(field, Qt::Key_Tab);
    }
};

TEST_F(RadioWindowByKeys, LeavingStoresOnlyTheWordTheUserChanged)
{
    const struct {
        TMaskEdit *const FormUi::*field;
        const char *typed;
        int addr;
        uint16_t word;
    } cases[] = {
        {&FormUi::MaskEdit3, "263650", 0x33, 0x2932}, // 263650 / 25
        {&FormUi::Edit3, "3CE1", 0x33, 0x3CE1},       {&FormUi::MaskEdit4, "367950", 0x34, 0x397E},
        {&FormUi::MaskEdit5, "389650", 0x34, 0x397E}, // LO = RX - IF
        {&FormUi::Edit4, "1234", 0x34, 0x1234},       {&FormUi::Edit2, "0200", 0x32, 0x0200},
    };
    for (const auto &c : cases) {
        SetWords(0x01A9, 0x2931, 0x397D);
        ClickTab(2);
        TypeInto(Ui(*form).*c.field, QString::fromLatin1(c.typed));
        // Meanwhile a read from the telephone changes all three words.
        SetWords(0xAAAA, 0xAAAA, 0xAAAA);
        ClickTab(0);
        for (int a = 0x32; a <= 0x34; ++a)
            EXPECT_EQ(form->Doc.Image()[a], a == c.addr ? c.word : 0xAAAA) << c.typed << " word " << a;
    }
}

TEST_F(RadioWindowByKeys, FrequencyFieldsTakeAsciiDigitsOnly)
{
    SetWords(0x01A9, 0x2931, 0x397D);
    ClickTab(2);
    for (const char *typed : {"٢٦٣٦٢٥", "²²²²²²", "½"}) {
        TypeInto(Ui(*form).MaskEdit3, QString::fromUtf8(typed));
        EXPECT_EQ(Ui(*form).MaskEdit3->displayText(), "263.625") << typed;
        EXPECT_EQ(Ui(*form).Edit3->text(), "2931") << typed;
    }
    ClickTab(0);
    EXPECT_EQ(form->Doc.Image()[0x33], 0x2931);
}

TEST_F(RadioWindow, NoStepAndOutOfRangeShowNoNumber)
{
    // Blank image at start: no known divider seen yet.
    ShowPage(2);
    for (TMaskEdit *f : {Ui(*form).MaskEdit3, Ui(*form).MaskEdit4, Ui(*form).MaskEdit5})
        EXPECT_EQ(f->displayText(), "___.___") << f->objectName().toStdString();
    EXPECT_EQ(Ui(*form).Edit3->text(), "FFFF");

    // A typed frequency with no usable step leaves the multiplier alone.
    Type(Ui(*form).MaskEdit3, "263625");
    Tab(Ui(*form).MaskEdit3);
    EXPECT_EQ(Ui(*form).Edit3->text(), "FFFF");

    // Divider 0 after a known one: hex fields filled, frequencies empty.
    SetWords(0x0000, 0x2931, 0x397D);
    Ui(*form).Button2->click();
    EXPECT_EQ(Ui(*form).Edit2->text(), "0000");
    EXPECT_EQ(Ui(*form).Edit4->text(), "397D");
    EXPECT_EQ(Ui(*form).MaskEdit4->displayText(), "___.___");
}

} // namespace
