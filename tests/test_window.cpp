// The main window's shell and the hex grid editor, driven as a user would.
#include "ModalHelper.h"
#include "app/ActionTable.h"
#include "app/ErrorBox.h"
#include "app/Settings.h"
#include "app/TraceDialog.h"
#include "app/SeriesWindow.h"
#include "app/Translations.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit4.h"
#include "image/Presets.h"
#include "link/JobReport.h"
#include "link/SeriesLanes.h"
#include "FormUi.h"

#include <QAction>
#include <QFontDatabase>
#include <QComboBox>
#include <QFrame>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm1>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    QString Cell(int addr) const { return Ui(*form).StringGrid1->item(addr / 8 + 1, addr % 8 + 1)->text(); }

    void Select(int addr) { Ui(*form).StringGrid1->setCurrentCell(addr / 8 + 1, addr % 8 + 1); }

    // A menu's entries as "caption" or "-" for separators, "&" kept.
    static QStringList Entries(const QMenu *menu)
    {
        QStringList out;
        for (QAction *a : menu->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text().section(u'\t', 0, 0));
        return out;
    }

    QMenu *TopMenu(int i) const { return Ui(*form).ActionMainMenuBar1->actions().at(i)->menu(); }

    std::unique_ptr<TForm1> form;
};

TEST_F(WindowTest, StartsBlankWithPortClosedArrangement)
{
    EXPECT_EQ(form->windowTitle(), "Quillon 258/258+");
    EXPECT_EQ(form->size(), QSize(363, 354));
    EXPECT_EQ(Ui(*form).StringGrid1->item(0, 0)->text(), "Addr");
    const QStringList cols = {"00", "01", "02", "03", "04", "05", "06", "07"};
    const QStringList rows = {"00", "08", "10", "18", "20", "28", "30", "38"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Ui(*form).StringGrid1->item(0, i + 1)->text(), cols[i]);
        EXPECT_EQ(Ui(*form).StringGrid1->item(i + 1, 0)->text(), rows[i]);
    }
    for (int a = 0; a < 64; ++a)
        ASSERT_EQ(Cell(a), "FFFF") << a;
    EXPECT_EQ(form->SelectedAddr, 0);
    EXPECT_EQ(Ui(*form).Label13->text(), "Addr:");
    EXPECT_EQ(Ui(*form).Label12->text(), "00H");
    EXPECT_EQ(Ui(*form).MaskEdit1->text(), "FFFF");
    EXPECT_EQ(Ui(*form).DeScrypt->toPlainText(), "");
    EXPECT_EQ(Ui(*form).PageControl2->currentWidget(), Ui(*form).TabSheet5);
    EXPECT_EQ(Ui(*form).PageControl2->tabText(0), "Буфер");
    EXPECT_EQ(Ui(*form).PageControl2->tabText(1), "Инфо");
    EXPECT_EQ(Ui(*form).PageControl2->tabText(2), "Частота");
    EXPECT_EQ(Ui(*form).PageControl2->tabText(3), "Связь");

    ASSERT_EQ(Ui(*form).ComboBox1->count(), 15);
    EXPECT_EQ(Ui(*form).ComboBox1->itemText(0), "COM1");
    EXPECT_EQ(Ui(*form).ComboBox1->itemText(14), "COM15");
    EXPECT_EQ(Ui(*form).ComboBox1->currentText(), "COM1");
    EXPECT_TRUE(Ui(*form).ComboBox1->isEnabled());

    const QStringList models = {"<неизвестно>", "SN-258 База", "SN-258 Труба", "SN-258+ База ",
                                "SN-258+ Труба", "SN-258 База (Комтель)", "SN-258 Труба (Комтель)",
                                "SN-258+ База Flagman", "SN-258+ Труба Flagman"};
    ASSERT_EQ(Ui(*form).ComboBox2->count(), models.size());
    for (int i = 0; i < models.size(); ++i)
        EXPECT_EQ(Ui(*form).ComboBox2->itemText(i), models[i]);
    EXPECT_EQ(Ui(*form).ComboBox2->currentIndex(), 0);
    EXPECT_EQ(Ui(*form).Edit1->text(), "");
    EXPECT_EQ(form->StatusText(0), "");
    EXPECT_EQ(form->StatusText(1), "");
    EXPECT_FALSE(Ui(*form).Panel1->isVisible());
    EXPECT_TRUE(Ui(*form).Label1->isVisible());
    EXPECT_EQ(Ui(*form).Label14->text(), "XP Version");

    EXPECT_TRUE(Ui(*form).Act.OpenPort->isEnabled());
    for (QAction *a : {Ui(*form).Act.ClosePort, Ui(*form).Act.Read258, Ui(*form).Act.Write258, Ui(*form).Act.ReadBlock,
                       Ui(*form).Act.WriteBlock, Ui(*form).Act.ReadCur, Ui(*form).Act.WriteCur,
                       Ui(*form).Act.CancelProg, Ui(*form).Act.ProbeLine})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
}

