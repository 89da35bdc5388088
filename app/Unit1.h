#pragma once

// The main window. It owns the image document, the port, the engine and every control;
// the handlers are grouped by subsystem: the shell's live in app/Unit1.cpp,
// the others in the ui/ subfolders of image/, radio/ and link/.

#include "app/Controls.h"
#include "image/EepromImage.h"
#include "link/EngineIo.h"

// ---- port (link/) ----
#include "link/CPort.h"
// ---- engine (link/) ----
#include "link/Engine.h"
#include "link/EngineDriver.h"
#include "link/ProgrammingSession.h"
// ---- files and presets (image/) ----
#include "image/Comparison.h"
#include "image/FileDialogs.h"
#include "image/GridMarks.h"
#include "image/ImageDocument.h"
// ---- frequency page (radio/) ----
#include "radio/FreqCalc.h"

#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

struct ImageFileCheck;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabWidget;
class QTableWidget;
class QToolBar;
class QTreeWidget;
class PairingPage;
class TAboutBox;
class TForm3;
class THelpWindow;
class TermSignal;
class TSeriesController;

// Every command of the window, by its action name.
struct TActions {
    QAction *RefreshBuf = nullptr;
    QAction *OpenPort = nullptr;
    QAction *ClosePort = nullptr;
    QAction *Read258 = nullptr;
    QAction *Write258 = nullptr;
    QAction *ReadBlock = nullptr;
    QAction *WriteBlock = nullptr;
    QAction *ReadCur = nullptr;
    QAction *WriteCur = nullptr;
    QAction *SaveFile = nullptr;
    QAction *LoadFile = nullptr;
    QAction *ClearBuf = nullptr;
    QAction *FileExit1 = nullptr;
    QAction *AbuotBox = nullptr;
    QAction *FillList = nullptr;
    QAction *CancelProg = nullptr;
    QAction *ShowSheme = nullptr;
    QAction *L258Hand10625 = nullptr;
    QAction *L258Hand12800 = nullptr;
    QAction *L258Hand21250 = nullptr;
    QAction *L258Base10625 = nullptr;
    QAction *L258Base12800 = nullptr;
    QAction *L258Base21250 = nullptr;
    QAction *L258PHand12800 = nullptr;
    QAction *L258PHand21250 = nullptr;
    QAction *L258PBase12800 = nullptr;
    QAction *L258PBase21250 = nullptr;
    QAction *L258Hand21250Ukr = nullptr;
    QAction *L258Base21250Ukr = nullptr;
    QAction *SwapByte = nullptr;
    QAction *Undo = nullptr;
    QAction *Redo = nullptr;
    QAction *Backups = nullptr;
    QAction *ProbeLine = nullptr; // does the telephone answer
    QAction *PairFromBase = nullptr; // "Взять у базы..."
    QAction *ShowTrace = nullptr;    // "Показать обмен"
    QAction *Help = nullptr;         // "Справка": the guide
    QAction *VerifyAfterWrite = nullptr; // checkable, remembered between runs
    QAction *CompareWithPhone = nullptr;
    QAction *CompareWithFile = nullptr;
    QAction *ClearMarks = nullptr;
    QAction *Series = nullptr;       // "Серия..."
    QAction *LangRussian = nullptr;  // "Язык / Language": the window's language
    QAction *LangEnglish = nullptr;
};

class TForm1 : public QWidget, public IEngineWindow {
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // ================= shared state =================
    ImageDocument Doc; // the image, its model and comment, and their history
    // The port, the engine and its driver; the window starts the jobs and
    // shows what the session reports. Only the session writes the words
    // themselves (a read, word by word); the handlers change them in steps.
    ProgrammingSession Session{Doc.Words()};
    uint8_t SelectedAddr = 0; // word address of the selected grid cell

    // The controls are the handlers' own (private, below); tests find them by their names.

    // ================= shell (app/Unit1.cpp) =================
    void AbuotBoxExecute();
    void ShowShemeExecute();
    void HelpExecute();
    // Remembers the language for the next start, which shows it.
    void LangRussianExecute();
    void LangEnglishExecute();
    // IEngineWindow's status text (its other calls are private, below); panels 0 and 1.
    void ShowStatus(const QString &text) override;
    QString StatusText(int panel) const;
    // Panel 1: how the last job ended, a backup's fate, a probe's result;
    // empty while a job runs. `text` is what fits; `whole`, when there is
    // more to say, is the tooltip and the box a click on the panel opens.
    void ShowPanel1(const QString &text, const QString &whole = QString());
    int DeviceModel() const; // the document's model index, -1 for none
    void SetDeviceModel(int index); // the document's model, as the program sets it (no step)

    // ================= grid editor (image/ui/GridHandlers.cpp) =================
    void RefreshBufExecute();
    void ClearBufExecute();
    void SwapByteExecute();
    void ClearMarksExecute();
    bool CellsMarked() const { return !Marks.Empty(); }

    // ================= port (link/ui/PortHandlers.cpp) =================
    TComPort &COM = Session.COM;
    void OpenPortExecute();
    void ClosePortExecute();
    // SIGTERM: a running write is cancelled as Esc does, then the window
    // closes without questions.
    void WatchTermSignal();
    bool Terminating = false;
    static constexpr int PresentRole = Qt::UserRole + 1; // the port list item's device is present

