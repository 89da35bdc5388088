#include "link/Engine.h"

namespace {
constexpr char CR = 0x0D;
// The drain at the opening reads far faster than 300 bit/s can refill the
// input, so it ends; the cap only keeps a misbehaving device from holding
// the window thread.
constexpr int DrainLimit = 65536;
} // namespace

ProgrammingEngine::ProgrammingEngine(IEngineWindow &window, IEnginePort &port, EepromImage &image)
    : Window(window), Port(port), Image(image)
{
}

void ProgrammingEngine::StartJob(EngineJob job, uint8_t selectedAddr)
{
    const JobSpec &spec = JobTable[static_cast<size_t>(job)];
    Active = true;
    Writing = spec.Writing;
    State = Init;
    FirstAddr = spec.AtSelectedAddr ? selectedAddr : spec.FirstAddr;
    LastAddr = spec.AtSelectedAddr ? selectedAddr : spec.LastAddr;
    Window.SetGaugeMax(spec.GaugeMax);
}

bool ProgrammingEngine::StepDue() const
{
    if (!Active)
        return false;
    switch (State) {
    case Init:
    case BuildWrite:
    case BuildRead:
    case Done:
    case Failed:
        return true;
    case SendNext:
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
    try {
        switch (State) {
        case Init: DoInit(); break;
        case BuildWrite: DoBuildWrite(); break;
        case BuildRead: DoBuildRead(); break;
        case CollectReply: DoCollectReply(); break;
        case ReplyPause: DoReplyPause(); break;
        case Done: EndJob(true); break;
        case SendNext: DoSendNext(); break;
        case Failed: EndJob(false); break;
        case AwaitEcho: DoAwaitEcho(); break;
        default: break;
        }
    } catch (...) {
        // A port error (device gone): the job cannot go on. End it the way
        // every other fault ends it, then let the error reach the error box.
        if (Active) {
            State = Failed;
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
        StateAfterEcho = BuildWrite;
    } else {
        Window.SetGaugeColor(GaugeColor::Blue);
        StateAfterEcho = BuildRead;
    }
    Window.SetGaugeProgress(0); // the opening CR is not counted
    Window.SetCancelEnabled(true);
    Window.SetProgressPanelVisible(true);
    State = AwaitEcho;
    CancelRequested = false;
    ShowStatus(EngineTexts::Initializing);
    CurAddr = FirstAddr;
}

void ProgrammingEngine::DoBuildWrite()
{
    ShowStatus(EngineTexts::Writing);
    if (CurAddr > LastAddr) {
        State = Done;
        return;
    }
    Command = "M";
    Command += ByteToHex(CurAddr).toLatin1();
    Command += WordToHex(Image[CurAddr]).toLatin1();
    ++CurAddr;
    for (int n = 1; n < EngineLimits::WordsPerCommand && CurAddr <= LastAddr; ++n) {
        Command += WordToHex(Image[CurAddr]).toLatin1();
        ++CurAddr;
    }
    Command += CR;
    StateAfterSend = BuildWrite;
    State = SendNext;
    CharIndex = 1;
}

void ProgrammingEngine::DoBuildRead()
{
    ShowStatus(EngineTexts::Reading);
    if (CurAddr > LastAddr) {
        State = Done;
        return;
    }
    Command = "m";
    Command += ByteToHex(CurAddr).toLatin1();
    Command += CR;
    StateAfterSend = CollectReply;
    State = SendNext;
    CharIndex = 1;
    Reply.clear();
    CurAddr = static_cast<uint8_t>(CurAddr + EngineLimits::WordsPerCommand);
}

void ProgrammingEngine::DoSendNext()
{
    if (CharIndex <= Command.size()) {
        SendChar(Command.at(CharIndex - 1));
        ++CharIndex;
        Ticks = 0;
        StateAfterEcho = SendNext;
        State = AwaitEcho;
    } else if (Ticks > EngineLimits::CommandPause) {
        State = StateAfterSend;
        CharIndex = 0;
        Ticks = 0;
    }
}

void ProgrammingEngine::DoAwaitEcho()
{
    char c;
    if (ReadByte(c))
        State = (c == LastSent) ? StateAfterEcho : uint8_t(Failed);
    if (Ticks > EngineLimits::EchoTicks)
        State = Failed;
    if (CancelRequested)
        State = Failed;
}

void ProgrammingEngine::DoCollectReply()
{
    if (Ticks > EngineLimits::ReplyTicks)
        State = Failed;
    char c;
    if (!ReadByte(c))
        return;
    StepProgress();
    ++CharIndex;
    Reply += c;
    if (CharIndex < EngineLimits::ReplyLength)
        return;
    StateAfterSend = BuildRead;
    State = Reply.at(0) == '!' ? uint8_t(ReplyPause) : uint8_t(Failed);
    CurAddr = static_cast<uint8_t>(CurAddr - EngineLimits::WordsPerCommand);
    for (int k = 0; k < EngineLimits::WordsPerCommand; ++k) {
        if (CurAddr <= LastAddr)
            Image[CurAddr] = HexToWord(Reply.constData() + 1 + 4 * k, 4);
        ++CurAddr;
    }
    Window.RefreshBuf();
}

void ProgrammingEngine::DoReplyPause()
{
    if (Ticks > EngineLimits::ReplyTicks)
        State = StateAfterSend;
}

void ProgrammingEngine::EndJob(bool completed)
{
    Active = false;
    Window.EnablePortActions();
    ShowStatus(completed ? EngineTexts::Completed : EngineTexts::NotDone);
    Window.RefreshBuf();
    Window.SetProgressPanelVisible(false);
    Window.SetCancelEnabled(false);
}