TEST_F(WindowTest, ActionTableIsComplete)
{
    struct Expect {
        QAction *TActions::*member;
        const char *category, *caption, *shortcut;
        bool enabled;
        bool hasImage;
    };
    const Expect expected[] = {
        {&TActions::RefreshBuf, "Main", "Обновить буфер", "", true, false},
        {&TActions::OpenPort, "Prog", "Открыть порт", "F9", true, true},
        {&TActions::ClosePort, "Prog", "Закрыть порт", "F10", false, true},
        {&TActions::Read258, "Prog", "Прочитать всю EEPROM", "F7", false, true},
        {&TActions::Write258, "Prog", "Записать всю EEPROM", "F8", false, true},
        {&TActions::ReadBlock, "Prog", "Прочитать блок 30-3F", "F3", false, true},
        {&TActions::WriteBlock, "Prog", "Записать блок 30-3F", "F2", false, true},
        {&TActions::ReadCur, "Prog", "Прочитать ячейку", "F5", false, true},
        {&TActions::WriteCur, "Prog", "Записать ячейку", "F6", false, true},
        {&TActions::SaveFile, "File", "Сохранить как...", "Ctrl+S", true, true},
        {&TActions::LoadFile, "File", "Открыть...", "Ctrl+O", true, true},
        {&TActions::ClearBuf, "File", "Отчистить буфер", "Ctrl+N", true, true},
        {&TActions::FileExit1, "File", "Выход", "Alt+F4", true, true},
        {&TActions::AbuotBox, "Help", "О программе...", "", true, false},
        {&TActions::FillList, "Main", "FillList", "", true, false},
        {&TActions::CancelProg, "Prog", "Отменить программирование", "Esc", false, true},
        {&TActions::ShowSheme, "Help", "Схема преобразователя уровней", "", true, true},
        {&TActions::SwapByte, "Main", "Поменять байты местами", "", true, true},
        {&TActions::Undo, "Main", "Отменить", "Ctrl+Z", false, false},
        {&TActions::Redo, "Main", "Повторить", "Ctrl+Shift+Z", false, false},
        {&TActions::Backups, "File", "Резервные копии...", "", true, false},
        {&TActions::ProbeLine, "Prog", "Проверить связь с телефоном", "", false, false},
        {&TActions::PairFromBase, "File", "Взять у базы...", "", true, false},
        {&TActions::ShowTrace, "Prog", "Показать обмен", "", true, false},
        {&TActions::Help, "Help", "Справка", "F1", true, false},
        {&TActions::VerifyAfterWrite, "Prog", "Проверять после записи", "", true, false},
        {&TActions::CompareWithPhone, "Prog", "Сравнить с телефоном", "Ctrl+F7", false, false},
        {&TActions::CompareWithFile, "File", "Сравнить с файлом...", "", true, false},
        {&TActions::ClearMarks, "Main", "Снять отметки", "Esc", false, false},
        {&TActions::Series, "Prog", "Серия...", "", false, false},
    };
    for (const Expect &e : expected) {
        QAction *a = Ui(*form).Act.*(e.member);
        ASSERT_NE(a, nullptr);
        SCOPED_TRACE(a->objectName().toStdString());
        EXPECT_EQ(a->property("category").toString(), e.category);
        EXPECT_EQ(a->text(), QString::fromUtf8(e.caption));
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(e.shortcut)));
        EXPECT_EQ(a->isEnabled(), e.enabled);
        EXPECT_EQ(a->property("imageIndex").toInt() >= 0, e.hasImage);
    }
    EXPECT_EQ(ActionCount, 44);
    EXPECT_TRUE(Ui(*form).Act.VerifyAfterWrite->isChecked()); // the first run: on
    EXPECT_EQ(Ui(*form).Act.Redo->shortcuts(),
              QList<QKeySequence>({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
    int presets = 0;
    for (int i = 0; i < ActionCount; ++i) {
        QAction *a = Ui(*form).Act.*(ActionTable[i].member);
        EXPECT_EQ(a->objectName(), ActionTable[i].name);
        if (a->property("category").toString() == "NewData") {
            ASSERT_LT(presets, kPresetCount);
            EXPECT_EQ(a->objectName(), PresetTable[presets].name);
            EXPECT_EQ(a->text(), QString::fromUtf8(PresetTable[presets].caption));
            ++presets;
            EXPECT_TRUE(a->isEnabled());
            EXPECT_TRUE(a->shortcut().isEmpty());
        }
    }
    EXPECT_EQ(presets, 12);
    EXPECT_EQ(Ui(*form).Act.OpenPort->toolTip(), "Открыть порт");
    EXPECT_EQ(Ui(*form).Act.FileExit1->property("hint").toString(), "Exit|Quits the application");
    EXPECT_EQ(Ui(*form).Act.SwapByte->property("imageIndex").toInt(), 14);
    EXPECT_EQ(Ui(*form).Act.CancelProg->property("imageIndex").toInt(), 12);
}

TEST_F(WindowTest, MenusAndToolBarInOrder)
{
    const QList<QAction *> top = Ui(*form).ActionMainMenuBar1->actions();
    ASSERT_EQ(top.size(), 4);
    EXPECT_EQ(top[0]->text(), "Файл");
    EXPECT_EQ(top[1]->text(), "Редактор");
    EXPECT_EQ(top[2]->text(), "Терминал");
    EXPECT_EQ(top[3]->text(), "?");
    EXPECT_EQ(Entries(TopMenu(0)), QStringList({"Отчистить буфер", "Открыть...", "Сравнить с файлом...", "Резервные копии...",
                                                "Взять у базы...", "Стандартные для...", "Сохранить как...", "-", "Выход"}));
    EXPECT_EQ(Entries(TopMenu(1)), QStringList({"Отменить", "Повторить", "-", "Поменять байты местами"}));
    EXPECT_EQ(Entries(TopMenu(2)),
              QStringList({"Открыть порт", "Закрыть порт", "Проверить связь с телефоном", "Сравнить с телефоном",
                           "Снять отметки", "Проверять после записи", "Показать обмен", "Серия...", "-",
                           "Прочитать блок &30-3F",
                           "Записать блок 3&0-3F", "-", "Прочитать всю &EEPROM", "Записать всю EE&PROM",
                           "-", "Прочитать ячейку", "Записать ячейку"}));
    EXPECT_EQ(Entries(TopMenu(3)),
              QStringList({"Справка", "Язык / Language", "Схема преобразователя уровней", "О программе..."}));
    EXPECT_EQ(
        Entries(Ui(*form).PresetMenu),
        QStringList({"Труба 258 &10625", "Труба 258 128&00", "Труба 258 21250", "-", "База &258 10625",
                     "База 2&58 12800", "База 25&8 21250", "-", "Труба 258+ 12800", "Труба 258+ 21250", "-",
                     "База 258+ 12800", "База 258+ 21250", "-", "Труба 258 21250 Украина", "База 258 21250 Украина"}));

    // A menu item under its own caption follows its action's state and shows its shortcut.
    QAction *readBlockItem = TopMenu(2)->actions().at(9);
    EXPECT_FALSE(readBlockItem->isEnabled());
    EXPECT_TRUE(readBlockItem->text().endsWith("\tF3"));
    Ui(*form).Act.ReadBlock->setEnabled(true);
    EXPECT_TRUE(readBlockItem->isEnabled());
    Ui(*form).Act.ReadBlock->setEnabled(false);

    QStringList bar;
    for (QAction *a : Ui(*form).ActionToolBar1->actions())
        bar << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    EXPECT_EQ(bar, QStringList({"ClearBuf", "LoadFile", "SaveFile", "-", "OpenPort", "ClosePort", "-",
                                "ReadBlock", "WriteBlock", "-", "Read258", "Write258", "-", "ReadCur",
                                "WriteCur", "-", "CancelProg"}));
    EXPECT_EQ(Ui(*form).ActionToolBar1->toolButtonStyle(), Qt::ToolButtonIconOnly);
}

TEST_F(WindowTest, SelectingACellShowsAddressWordAndDescription)
{
    form->Doc.Words()[0x32] = 0x01A9;
    form->Doc.Words()[0x38] = 0x00EF;
    form->RefreshBufExecute();
    Ui(*form).StringGrid1->setCurrentCell(7, 3); // row 7, column 3 -> 0x32
    EXPECT_EQ(form->SelectedAddr, 0x32);
    EXPECT_EQ(Ui(*form).Label12->text(), "32H");
    EXPECT_EQ(Ui(*form).MaskEdit1->text(), "01A9");
    EXPECT_EQ(Ui(*form).DeScrypt->toPlainText(), "Делитель опорного генератора [01A9]");

    Ui(*form).StringGrid1->setFocus();
    QTest::keyClick(Ui(*form).StringGrid1, Qt::Key_Right); // 0x33
    QTest::keyClick(Ui(*form).StringGrid1, Qt::Key_Down); // 0x3B
    EXPECT_EQ(form->SelectedAddr, 0x3B);
    EXPECT_EQ(Ui(*form).Label12->text(), "3BH");
    EXPECT_EQ(Ui(*form).DeScrypt->toPlainText(), "");
    QTest::keyClick(Ui(*form).StringGrid1, Qt::Key_Left);
    QTest::keyClick(Ui(*form).StringGrid1, Qt::Key_Left);
    QTest::keyClick(Ui(*form).StringGrid1, Qt::Key_Left); // 0x38
    EXPECT_EQ(Ui(*form).DeScrypt->toPlainText(),
              "Диапазан рабочих каналов. HI - начало диапазона [00], LO - конец диапазона [EF]");

    // Label cells cannot be selected: the selection stays on a data cell.
    Select(0x00);
    QTest::keyClick(Ui(*form).StringGrid1, Qt::Key_Up);
    QTest::keyClick(Ui(*form).StringGrid1, Qt::Key_Left);
    EXPECT_EQ(form->SelectedAddr, 0x00);
    EXPECT_GE(Ui(*form).StringGrid1->currentRow(), 1);
    EXPECT_GE(Ui(*form).StringGrid1->currentColumn(), 1);
    const QRect label = Ui(*form).StringGrid1->visualItemRect(Ui(*form).StringGrid1->item(0, 3));
    QTest::mouseClick(Ui(*form).StringGrid1->viewport(), Qt::LeftButton, {}, label.center());
    EXPECT_EQ(form->SelectedAddr, 0x00);
    const QRect data = Ui(*form).StringGrid1->visualItemRect(Ui(*form).StringGrid1->item(2, 4));
    QTest::mouseClick(Ui(*form).StringGrid1->viewport(), Qt::LeftButton, {}, data.center());
    EXPECT_EQ(form->SelectedAddr, 0x0B);
    EXPECT_EQ(Ui(*form).Label12->text(), "0BH");
}

// Keys into whichever widget has the focus, as a user types them:
// '>' is Right, '~' is Delete, '\n' is Enter; anything else is typed.
static void Press(const char *keys)
{
    for (const char *k = keys; *k; ++k) {
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        if (*k == '>')
            QTest::keyClick(focus, Qt::Key_Right);
        else if (*k == '~')
            QTest::keyClick(focus, Qt::Key_Delete);
        else if (*k == '\n')
            QTest::keyClick(focus, Qt::Key_Return);
        else
            QTest::keyClick(focus, *k);
    }
}

TEST_F(WindowTest, EnterTypeEnterStoresTheWordAsShown)
{
    // Select the cell, Enter, type, Enter: the box shows what goes into the
    // image, a blank position counting as 0.
    const struct {
        const char *keys;
        const char *box;
        uint16_t word;
    } cases[] = {
        {"\n12g4\n", "12G4", 0x1204}, // G is no hex digit: a zero nibble
        {"\nBEEF\n", "BEEF", 0xBEEF},
        {"\n~>>FF\n", "__FF", 0x00FF},
        {"\n~1>2\n", "1_2_", 0x1020},
        {"\n\n", "FFFF", 0xFFFF},   // in and out without typing
    };
    for (const auto &c : cases) {
        form->Doc.Words()[0x10] = 0xFFFF;
        form->RefreshBufExecute();
        Select(0x11);
        Select(0x10); // reloads the box
        Ui(*form).StringGrid1->setFocus();
        Press(c.keys);
        EXPECT_TRUE(Ui(*form).StringGrid1->hasFocus()) << c.keys;
        EXPECT_EQ(Ui(*form).MaskEdit1->displayText(), c.box) << c.keys;
        EXPECT_EQ(form->Doc.Image()[0x10], c.word) << c.keys;
        EXPECT_EQ(Cell(0x10), WordToHex(c.word)) << c.keys;
    }

    // Leaving the box by clicking another cell writes to the cell selected while typing.
    Press("\nABCD");
    const QRect other = Ui(*form).StringGrid1->visualItemRect(Ui(*form).StringGrid1->item(1, 1));
    QTest::mouseClick(Ui(*form).StringGrid1->viewport(), Qt::LeftButton, {}, other.center());
    EXPECT_EQ(form->Doc.Image()[0x10], 0xABCD);
    EXPECT_EQ(form->Doc.Image()[0x00], 0xFFFF);
    EXPECT_EQ(form->SelectedAddr, 0x00);
}

TEST_F(WindowTest, PassingThroughTheBoxDoesNotOverwriteNewData)
{
    Select(0x05);
    Ui(*form).StringGrid1->setFocus();
    form->Doc.Words()[0x05] = 0x5A5A; // as a read job, a file or a preset would change it
    form->RefreshBufExecute();
    EXPECT_EQ(Ui(*form).MaskEdit1->text(), "FFFF"); // the box keeps the value from before
    Press("\n\n"); // in and out without typing
    EXPECT_EQ(form->Doc.Image()[0x05], 0x5A5A);
    EXPECT_EQ(Cell(0x05), "5A5A");

    // After a typed value went in, a second pass through the box writes nothing again.
    Press("\n0001\n");
    EXPECT_EQ(form->Doc.Image()[0x05], 0x0001);
    form->Doc.Words()[0x05] = 0x7777;
    Press("\n\n");
    EXPECT_EQ(form->Doc.Image()[0x05], 0x7777);
}

TEST_F(WindowTest, ClearAndSwapWorkOnTheWholeImage)
{
    form->Doc.Words()[0x32] = 0x01A9;
    form->Doc.Words()[0x00] = 0x12AB;
    form->RefreshBufExecute();
    Ui(*form).Act.SwapByte->trigger();
    EXPECT_EQ(form->Doc.Image()[0x32], 0xA901);
    EXPECT_EQ(form->Doc.Image()[0x00], 0xAB12);
    EXPECT_EQ(form->Doc.Image()[0x01], 0xFFFF);
    EXPECT_EQ(Cell(0x32), "A901");
    Ui(*form).Act.SwapByte->trigger();
    EXPECT_EQ(form->Doc.Image()[0x32], 0x01A9);

    Select(0x32);
    Ui(*form).Edit1->setText("customer 17");
    Ui(*form).ComboBox2->setCurrentIndex(4);
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    for (int a = 0; a < 64; ++a)
        ASSERT_EQ(Cell(a), "FFFF");
    EXPECT_EQ(form->Doc.Image()[0x32], 0xFFFF);
    EXPECT_EQ(Ui(*form).Edit1->text(), "");
    EXPECT_EQ(Ui(*form).ComboBox2->currentIndex(), 0);
    // The selection, the box and the description stay as they were.
    EXPECT_EQ(form->SelectedAddr, 0x32);
    EXPECT_EQ(Ui(*form).MaskEdit1->text(), "01A9");
    EXPECT_EQ(Ui(*form).DeScrypt->toPlainText(), "Делитель опорного генератора [01A9]");
}

TEST_F(WindowTest, DisabledShortcutsRunNothing)
{
    form->Doc.Words()[0x00] = 0x1111;
    for (Qt::Key k : {Qt::Key_F2, Qt::Key_F3, Qt::Key_F5, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8,
                      Qt::Key_F10, Qt::Key_Escape})
        QTest::keyClick(form.get(), k);
    EXPECT_EQ(form->StatusText(0), "");
    EXPECT_FALSE(Ui(*form).Panel1->isVisible());
    EXPECT_EQ(form->Doc.Image()[0x00], 0x1111);
}

TEST_F(WindowTest, AltF4ClosesTheWindow)
{
    QTest::keyClick(form.get(), Qt::Key_F4, Qt::AltModifier);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(WindowTest, AboutBoxAndSchematicAreModal)
{
    bool seen = false;
    AnswerNextModal([&](QWidget *w) {
        seen = true;
        auto *box = qobject_cast<TAboutBox *>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "О программе");
        EXPECT_EQ(box->ProductName->text(), "Quillon SN258/258+");
        EXPECT_EQ(box->Version->text(), "Version 3.4 XP");
        EXPECT_TRUE(box->Memo1->toPlainText().startsWith("* Добавлена функция SwapByte"));
        EXPECT_TRUE(box->Memo1->isReadOnly());
        EXPECT_LE((box->frameGeometry().center() - box->screen()->geometry().center()).manhattanLength(), 4);
        QTest::keyClick(box, Qt::Key_Return); // OK is the default button
        EXPECT_FALSE(box->isVisible());
    });
    Ui(*form).Act.AbuotBox->trigger();
    EXPECT_TRUE(seen);

    seen = false;
    AnswerNextModal([&](QWidget *w) {
        seen = true;
        auto *f3 = qobject_cast<TForm3 *>(w);
        ASSERT_NE(f3, nullptr);
        EXPECT_EQ(f3->windowTitle(), "Схема преобразователя уровней");
        EXPECT_EQ(f3->size(), QSize(470, 266));
        EXPECT_FALSE(f3->Image1->pixmap().isNull());
        EXPECT_LE((f3->frameGeometry().center() - f3->screen()->geometry().center()).manhattanLength(), 4);
        QTest::mouseClick(f3->Button1, Qt::LeftButton);
        EXPECT_FALSE(f3->isVisible());
    });
    Ui(*form).Act.ShowSheme->trigger();
    EXPECT_TRUE(seen);
}

TEST_F(WindowTest, ErrorInAHandlerShowsTheErrorBoxAndTheWindowGoesOn)
{
    QString text, caption;
    AnswerNextModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        text = box->text();
        caption = box->windowTitle();
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        box->accept();
    });
    SafeCall([] { throw std::runtime_error("Unable to open com port (win error code: 2)"); });
    EXPECT_EQ(text, "Unable to open com port (win error code: 2)"); // ends in ")": no "." added
    EXPECT_EQ(caption, QApplication::applicationName());

    AnswerNextModal([&](QWidget *w) { text = static_cast<QMessageBox *>(w)->text(); });
    SafeCall([] { throw std::runtime_error("File not found"); });
    EXPECT_EQ(text, "File not found.");

    // The window still works afterwards.
    Ui(*form).Act.SwapByte->trigger();
    EXPECT_EQ(Cell(0), "FFFF");
}

