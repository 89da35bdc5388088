#pragma once

// The programming engine: a state machine that reads or writes EEPROM words
// of the telephone over the echoing character protocol. It has no thread and
// no timer of its own; the window advances it with EngineStep() on every idle
// notification and adds 1 to Ticks on every timer tick.

#include "image/EepromImage.h"
#include "link/EngineIo.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

// State codes; the record stores the numbers.
enum class EngineState : uint8_t {
    Init = 0,
    BuildWrite = 1,
    BuildRead = 2,
    CollectReply = 3,
    ReplyPause = 4,
    Resync = 5, // a reply left by the last job drains; then the opening again
    Done = 220,
    SendNext = 230,
    Failed = 254,
    AwaitEcho = 255,
};

// The six jobs, in the order of JobTable.
enum class EngineJob : uint8_t { Write258, Read258, WriteBlock, ReadBlock, WriteCur, ReadCur };

struct JobSpec {
    EngineJob Job;
    bool Writing;
    bool AtSelectedAddr; // FirstAddr = LastAddr = the selected grid cell
    uint8_t FirstAddr;
    uint8_t LastAddr;
    int GaugeMax; // characters exchanged, the opening CR included, echoes not
};

inline constexpr std::array<JobSpec, 6> JobTable{{
    {EngineJob::Write258, true, false, 0x00, 0x3F, 309},
    {EngineJob::Read258, false, false, 0x00, 0x3F, 352},
    {EngineJob::WriteBlock, true, false, 0x30, 0x3F, 81},
    {EngineJob::ReadBlock, false, false, 0x30, 0x3F, 109},
    {EngineJob::WriteCur, true, true, 0x00, 0x00, 9},
    {EngineJob::ReadCur, false, true, 0x00, 0x00, 28},
}};

namespace EngineLimits {
constexpr int EchoTicks = 100;   // an echo must come within this many ticks
constexpr int CommandPause = 50; // after the CR of a command
constexpr int ReplyTicks = 30;   // to collect a reply, and the pause after it
constexpr int ReplyLength = 23;  // "!", 20 hex digits, two more characters
constexpr int WordsPerCommand = 5;
} // namespace EngineLimits

// Russian here; the window translates them as it shows them.
namespace EngineTexts {
inline const QString Initializing = QString::fromUtf8(QT_TRANSLATE_NOOP("Quillon", "Инициализация..."));
inline const QString Writing = QString::fromUtf8(QT_TRANSLATE_NOOP("Quillon", "Запись..."));
inline const QString Reading = QString::fromUtf8(QT_TRANSLATE_NOOP("Quillon", "Чтение..."));
inline const QString Completed = QString::fromUtf8(QT_TRANSLATE_NOOP("Quillon", "Завершено!"));
inline const QString NotDone = QString::fromUtf8(QT_TRANSLATE_NOOP("Quillon", "Невыполнено..."));
} // namespace EngineTexts

// Why a job ended with "Невыполнено...", as the engine decided it.
enum class EngineFault : uint8_t { None, NoEcho, WrongEcho, NoBang, ShortReply, Cancelled, PortLost };

struct FaultRecord {
    EngineFault Kind = EngineFault::None;
    char Sent = 0;      // the character whose echo was awaited
    char Came = 0;      // WrongEcho: the echo; NoBang: the reply's first character
    int ReplyChars = 0; // ShortReply: how many of the reply's characters came
    uint8_t Addr = 0;   // the address of the command being exchanged
    int CharPos = 0;    // Char: 1-based position of Sent in Command
    QByteArray Command; // the command being exchanged; empty for Opening and None
    // Where in the job it happened; a position is named only where there is one.
    enum class Place : uint8_t { None, Opening, Char, AfterCommand, Reply } Where = Place::None;
};

// The cause for a person, in the language in force ("Нет эха 'm' (символ 1
// команды m30, адрес 30)").
QString FaultText(const FaultRecord &fault);
// The cause in a few words, for the window's narrow panel ("Нет эха 'm'").
QString FaultBrief(const FaultRecord &fault);