    // ================= checks of the telephone (link/ui/VerifyHandlers.cpp) =================
    void VerifyAfterWriteExecute();
    void CompareWithPhoneExecute();

    // ================= line probe (link/ui/ProbeHandlers.cpp) =================
    void ProbeLineExecute();

    // ================= series of telephones (link/ui/SeriesHandlers.cpp) =================
    void SeriesExecute();
    bool SeriesRuns() const;
    TSeriesController *Series = nullptr; // its lanes and its window

    // ================= engine (link/ui/EngineHandlers.cpp) =================
    ProgrammingEngine &Engine = Session.Engine;
    EngineDriver &Driver = Session.Driver; // Timer1, prompt steps, the port notifier
    QTimer &Timer1 = Driver.Timer1;   // the tick source; runs only during a job
    void Write258Execute();
    void Read258Execute();
    void WriteBlockExecute();
    void ReadBlockExecute();
    void WriteCurExecute();
    void ReadCurExecute();
    void CancelProgExecute();
    void ShowTraceExecute(); // the last job's characters on the wire
    void SetTickInterval(int ms); // tests only; the program keeps its own period

    // ================= information list (radio/ui/InfoHandlers.cpp) =================
    void FillListExecute();

    // ================= frequency page (radio/ui/FreqHandlers.cpp) =================
    FreqPage Freq; // RefKHz, IfKHz, StepKHz and whether a field changed
    void TabSheet7Show();
    void TabSheet7Hide();
    void Button2Click();
    void Button3Click();
    void Edit3Exit();
    void Edit4Exit();
    void MaskEdit3Exit();
    void MaskEdit4Exit();
    void MaskEdit5Exit();

    // ================= pairing page (radio/ui/PairingHandlers.cpp) =================
    void PairFromBaseExecute();
    void RestoreIdExecute();

    // ================= image files (image/ui/FileHandlers.cpp) =================
    void SaveFileExecute();
    void LoadFileExecute();
    void CompareWithFileExecute(); // marks where a file differs; no step
    // The real dialogs from the start (every path that asks uses them); tests
    // put their own in place.
    std::unique_ptr<FileDialogs> Dialogs;

    // ================= presets (image/ui/PresetHandlers.cpp) =================
    void LoadPreset(int p);
    void L258Hand10625Execute();
    void L258Hand12800Execute();
    void L258Hand21250Execute();
    void L258Base10625Execute();
    void L258Base12800Execute();
    void L258Base21250Execute();
    void L258PHand12800Execute();
    void L258PHand21250Execute();
    void L258PBase12800Execute();
    void L258PBase21250Execute();
    void L258Hand21250UkrExecute();
    void L258Base21250UkrExecute();

    // ========== undo, backups, unsaved work (image/ui/UndoHandlers.cpp, image/ui/BackupHandlers.cpp) ==========
    void UndoExecute();
    void RedoExecute();
    void BackupsExecute();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The handlers' own state: tests see the window as a person does.
    const EepromImage &Buf = Doc.Image(); // the one EEPROM image, as the handlers read it
    // Closing waits for the cancelled write job to end.
    bool CloseAfterJob = false;
    std::unique_ptr<TermSignal> TermWatch;
    std::optional<EngineJob> RunningJob;
    ImageState JobBefore; // the state when the running job started
    GridMarks Marks;      // the cells a check marked, and the words it was made against

    // ---- the controls, which tests find by their names ----
    TActions Act;
    QMenuBar *ActionMainMenuBar1 = nullptr;
    QToolBar *ActionToolBar1 = nullptr;
    QMenu *PresetMenu = nullptr; // "Стандартные для..."
    QTabWidget *PageControl2 = nullptr;
    QWidget *TabSheet5 = nullptr; // "Буфер"
    QWidget *TabSheet6 = nullptr; // "Инфо"
    QWidget *TabSheet7 = nullptr; // "Частота"
    PairingPage *TabSheet8 = nullptr; // "Связь": the page owns its fields (radio/ui/PairingPage.h)
    QComboBox *ComboBox1 = nullptr; // port list
    QComboBox *ComboBox2 = nullptr; // model list (DeviceModel)
    QLabel *Label1 = nullptr;       // version label
    QFrame *Panel1 = nullptr;       // progress panel
    QProgressBar *Gauge1 = nullptr;
    QLineEdit *Edit1 = nullptr;     // comment
    QLabel *Label14 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *StatusPanel0 = nullptr; // engine status
    QLabel *StatusPanel1 = nullptr; // the cause of a failed job

    // "Буфер"
    QTableWidget *StringGrid1 = nullptr;
    QLabel *Label13 = nullptr;
    QLabel *Label12 = nullptr;
    TMaskEdit *MaskEdit1 = nullptr;
    QPlainTextEdit *DeScrypt = nullptr;

    // "Инфо"
    QTreeWidget *Prop = nullptr;

