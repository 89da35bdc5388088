#include "app/Unit1.h"

#include "app/ActionTable.h"
#include "app/ErrorBox.h"
#include "app/HelpWindow.h"
#include "app/Pictures.h"
#include "app/Settings.h"
#include "app/TermSignal.h"
#include "app/Translations.h"
#include "app/Unit2.h"
#include "app/Unit4.h"
#include "image/DeviceModels.h"
#include "image/ImageFile.h"
#include "link/PortNames.h"
#include "app/SeriesController.h"
#include "radio/ui/PairingPage.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QApplication>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>

// The pictures live in a static library: make sure its resources are linked in.
static void InitPictures()
{
    Q_INIT_RESOURCE(resources);
}

TForm1::TForm1(QWidget *parent) : QWidget(parent)
{
    InitPictures();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quillon 258/258+"));
    setWindowIcon(PictureIcon(QStringLiteral("app"), QSize(32, 32)));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(363, 354);
    move(202, 272);

    Dialogs = std::make_unique<QtFileDialogs>(this);
    CreateActions();
    CreateVerifyActions();
    CreateMenus();
    CreateToolBar();
    CreateControls();

    COM.OnAfterOpen = [this] { COMAfterOpen(); };
    COM.OnAfterClose = [this] { COMAfterClose(); };

    // The engine's driving goes through the window's handlers, and what they
    // raise to the error box.
    Driver.OnTimer1 = [this] { SafeCall([this] { Timer1Timer(); }); };
    Driver.OnIdle = [this] { SafeCall([this] { ApplicationEvents1Idle(); }); };
    // A job's end (why it failed, what a check found) shows in panel 1 and
    // in marked cells until the next job starts.
    // A series' jobs are on its own units: their results belong in the
    // series window and its log, not on this window's image.
    connect(&Driver, &EngineDriver::JobStarted, this, [this] {
        ShowPanel1(QString());
        ClearMarksExecute();
    });
    CreateSeries();
    Session.BackupModel = [this] { return DeviceModel(); };

    WatchModelAndComment();
    Act.Redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});

    AboutBox = new TAboutBox(this);
    Form3 = new TForm3(this);

    FormCreate();
}

TForm1::~TForm1()
{
    TermWatch.reset();
}

