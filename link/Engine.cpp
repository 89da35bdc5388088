#include "link/Engine.h"

#include <algorithm>
#include <cctype>

#include <QCoreApplication>

namespace {
using Line::CR;
using Line::DrainLimit;
// What a left-over command can still bring after its reply began: the reply
// and the echoes of a few characters of ours, with room to spare.
constexpr int ResyncLimit = 4 * EngineLimits::ReplyLength;
} // namespace

ProgrammingEngine::ProgrammingEngine(IEngineWindow &window, IEnginePort &port, EepromImage &image)
    : Window(window), Port(port), Image(&image)
{
}

void ProgrammingEngine::StartJob(EngineJob job, uint8_t selectedAddr)
{
    const JobSpec &spec = JobTable[static_cast<size_t>(job)];
    Active = true;
    Writing = spec.Writing;
    State = EngineState::Init;
    FirstAddr = spec.AtSelectedAddr ? selectedAddr : spec.FirstAddr;
    LastAddr = spec.AtSelectedAddr ? selectedAddr : spec.LastAddr;
    Fault = FaultRecord{};
    LastConfirmed = FirstAddr - 1;
    LastPossiblyTaken = LastConfirmed;
    Reopened = false;
    ResyncBytes = 0;
    Window.SetGaugeMax(spec.GaugeMax);
}

bool ProgrammingEngine::StepDue() const
{
    if (!Active)
        return false;
    switch (State) {
    case EngineState::Init:
    case EngineState::BuildWrite:
    case EngineState::BuildRead:
    case EngineState::Done:
    case EngineState::Failed:
        return true;
    case EngineState::SendNext:
        return CharIndex <= Command.size();
    default:
        return false;
    }
}

void ProgrammingEngine::EngineStep()
{
    LastStepGotByte = false;
    if (!Active)
        return;
    StateAtStep = State;
    try {
        switch (State) {
        case EngineState::Init: DoInit(); break;
        case EngineState::BuildWrite: DoBuildWrite(); break;
        case EngineState::BuildRead: DoBuildRead(); break;
        case EngineState::CollectReply: DoCollectReply(); break;
        case EngineState::ReplyPause: DoReplyPause(); break;
        case EngineState::Resync: DoResync(); break;
        case EngineState::Done: EndJob(true); break;
        case EngineState::SendNext: DoSendNext(); break;
        case EngineState::Failed: EndJob(false); break;
        case EngineState::AwaitEcho: DoAwaitEcho(); break;
        default: break;
        }
    } catch (...) {
        // A port error (device gone): the job cannot go on. End it the way
        // every other fault ends it, then let the error reach the error box.
        if (Active) {
            Fail(EngineFault::PortLost);
            EndJob(false);
        }
        throw;
    }
}

void ProgrammingEngine::SendChar(char c)
{
    Port.Write(&c, 1); // the count is not examined: a lost byte shows as a missing echo
    LastSent = c;
    StepProgress();
}

void ProgrammingEngine::StepProgress()
{
    Window.SetGaugeProgress(Window.GaugeProgress() + 1);
}

void ProgrammingEngine::ShowStatus(const QString &text)
{
    Window.ShowStatus(text);
}

bool ProgrammingEngine::ReadByte(char &c)
{
    const bool got = Port.Read(&c, 1) == 1;
    LastStepGotByte = LastStepGotByte || got;
    return got;
}

void ProgrammingEngine::DoInit()
{
    Window.DisablePortActions();
    char junk;
    for (int i = 0; i < DrainLimit && ReadByte(junk); ++i) {
    }
    Ticks = 0;
    SendChar(CR);
    if (Writing) {
        Window.SetGaugeColor(GaugeColor::Red);
        StateAfterEcho = EngineState::BuildWrite;
    } else {
        Window.SetGaugeColor(GaugeColor::Blue);
        StateAfterEcho = EngineState::BuildRead;
    }
    Window.SetGaugeProgress(0); // the opening CR is not counted
    Window.SetCancelEnabled(true);
    Window.SetProgressPanelVisible(true);
    State = EngineState::AwaitEcho;
    CancelRequested = false;
    ShowStatus(EngineTexts::Initializing);
    CurAddr = FirstAddr;
}