    // "Частота"
    QGroupBox *GroupBox2 = nullptr;
    QRadioButton *RadioButton3 = nullptr;
    QRadioButton *RadioButton4 = nullptr;
    QRadioButton *RadioButton5 = nullptr;
    TMaskEdit *Edit2 = nullptr;
    QGroupBox *GroupBox3 = nullptr;
    TMaskEdit *Edit3 = nullptr;
    TMaskEdit *MaskEdit3 = nullptr;
    TMaskEdit *Edit4 = nullptr;
    TMaskEdit *MaskEdit4 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    TMaskEdit *MaskEdit5 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;
    QPlainTextEdit *FreqNote = nullptr;

    TAboutBox *AboutBox = nullptr;
    TForm3 *Form3 = nullptr;
    THelpWindow *HelpWindow = nullptr; // made on first use

    // ---- the handlers the window wires to its own controls, and IEngineWindow ----
    void FormCreate();
    // IEngineWindow: gauge, panel, status
    void SetGaugeMax(int max) override;
    void SetGaugeProgress(int progress) override;
    int GaugeProgress() const override;
    void SetGaugeColor(GaugeColor color) override;
    void SetProgressPanelVisible(bool visible) override;
    void SetCancelEnabled(bool enabled) override;
    void StatusPanel1Click();
    void RefreshBuf() override { RefreshBufExecute(); }
    void StringGrid1SelectCell(int column, int row);
    void StringGrid1KeyPress(int key);
    void MaskEdit1KeyPress(int key);
    void MaskEdit1Exit();
    void COMAfterOpen();
    void COMAfterClose();
    void FormClose();
    void EnablePortActions() override;
    void DisablePortActions() override;
    void StartJob(EngineJob job); // what the six job handlers do
    void Timer1Timer();
    void ApplicationEvents1Idle();
    void PairPageHide(); // what was typed and not stored yet goes in now
    // A job's end, as the session tells it: its report, its undo step and
    // backup (JobEnded), the port error that ended it, then a close that
    // waited for it.
    void JobFinished(const JobOutcome &outcome);
    void JobEnded(const JobOutcome &outcome);

    // ---- what only the handlers call ----
    void ChooseLanguage(bool english);
    QString Panel1Text;  // what the panel says, before eliding (StatusText(1))
    QString Panel1Whole; // its tooltip and the box a click opens: the whole text
    // The entry box and the description show the selected word again, unless
    // the user is typing there: after a read job, undo and redo.
    void RefreshEntryBox();
    // Cells marked by a check, until the words change, a job starts, Esc or
    // "Снять отметки" (image/ui/GridHandlers.cpp).
    void MarkCells(const CellMarks &marks);
    // A write job is running: closing would leave the telephone half written.
    bool WriteJobRuns() const;
    void TerminateRequested();
    // The port list's marks and tooltips for the devices present.
    void MarkPresentPorts();
    void ShowPortTip(); // the selected item's tooltip, and adapters no name reaches
    // A port error that ended a job or probe: a device that has gone away
    // closes the port; the error goes on to the error box naming the port,
    // with what a write cut by it left in the telephone (`written`).
    void PortErrorDuringJob(const EComPort &e, const QString &written = QString());
    void CreateVerifyActions();
    // A job's end as panel 1, a message box and marked cells say it.
    void ShowJobReport(const JobOutcome &outcome);
    void ProbeLineDone(const ProbeResult &r);
    // While a series runs the image, the model and the options stay as they are.
    void LockForSeries(bool lock);
    void SeriesEnded();
    void CreateSeries();
    QList<QPair<QAction *, bool>> LockedActions; // and whether each was enabled
    bool CloseAfterSeries = false;
    void FreqFromBuf();
    void FreqToBuf();
    // The frequency fields as FreqPage computes them, and words 0x32-0x34 from them.
    FreqFields ReadFreqFields() const;
    void WriteFreqFields(const FreqFields &f, bool all);
    void RunFreqExit(void (FreqPage::*exit)(FreqFields &) const);
    void StoreFreqWords(const std::array<bool, 3> &which);
    void PairFromBuf(); // the page shows the image; a field being typed in stays
    // After a preset: keeps a real ID code it zeroed for "Вернуть ID-код".
    void PresetZeroedId(uint16_t before);
    void LoadFileFrom(const QString &folder); // the open dialog starts in folder
    bool LoadFilePath(const QString &path);   // one undo step; false when it failed (the error box said why)
    // The open dialog in the backups folder and the chosen image file read:
    // its path, or empty when cancelled or unreadable (the error box said why).
    // *check (when given) says whether it is an image and which words it holds.
    QString ChooseImageInBackups(ImageFileData *file, ImageFileCheck *check = nullptr);
    void UpdateUndoActions();
    // Close with unsaved work: false when the user keeps the window open.
    bool AskToSaveChanges();
    void BackupRead(const JobOutcome &outcome);
    // The model list and the comment box follow the document, and pass the
    // user's changes to it.
    void WatchModelAndComment();
    // The six job handlers announce their job.
    void JobStarting(EngineJob job);

    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateControls();
    void CreateBufferPage();
    void CreateInfoPage();
    void CreateFreqPage();
    void CreatePairPage();
};