TEST(ErrorBoxText, FullStopRuleAndTitle)
{
    EXPECT_EQ(ErrorBoxText("Disk full"), "Disk full.");
    EXPECT_EQ(ErrorBoxText("ends with a full stop."), "ends with a full stop.");
    EXPECT_EQ(ErrorBoxText("ends with a comma,"), "ends with a comma,"); // "," sorts before "."
    EXPECT_EQ(ErrorBoxText("(code 3)"), "(code 3)");
    EXPECT_EQ(ErrorBoxText(""), "");
    EXPECT_EQ(ApplicationTitleFromPath("/usr/local/bin/quillon"), "Quillon");
    EXPECT_EQ(ApplicationTitleFromPath("C:/Tools/QUILLON.EXE"), "Quillon");
}

} // namespace

// Windows has no DejaVu Sans: a wider font took its place and cut "Addr:"
// to "Addr". Every label must show its whole text whatever font it gets, in
// either language: not cut by its own width or its parent's ("fr" for
// "from"), not covered by a field beside it ("Local oscillato"); and every
// caption of the series list whole ("ID befor", "Результа").
class WindowFonts : public ::testing::TestWithParam<Language> { };

static QString Covered(const QLabel *label)
{
    const QString text = label->text();
    const QFontMetrics metrics = label->fontMetrics();
    const QRect inLabel = QStyle::alignedRect(
        label->layoutDirection(), label->alignment(),
        QSize(metrics.horizontalAdvance(text), std::min(metrics.height(), label->contentsRect().height())),
        label->contentsRect());
    if (!label->contentsRect().contains(inLabel))
        return QStringLiteral("wider than the label");
    const QRect shown = inLabel.translated(label->pos());
    const QWidget *parent = label->parentWidget();
    if (!parent->rect().contains(shown))
        return QStringLiteral("beyond its parent ") + parent->objectName();
    for (const QObject *o : parent->children()) {
        const auto *sibling = qobject_cast<const QWidget *>(o);
        if (sibling && sibling != label && !sibling->isHidden() && sibling->geometry().intersects(shown))
            return QStringLiteral("under ") + sibling->objectName();
    }
    return QString();
}

