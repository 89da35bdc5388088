// Opening and closing the port from the window (F9, F10, closing the window),
// on a pseudo-terminal that stands in for the serial device.

#include "Arrangement.h"
#include "ModalHelper.h"
#include "app/ErrorBox.h"
#include "app/Settings.h"
#include "app/Unit1.h"
#include "FormUi.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

class PortWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(master, 0);
        ASSERT_EQ(::grantpt(master), 0);
        ASSERT_EQ(::unlockpt(master), 0);
        slave = QString::fromLocal8Bit(::ptsname(master));
        qputenv("QUILLON_COM1", QFile::encodeName(slave));
        qputenv("QUILLON_COM12", QFile::encodeName(slave));
        qputenv("QUILLON_COM3", "/dev/quillon-no-such-tty");
        QApplication::setApplicationName(ApplicationTitleFromPath("quillon"));
        Settings::SetPortName(QString()); // each test starts as the first start does, on COM1

        form = std::make_unique<TForm1>();
        // Count the notifications on their way to the window's handlers.
        auto open = form->COM.OnAfterOpen, close = form->COM.OnAfterClose;
        form->COM.OnAfterOpen = [this, open] { ++afterOpen; open(); };
        form->COM.OnAfterClose = [this, close] { ++afterClose; close(); };
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void TearDown() override
    {
        form.reset();
        ::close(master);
        for (const char *name : {"QUILLON_COM1", "QUILLON_COM12", "QUILLON_COM3"})
            qunsetenv(name);
    }

    void Press(Qt::Key key) { QTest::keyClick(form.get(), key); }

    void ExpectArrangement(bool portOpen) { ExpectPortArrangement(*form, portOpen); }

    int master = -1;
    QString slave;
    std::unique_ptr<TForm1> form;
    int afterOpen = 0;
    int afterClose = 0;
};

} // namespace

TEST_F(PortWindowTest, F9OpensAndF10ClosesThePort)
{
    ExpectArrangement(false);
    Press(Qt::Key_F9);
    ExpectArrangement(true);
    EXPECT_EQ(form->COM.Port, "COM1");
    termios line {};
    ASSERT_EQ(::tcgetattr(master, &line), 0); // the slave's settings
    EXPECT_EQ(cfgetospeed(&line), speed_t(B300));

    Press(Qt::Key_F10);
    ExpectArrangement(false);
    EXPECT_EQ(afterOpen, 1);
    EXPECT_EQ(afterClose, 1);
}

TEST_F(PortWindowTest, ComTwelveOpensLikeComOne)
{
    Ui(*form).ComboBox1->setCurrentText("COM12");
    Press(Qt::Key_F9);
    ExpectArrangement(true);
    EXPECT_EQ(form->COM.Port, "COM12");
}

// Every start was on COM1: the port opened last is where the next start
// begins; one that failed to open is not remembered.
TEST_F(PortWindowTest, TheNextStartBeginsOnThePortOpenedLast)
{
    Ui(*form).ComboBox1->setFocus();
    for (int i = 0; i < 11; ++i)
        QTest::keyClick(Ui(*form).ComboBox1, Qt::Key_Down);
    ASSERT_EQ(Ui(*form).ComboBox1->currentText(), "COM12");
    Press(Qt::Key_F9);
    ExpectArrangement(true);
    Press(Qt::Key_F10);
    Ui(*form).ComboBox1->setCurrentText("COM3");
    AnswerNextModal([](QWidget *) {}); // the error box of a missing device
    Press(Qt::Key_F9);
    ExpectArrangement(false);
    form.reset();
    TForm1 next;
    EXPECT_EQ(Ui(next).ComboBox1->currentText(), "COM12");
}

TEST_F(PortWindowTest, DisabledShortcutsDoNothing)
{
    Press(Qt::Key_F10);
    EXPECT_EQ(afterClose, 0);
    ExpectArrangement(false);

    Press(Qt::Key_F9);
    // Another port chosen while open is not taken up by a second F9.
    Ui(*form).ComboBox1->setCurrentText("COM3");
    Press(Qt::Key_F9);
    EXPECT_EQ(afterOpen, 1);
    EXPECT_EQ(form->COM.Port, "COM1");
    ExpectArrangement(true);
}

TEST_F(PortWindowTest, MissingDeviceShowsTheErrorBoxAndLeavesThePortClosed)
{
    Ui(*form).ComboBox1->setCurrentText("COM3");
    QString text, caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    AnswerNextModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        text = box->text();
        caption = box->windowTitle();
        icon = box->icon();
        box->accept();
    });
    Press(Qt::Key_F9);
    EXPECT_EQ(text, "Unable to open com port (win error code: 2)");
    EXPECT_EQ(caption, "Quillon");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(afterOpen, 0);
    ExpectArrangement(false);

    // Another port can be chosen and opened afterwards.
    Ui(*form).ComboBox1->setCurrentText("COM1");
    // The offscreen platform hands activation back to no one after a box.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    Press(Qt::Key_F9);
    ExpectArrangement(true);
}

TEST_F(PortWindowTest, ClosingTheWindowClosesThePort)
{
    Press(Qt::Key_F9);
    ASSERT_TRUE(form->COM.Connected());
    form->close();
    EXPECT_EQ(afterClose, 1);
    ExpectArrangement(false);

    // The device is free for the next program.
    TComPort next;
    next.Open();
    EXPECT_TRUE(next.Connected());
}