class ProgrammingEngine {
public:
    ProgrammingEngine(IEngineWindow &window, IEnginePort &port, EepromImage &image);

    // ---- the record (all zero/false/empty at start) ----
    bool Active = false;
    bool Writing = false;
    bool CancelRequested = false;
    EngineState State = EngineState::Init;
    EngineState StateAfterSend = EngineState::Init;
    EngineState StateAfterEcho = EngineState::Init;
    char LastSent = 0;
    QByteArray Command;
    QByteArray Reply;
    uint8_t CharIndex = 0;
    uint8_t FirstAddr = 0;
    uint8_t LastAddr = 0;
    uint8_t CurAddr = 0;

    // Why the last job failed; Kind None while a job runs or after success.
    FaultRecord Fault;
    // Writing: the last address whose command's CR the telephone echoed, so
    // the words up to it are stored; FirstAddr - 1 when none is.
    int LastConfirmed = -1;
    // Writing: the last address the telephone may hold without having
    // confirmed it: the words of a command whose CR went out unechoed, or of
    // one cut off right after a whole word (a telephone keeping the parsed
    // command stores those at the next CR); LastConfirmed when there are none.
    int LastPossiblyTaken = -1;
    // The job has opened again once, after a reply the last job left; the
    // fault it would have ended with; what the drain took since.
    bool Reopened = false;
    FaultRecord ReopenFault;
    int ResyncBytes = 0;

    // Advanced by the window's timer; the engine sets it back to 0 and
    // compares it with its limits, always as strictly greater.
    int32_t Ticks = 0;

    // What a job's action does: fill the record and set the gauge maximum.
    void StartJob(EngineJob job, uint8_t selectedAddr);
    void CancelProg() { CancelRequested = true; }
    void Tick() { Ticks = static_cast<int32_t>(static_cast<uint32_t>(Ticks) + 1u); }

    // One step of the machine. A port error ends the job as failed before it
    // goes on to the caller.
    void EngineStep();

    // For the window's driving of the steps:
    // the current state waits for a byte from the telephone;
    bool ReadsPort() const { return Active && (State == EngineState::AwaitEcho || State == EngineState::CollectReply); }
    // the next step has work to do without waiting for a tick or a byte;
    bool StepDue() const;
    // the last step took a byte from the port.
    bool LastStepGotByte = false;

    // The image the jobs read into and write from; a verify reads into
    // another one so that the image shown is not changed. Not during a job.
    void UseImage(EepromImage &image) { Image = &image; }
    EepromImage &CurrentImage() const { return *Image; }

    static int GaugeMaxOf(EngineJob job) { return JobTable[static_cast<size_t>(job)].GaugeMax; }

private:
    void SendChar(char c);
    void StepProgress();
    void ShowStatus(const QString &text);
    bool ReadByte(char &c);
    void EndJob(bool completed);
    // Ends the exchange as failed and records why (the last call of a step wins,
    // as the state does).
    void Fail(EngineFault kind, char came = 0);

    void NoteWriteSent(int pos);

    void DoInit();
    void DoBuildWrite();
    void DoBuildRead();
    void DoSendNext();
    void DoAwaitEcho();
    void DoCollectReply();
    void DoReplyPause();
    bool MayReopen(char came) const;
    void DoResync();

    IEngineWindow &Window;
    IEnginePort &Port;
    EepromImage *Image;
    EngineState StateAtStep = EngineState::Init; // where a fault is placed: the state the step began in
};

// A write that did not complete, as three ranges of word addresses (empty
// when first > last): confirmed (the echo of its command's CR came back),
// possibly taken (see LastPossiblyTaken), and not taken (never sent, or sent
// in a command cut off inside a word, which the telephone drops at its CR).
struct WriteGroups {
    struct Span {
        int first = 0;
        int last = -1;
        bool Empty() const { return first > last; }
        QString Hex() const { return AddrSpanHex(first, last); }
    };
    Span confirmed, possiblyTaken, notTaken;
};
// From the job's range and the engine's LastConfirmed and LastPossiblyTaken.
WriteGroups SplitWrite(int firstAddr, int lastAddr, int lastConfirmed, int lastPossiblyTaken);