TEST_P(WindowFonts, EveryLabelFitsItsTextUnderAWideFont)
{
    const QFont before = QApplication::font();
    // A tenth wider than the window's own 11-pixel DejaVu Sans.
    QFont wide(QStringLiteral("DejaVu Sans"));
    wide.setPixelSize(12);
    // Where the family is missing (wine has none of it) the stand-in is a
    // font no user's system shows, and the widths say nothing.
    if (QFontInfo(wide).family() != wide.family())
        GTEST_SKIP() << "DejaVu Sans is not installed here";
    ASSERT_TRUE(InstallLanguage(GetParam()));
    QApplication::setFont(wide);
    {
        TForm1 form;
        form.show();
        for (QLabel *label : form.findChildren<QLabel *>()) {
            if (label->text().isEmpty() || !label->pixmap().isNull() || label->wordWrap() || label->isHidden())
                continue;
            EXPECT_EQ(Covered(label).toStdString(), "")
                << label->objectName().toStdString() << " \"" << label->text().toStdString() << "\"";
        }
        SeriesLanes series;
        series.AddLane(form.Session, form, QStringLiteral("COM1"));
        TSeriesWindow window(series, nullptr);
        window.show();
        const QHeaderView *header = window.UnitList->header();
        for (int c = 0; c + 1 < header->count(); ++c) // the last one stretches
            EXPECT_GE(header->sectionSize(c), header->sectionSizeHint(c))
                << window.UnitList->headerItem()->text(c).toStdString();
    }
    QApplication::setFont(before);
    InstallLanguage(Language::Russian);
}