void TForm1::CreateControls()
{
    PageControl2 = new QTabWidget(this);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    PageControl2->setGeometry(0, 51, 361, 233);
    PageControl2->setDocumentMode(true);
    TabSheet5 = new QWidget;
    TabSheet6 = new QWidget;
    TabSheet7 = new QWidget;
    TabSheet5->setObjectName(QStringLiteral("TabSheet5"));
    TabSheet6->setObjectName(QStringLiteral("TabSheet6"));
    TabSheet7->setObjectName(QStringLiteral("TabSheet7"));
    TabSheet8 = new PairingPage(Doc, Act.PairFromBase);
    TabSheet8->setObjectName(QStringLiteral("TabSheet8"));
    PageControl2->addTab(TabSheet5, tr("Буфер"));
    PageControl2->addTab(TabSheet6, tr("Инфо"));
    PageControl2->addTab(TabSheet7, tr("Частота"));
    PageControl2->addTab(TabSheet8, tr("Связь"));
    CreateBufferPage();
    CreateInfoPage();
    CreateFreqPage();
    CreatePairPage();
    // The frequency page fills itself when shown and stores itself when left.
    connect(PageControl2, &QTabWidget::currentChanged, this, [this](int index) {
        static constexpr int FreqPage = 2;
        const int previous = PageControl2->property("previousPage").toInt();
        PageControl2->setProperty("previousPage", index);
        if (previous == FreqPage && index != FreqPage)
            SafeCall([this] { TabSheet7Hide(); });
        if (index == FreqPage && previous != FreqPage)
            SafeCall([this] { TabSheet7Show(); });
        static constexpr int PairPage = 3; // always shows the image: no fill on showing
        if (previous == PairPage && index != PairPage)
            SafeCall([this] { PairPageHide(); });
    });
    PageControl2->setProperty("previousPage", 0);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(293, 51, 65, 21);
    for (int n = 1; n <= kComPortCount; ++n) {
        const QString name = ComName(n);
        ComboBox1->addItem(name);
        ComboBox1->setItemData(n - 1, PortDevicePath(name), Qt::ToolTipRole);
    }
    // The port last opened, as a technician's converter stays on one port.
    ComboBox1->setCurrentIndex(std::max(0, ComboBox1->findText(Settings::PortName())));
    // Marks for the devices present, looked at again whenever the list is opened.
    MarkPresentPorts();
    ComboBox1->installEventFilter(this);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, [this] { ShowPortTip(); });
    ComboBox1->raise();

    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setGeometry(0, 287, 145, 21);
    for (const char *m : DeviceModelNames)
        ComboBox2->addItem(QCoreApplication::translate("Quillon", m));
    ComboBox2->setCurrentIndex(0);

    Label1 = new QLabel(tr("Версия 3.4 от 04.04.2003"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(152, 287, 208, 16);
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPixelSize(13);
    Label1->setFont(bold);
    Label1->setStyleSheet(QStringLiteral("color: red;"));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(148, 288, 211, 17);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Gauge1 = new QProgressBar(Panel1);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setGeometry(1, 1, 209, 15);
    Gauge1->setTextVisible(false);
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    SetGaugeColor(GaugeColor::Red);
    Panel1->hide();

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(0, 312, 233, 21);
    Edit1->setMaxLength(kMaxCommentChars); // what a file may carry, so a load is never cut

    Label14 = new QLabel(QStringLiteral("XP Version"), this);
    Label14->setObjectName(QStringLiteral("Label14"));
    Label14->setGeometry(240, 310, 122, 24);
    QFont big = Label14->font();
    big.setPixelSize(21);
    Label14->setFont(big);
    Label14->setStyleSheet(QStringLiteral("color: rgb(56, 135, 222);"));
    FitLabelText(Label14, true);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setGeometry(0, 335, 363, 19);
    StatusBar1->setSizeGripEnabled(false);
    StatusPanel0 = new QLabel(StatusBar1);
    StatusPanel1 = new QLabel(StatusBar1);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    for (QLabel *p : {StatusPanel0, StatusPanel1})
        p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusPanel0->setFixedWidth(100);
    // Panel 1 tells how a job ended: it takes the rest of the bar, so the
    // outcome can be read.
    StatusPanel1->setMinimumWidth(150);
    StatusBar1->addWidget(StatusPanel0);
    StatusBar1->addWidget(StatusPanel1, 1);
    StatusPanel1->installEventFilter(this);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == StatusPanel1 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        StatusPanel1Click();
        return true;
    }
    if (watched == ComboBox1 && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress))
        MarkPresentPorts();
    if (watched == StringGrid1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            SafeCall([this] { StringGrid1KeyPress(13); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // A series ends as "Стоп" ends it; the window closes once it has.
    if (SeriesRuns()) {
        event->ignore();
        CloseAfterSeries = true;
        Series->Stop();
        return;
    }
    // A write cut off anywhere leaves the telephone with half an image: it is
    // cancelled as Esc does, between commands, and the window closes when the
    // job has ended.
    if (WriteJobRuns()) {
        event->ignore();
        if (CloseAfterJob)
            return;
        if (!Terminating
            && !AskYesNo(this, tr("Идёт запись: телефон останется с неполным образом. "
                                  "Прервать и закрыть?")))
            return;
        if (WriteJobRuns()) {
            CloseAfterJob = true;
            Driver.Cancel();
            return;
        }
        event->accept(); // the job ended while the question was open
    }
    // A running read is abandoned as it always was; otherwise work that
    // exists nowhere else is not dropped without a question.
    if (!Engine.Active && !Terminating && !AskToSaveChanges()) {
        event->ignore();
        return;
    }
    SafeCall([this] { FormClose(); });
    event->accept();
}

bool TForm1::WriteJobRuns() const
{
    // The engine's own job: during a write's read-back the write has ended.
    return Engine.Active && Engine.Writing;
}

void TForm1::WatchTermSignal()
{
    TermWatch = std::make_unique<TermSignal>([this] { TerminateRequested(); });
}

void TForm1::TerminateRequested()
{
    Terminating = true;
    close();
}

void TForm1::FormCreate()
{
    RefreshBufExecute(); // the document starts blank
    UpdateUndoActions();
}

// The two small windows open in the middle of the screen, wherever the main
// window stands. A dialog that was moved is not re-centred on its parent.
static void CentreOnScreen(QWidget *w, const QScreen *screen)
{
    if (!screen)
        return;
    QRect r(QPoint(), w->size());
    r.moveCenter(screen->geometry().center());
    w->move(r.topLeft());
}

void TForm1::AbuotBoxExecute()
{
    AboutBox->OKButton->setFocus();
    CentreOnScreen(AboutBox, screen());
    AboutBox->exec();
}

void TForm1::ShowShemeExecute()
{
    CentreOnScreen(Form3, screen());
    Form3->exec();
}

void TForm1::LangRussianExecute()
{
    ChooseLanguage(false);
}

void TForm1::LangEnglishExecute()
{
    ChooseLanguage(true);
}

void TForm1::ChooseLanguage(bool english)
{
    Act.LangRussian->setChecked(!english);
    Act.LangEnglish->setChecked(english);
    const Language chosen = english ? Language::English : Language::Russian;
    if (chosen == StoredLanguage())
        return;
    StoreLanguage(chosen);
    // Said in the language chosen: the window itself keeps its language until then.
    Dialogs->Information(english ? QStringLiteral("The window will be in English from the next start.")
                                 : QStringLiteral("Окно будет на русском со следующего запуска."));
}

void TForm1::HelpExecute()
{
    if (!HelpWindow)
        HelpWindow = new THelpWindow(this);
    HelpWindow->show();
    HelpWindow->raise();
    HelpWindow->activateWindow();
}

void TForm1::SetGaugeMax(int max)
{
    Gauge1->setMaximum(max);
}

void TForm1::SetGaugeProgress(int progress)
{
    Gauge1->setValue(qBound(0, progress, Gauge1->maximum()));
}

int TForm1::GaugeProgress() const
{
    return Gauge1->value();
}

void TForm1::SetGaugeColor(GaugeColor color)
{
    QPalette pal = Gauge1->palette();
    pal.setColor(QPalette::Highlight, color == GaugeColor::Red ? Qt::red : Qt::blue);
    pal.setColor(QPalette::Base, palette().color(QPalette::Button));
    Gauge1->setPalette(pal);
    Gauge1->setProperty("foreColor", color == GaugeColor::Red ? QStringLiteral("red") : QStringLiteral("blue"));
}

void TForm1::SetProgressPanelVisible(bool visible)
{
    Panel1->setVisible(visible);
}

void TForm1::SetCancelEnabled(bool enabled)
{
    // Esc cancels while anything runs (a series also between its jobs), and
    // takes the marks away otherwise.
    Act.CancelProg->setEnabled(enabled || SeriesRuns());
    Act.ClearMarks->setEnabled(!Act.CancelProg->isEnabled() && CellsMarked());
}

void TForm1::ShowStatus(const QString &text)
{
    StatusPanel0->setText(QCoreApplication::translate("Quillon", text.toUtf8()));
}

void TForm1::ShowPanel1(const QString &text, const QString &whole)
{
    // Before the bar is laid out its width means nothing: the text is then
    // clipped, not elided. What does not show is in the tooltip and a click away.
    Panel1Text = text;
    Panel1Whole = whole.isEmpty() ? text : whole;
    StatusPanel1->setText(StatusPanel1->isVisible() ? StatusPanel1->fontMetrics().elidedText(
                                                          text, Qt::ElideRight, StatusPanel1->contentsRect().width())
                                                    : text);
    StatusPanel1->setToolTip(Panel1Whole);
    if (Panel1Whole != StatusPanel1->text())
        StatusPanel1->setCursor(Qt::PointingHandCursor);
    else
        StatusPanel1->unsetCursor();
}

void TForm1::StatusPanel1Click()
{
    if (Panel1Whole.isEmpty() || Panel1Whole == StatusPanel1->text())
        return;
    QMessageBox box(QMessageBox::Information, QApplication::applicationName(), Panel1Whole, QMessageBox::Ok, this);
    box.exec();
}

QString TForm1::StatusText(int panel) const
{
    return panel == 0 ? StatusPanel0->text() : Panel1Text;
}

int TForm1::DeviceModel() const
{
    return Doc.Model();
}

void TForm1::SetDeviceModel(int index)
{
    Doc.EditModel(index);
}