void ProgrammingEngine::DoBuildWrite()
{
    ShowStatus(EngineTexts::Writing);
    if (CurAddr > LastAddr) {
        State = EngineState::Done;
        return;
    }
    Command = "M";
    Command += ByteToHex(CurAddr).toLatin1();
    Command += WordToHex((*Image)[CurAddr]).toLatin1();
    ++CurAddr;
    for (int n = 1; n < EngineLimits::WordsPerCommand && CurAddr <= LastAddr; ++n) {
        Command += WordToHex((*Image)[CurAddr]).toLatin1();
        ++CurAddr;
    }
    Command += CR;
    StateAfterSend = EngineState::BuildWrite;
    State = EngineState::SendNext;
    CharIndex = 1;
}

void ProgrammingEngine::DoBuildRead()
{
    ShowStatus(EngineTexts::Reading);
    if (CurAddr > LastAddr) {
        State = EngineState::Done;
        return;
    }
    Command = "m";
    Command += ByteToHex(CurAddr).toLatin1();
    Command += CR;
    StateAfterSend = EngineState::CollectReply;
    State = EngineState::SendNext;
    CharIndex = 1;
    Reply.clear();
    CurAddr = static_cast<uint8_t>(CurAddr + EngineLimits::WordsPerCommand);
}

void ProgrammingEngine::DoSendNext()
{
    if (CharIndex <= Command.size()) {
        SendChar(Command.at(CharIndex - 1));
        if (Writing)
            NoteWriteSent(CharIndex);
        ++CharIndex;
        Ticks = 0;
        StateAfterEcho = EngineState::SendNext;
        State = EngineState::AwaitEcho;
    } else if (Ticks > EngineLimits::CommandPause) {
        State = StateAfterSend;
        CharIndex = 0;
        Ticks = 0;
    }
}

void ProgrammingEngine::NoteWriteSent(int pos)
{
    // "M", two address digits, four digits a word, CR; CurAddr is past the
    // command's words already.
    const int words = (Command.size() - 4) / 4;
    const int base = CurAddr - words;
    // Every word whose four digits went out may be stored at the next CR:
    // what a telephone does with the rest of a cut command is not known.
    if (pos == Command.size())
        LastPossiblyTaken = CurAddr - 1;
    else
        LastPossiblyTaken = std::max(LastConfirmed, base + std::max(0, pos - 3) / 4 - 1);
}

void ProgrammingEngine::DoAwaitEcho()
{
    char c;
    if (ReadByte(c)) {
        if (c == LastSent) {
            State = StateAfterEcho;
            // The CR of a write command echoed: the telephone has stored its words.
            if (Writing && StateAfterEcho == EngineState::SendNext && CharIndex > Command.size())
                LastConfirmed = CurAddr - 1;
        } else {
            Fail(EngineFault::WrongEcho, c);
            if (MayReopen(c)) {
                ReopenFault = Fault;
                Reopened = true;
                State = EngineState::Resync;
                Ticks = 0;
            }
        }
    }
    if (Ticks > EngineLimits::EchoTicks)
        Fail(EngineFault::NoEcho);
    if (CancelRequested)
        Fail(EngineFault::Cancelled);
}

// A job that ended inside a read command leaves it in the telephone: this
// job's opening CR completes it and the telephone replies, in place of the
// echo of the opening or of the first command's first character. That is a
// reply, not a wrong line: once in a job, wait for the line to be quiet and
// open again.
bool ProgrammingEngine::MayReopen(char came) const
{
    const bool replyChar = came == '!' || came == CR || came == '\n' || std::isxdigit(static_cast<unsigned char>(came));
    if (Reopened || !replyChar || StateAtStep != EngineState::AwaitEcho)
        return false;
    if (StateAfterEcho == EngineState::BuildWrite || StateAfterEcho == EngineState::BuildRead)
        return true; // the opening CR
    return StateAfterEcho == EngineState::SendNext && CharIndex == 2 && Command.size() >= 3
           && static_cast<uint8_t>(Command.mid(1, 2).toUInt(nullptr, 16)) == FirstAddr;
}