namespace {

JobOutcome CutWrite(EngineJob job, int first, int last, int confirmed, int possibly)
{
    JobOutcome o;
    o.job = job;
    o.first = first;
    o.last = last;
    o.fault.Kind = EngineFault::NoEcho;
    o.fault.Sent = '\r';
    o.fault.Addr = uint8_t(possibly + 1);
    o.fault.Where = FaultRecord::Place::Char;
    o.fault.Command = "M05123412341234123412345\r";
    o.fault.CharPos = 25;
    o.written = SplitWrite(first, last, confirmed, possibly);
    return o;
}

JobOutcome Compared(bool verify, int differ)
{
    JobOutcome o;
    o.job = verify ? EngineJob::Read258 : EngineJob::Write258;
    o.verify = verify;
    o.completed = true;
    o.first = 0;
    o.last = 0x3F;
    o.check = verify ? JobOutcome::Check::None : JobOutcome::Check::Completed;
    for (int a = 0; a < differ; ++a)
        o.diffs.push_back({a, 0x1111, 0x2222});
    return o;
}

JobOutcome ReadFailed(EngineFault kind, char came, int replyChars)
{
    JobOutcome o;
    o.job = EngineJob::Read258;
    o.last = 0x3F;
    o.fault = {kind, 'm', came, replyChars, 0x3B, 0, "m3B\r", FaultRecord::Place::Reply};
    return o;
}

} // namespace

// At the window's fixed size panel 1 is what the status bar has left: a job's
// outcome must show there whole, in Russian and in English ("Телефон принял
// слова 00-09, не получи…" hid what mattered), and the whole text is a click
// on the panel away.
TEST(StatusPanel, AJobsOutcomeFitsPanel1InBothLanguages)
{
    if (QFontDatabase::families().isEmpty())
        GTEST_SKIP() << "no font to measure with (the offscreen platform under wine has none)";
    const QFont before = QApplication::font();
    // A tenth wider than the window's own 11-pixel DejaVu Sans; where that is
    // missing (Windows), the system's own font, which the window gets there.
    QFont wide(QStringLiteral("DejaVu Sans"));
    if (QFontInfo(wide).family() != wide.family())
        wide = before;
    wide.setPixelSize(12);
    QApplication::setFont(wide);
    JobOutcome checkFailed = Compared(false, 0);
    checkFailed.check = JobOutcome::Check::Failed;
    checkFailed.checkFault = ReadFailed(EngineFault::ShortReply, 0, 12).fault;
    const JobOutcome outcomes[] = {
        CutWrite(EngineJob::Write258, 0x00, 0x3F, 0x04, 0x09),
        CutWrite(EngineJob::Write258, 0x00, 0x3F, 0x3D, 0x3E),
        CutWrite(EngineJob::Write258, 0x00, 0x3F, -1, 0x04),
        CutWrite(EngineJob::WriteBlock, 0x30, 0x3F, 0x34, 0x34),
        Compared(true, 1),
        Compared(true, 64),
        Compared(true, 0),
        Compared(false, 12),
        checkFailed,
        ReadFailed(EngineFault::WrongEcho, '\x7f', 0),
        ReadFailed(EngineFault::NoBang, '\x7f', 0),
        ReadFailed(EngineFault::ShortReply, 0, 22),
    };
    for (Language language : {Language::Russian, Language::English}) {
        ASSERT_TRUE(InstallLanguage(language));
        TForm1 form;
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        // The status bar gives panel 1 the rest of the window once it is laid out.
        QTest::qWaitFor([&] { return Ui(form).StatusPanel1->width() > Ui(form).StatusPanel1->minimumWidth(); }, 2000);
        SCOPED_TRACE(QStringLiteral("panel 1: %1 px, font %2")
                         .arg(Ui(form).StatusPanel1->contentsRect().width())
                         .arg(QFontInfo(Ui(form).StatusPanel1->font()).family())
                         .toStdString());
        for (const JobOutcome &o : outcomes) {
            const JobReport report = ReportJob(o);
            const QString whole = report.whole.isEmpty() ? report.panel : report.whole;
            SCOPED_TRACE(whole.toStdString());
            form.ShowPanel1(report.panel, report.whole);
            const QString shown = Ui(form).StatusPanel1->text();
            EXPECT_EQ(shown, report.panel); // not elided
            EXPECT_LE(Ui(form).StatusPanel1->fontMetrics().horizontalAdvance(shown),
                      Ui(form).StatusPanel1->contentsRect().width());
            EXPECT_EQ(form.StatusText(1), report.panel);
            EXPECT_EQ(Ui(form).StatusPanel1->toolTip(), whole);
            if (whole == shown)
                continue;
            QString boxed;
            AnswerNextModal([&](QWidget *w) {
                if (auto *box = qobject_cast<QMessageBox *>(w))
                    boxed = box->text();
            });
            QTest::mouseClick(Ui(form).StatusPanel1, Qt::LeftButton);
            EXPECT_EQ(boxed, whole);
        }
    }
    InstallLanguage(Language::Russian);
    QApplication::setFont(before);
}