void ProgrammingEngine::DoResync()
{
    char c;
    while (ReadByte(c)) {
        Ticks = 0;
        if (++ResyncBytes > ResyncLimit) { // more than a reply: the line is not healthy after all
            Fault = ReopenFault;
            State = EngineState::Failed;
            return;
        }
    }
    if (CancelRequested)
        Fail(EngineFault::Cancelled);
    else if (Ticks > EngineLimits::ReplyTicks)
        State = EngineState::Init;
}

void ProgrammingEngine::DoCollectReply()
{
    if (Ticks > EngineLimits::ReplyTicks)
        Fail(EngineFault::ShortReply);
    char c;
    if (!ReadByte(c))
        return;
    StepProgress();
    ++CharIndex;
    Reply += c;
    if (CharIndex < EngineLimits::ReplyLength)
        return;
    StateAfterSend = EngineState::BuildRead;
    if (Reply.at(0) == '!')
        State = EngineState::ReplyPause;
    else
        Fail(EngineFault::NoBang, Reply.at(0));
    CurAddr = static_cast<uint8_t>(CurAddr - EngineLimits::WordsPerCommand);
    for (int k = 0; k < EngineLimits::WordsPerCommand; ++k) {
        if (CurAddr <= LastAddr)
            (*Image)[CurAddr] = HexToWord(Reply.constData() + 1 + 4 * k, 4);
        ++CurAddr;
    }
    Window.RefreshBuf();
}

void ProgrammingEngine::DoReplyPause()
{
    if (Ticks > EngineLimits::ReplyTicks)
        State = StateAfterSend;
}

void ProgrammingEngine::Fail(EngineFault kind, char came)
{
    State = EngineState::Failed;
    Fault = FaultRecord{};
    Fault.Kind = kind;
    Fault.Came = came;
    Fault.ReplyChars = Reply.size();
    Fault.Addr = FirstAddr;
    // The place follows from the state the step began in: a step may have
    // moved on (an echo that came late) before the fault was decided.
    const auto inCommand = [this](FaultRecord::Place place) {
        Fault.Where = place;
        Fault.Command = Command;
        if (Command.size() >= 3)
            Fault.Addr = static_cast<uint8_t>(Command.mid(1, 2).toUInt(nullptr, 16));
    };
    switch (StateAtStep) {
    case EngineState::Init:
        Fault.Where = FaultRecord::Place::Opening;
        Fault.Sent = CR;
        break;
    case EngineState::AwaitEcho:
        if (StateAfterEcho == EngineState::BuildWrite || StateAfterEcho == EngineState::BuildRead) {
            Fault.Where = FaultRecord::Place::Opening; // no command has gone out yet
            Fault.Sent = LastSent;
        } else {
            inCommand(FaultRecord::Place::Char);
            Fault.Sent = LastSent;
            Fault.CharPos = CharIndex - 1;
        }
        break;
    case EngineState::SendNext:
        if (CharIndex >= 1 && CharIndex <= Command.size()) { // the port failed sending it
            inCommand(FaultRecord::Place::Char);
            Fault.Sent = Command.at(CharIndex - 1);
            Fault.CharPos = CharIndex;
        } else {
            inCommand(FaultRecord::Place::AfterCommand);
        }
        break;
    case EngineState::CollectReply:
    case EngineState::ReplyPause:
        inCommand(FaultRecord::Place::Reply);
        break;
    default:
        break;
    }
}

void ProgrammingEngine::EndJob(bool completed)
{
    if (completed)
        Fault = FaultRecord{};
    Active = false;
    Window.EnablePortActions();
    ShowStatus(completed ? EngineTexts::Completed : EngineTexts::NotDone);
    Window.RefreshBuf();
    Window.SetProgressPanelVisible(false);
    Window.SetCancelEnabled(false);
}