// The port list starts on the port opened last; a name the list has not
// (from an older setting, or none at all) leaves it on COM1.
TEST(PortList, StartsOnThePortOpenedLast)
{
    const struct {
        const char *stored, *shown;
    } cases[] = {{"COM7", "COM7"}, {"COM15", "COM15"}, {"", "COM1"}, {"COM99", "COM1"}};
    for (const auto &c : cases) {
        Settings::SetPortName(QString::fromLatin1(c.stored));
        TForm1 form;
        EXPECT_EQ(Ui(form).ComboBox1->currentText(), QString::fromLatin1(c.shown)) << c.stored;
    }
    Settings::SetPortName(QString());
}

// The exchange window lined up the wire's columns only in a monospaced font;
// Windows' fixed font was missing under wine and a serif took its place.
TEST_F(WindowTest, TheExchangeIsShownInAMonospacedFont)
{
    if (QFontDatabase::families().isEmpty())
        GTEST_SKIP() << "no font to choose from (the offscreen platform under wine has none)";
    bool fixed = false;
    QString family;
    AnswerNextModal([&](QWidget *w) {
        if (auto *dialog = dynamic_cast<TTraceDialog *>(w)) {
            const QFontInfo info(dialog->Text->font());
            fixed = info.fixedPitch();
            family = info.family();
        }
    });
    Ui(*form).Act.ShowTrace->trigger();
    EXPECT_TRUE(fixed) << family.toStdString();
}
INSTANTIATE_TEST_SUITE_P(BothLanguages, WindowFonts, ::testing::Values(Language::Russian, Language::English),
                         [](const auto &info) { return info.param == Language::English ? "English" : "Russian"; });