namespace {

QString CharName(char c)
{
    if (c == CR)
        return QStringLiteral("CR");
    if (c > ' ' && c < 0x7F)
        return QStringLiteral("'%1'").arg(QLatin1Char(c));
    return QStringLiteral("0x") + ByteToHex(static_cast<uint8_t>(c));
}

QString CommandText(const QByteArray &command)
{
    QString text = QString::fromLatin1(command);
    text.replace(QLatin1Char(CR), QStringLiteral("<CR>"));
    return text;
}

// %1 the character sent, %2 what came, %3 how many reply characters came.
QString FaultArgs(const FaultRecord &f, const QString &text)
{
    const QString args[] = {CharName(f.Sent), CharName(f.Came), QString::number(f.ReplyChars)};
    // One pass, so that nothing a telephone sent is taken for a marker.
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 1 < text.size() && text[i + 1] >= u'1' && text[i + 1] <= u'3')
            out += args[text[++i].unicode() - u'1'];
        else
            out += text[i];
    }
    return out;
}

// Each fault in a few words (the window's narrow panel) and whole, in one
// context: the window and quillon-cli word them differently
// (translations/quillon-cli_en.ts).
struct FaultWords {
    const char *brief, *whole;
};
const FaultWords kFaultWords[] = {
    {"", ""},
    {QT_TRANSLATE_NOOP("Fault", "Нет эха %1"), QT_TRANSLATE_NOOP("Fault", "Нет эха %1")},
    {QT_TRANSLATE_NOOP("Fault", "Эхо %2 вместо %1"), QT_TRANSLATE_NOOP("Fault", "Неверное эхо: послан %1, пришёл %2")},
    {QT_TRANSLATE_NOOP("Fault", "Ответ без \"!\": пришёл %2"),
     QT_TRANSLATE_NOOP("Fault", "Ответ не начинается с \"!\": пришёл %2")},
    {QT_TRANSLATE_NOOP("Fault", "Неполный ответ: %3 из 23"),
     QT_TRANSLATE_NOOP("Fault", "Ответ не получен полностью: %3 из 23 символов")},
    {QT_TRANSLATE_NOOP("Fault", "Отменено"), QT_TRANSLATE_NOOP("Fault", "Отменено")},
    {QT_TRANSLATE_NOOP("Fault", "Порт потерян"), QT_TRANSLATE_NOOP("Fault", "Порт потерян")},
};

} // namespace

QString FaultBrief(const FaultRecord &f)
{
    return FaultArgs(f, QCoreApplication::translate("Fault", kFaultWords[static_cast<size_t>(f.Kind)].brief));
}

QString FaultText(const FaultRecord &f)
{
    const QString address = QCoreApplication::translate("Fault", "адрес ") + ByteToHex(f.Addr);
    const QString command = CommandText(f.Command);
    const bool replyFault = f.Kind == EngineFault::NoBang || f.Kind == EngineFault::ShortReply;
    QString where;
    switch (f.Where) {
    case FaultRecord::Place::None: break;
    case FaultRecord::Place::Opening: where = QCoreApplication::translate("Fault", "начальный CR"); break;
    case FaultRecord::Place::Char:
        where = QCoreApplication::translate("Fault", "символ %1 команды %2, ").arg(f.CharPos).arg(command) + address;
        break;
    case FaultRecord::Place::AfterCommand:
        where = QCoreApplication::translate("Fault", "после %1, ").arg(command) + address;
        break;
    case FaultRecord::Place::Reply:
        where = replyFault ? address : QCoreApplication::translate("Fault", "ответ на %1, ").arg(command) + address;
        break;
    }
    QString out = FaultArgs(f, QCoreApplication::translate("Fault", kFaultWords[static_cast<size_t>(f.Kind)].whole));
    if (!where.isEmpty())
        out += QStringLiteral(" (") + where + u')';
    return out;
}

WriteGroups SplitWrite(int firstAddr, int lastAddr, int lastConfirmed, int lastPossiblyTaken)
{
    WriteGroups g;
    const int confirmed = std::clamp(lastConfirmed, firstAddr - 1, lastAddr);
    const int possibly = std::clamp(lastPossiblyTaken, confirmed, lastAddr);
    g.confirmed = {firstAddr, confirmed};
    g.possiblyTaken = {confirmed + 1, possibly};
    g.notTaken = {possibly + 1, lastAddr};
    return g;
}
