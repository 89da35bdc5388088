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
    Fault = FaultRecord{};
    LastConfirmed = FirstAddr - 1;
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
    if (ReadByte(c)) {
        if (c == LastSent) {
            State = StateAfterEcho;
            // The CR of a write command echoed: the telephone has stored its words.
            if (Writing && StateAfterEcho == SendNext && CharIndex > Command.size())
                LastConfirmed = CurAddr - 1;
        } else {
            Fail(EngineFault::WrongEcho, c);
        }
    }
    if (Ticks > EngineLimits::EchoTicks)
        Fail(EngineFault::NoEcho);
    if (CancelRequested)
        Fail(EngineFault::Cancelled);
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
    StateAfterSend = BuildRead;
    if (Reply.at(0) == '!')
        State = ReplyPause;
    else
        Fail(EngineFault::NoBang, Reply.at(0));
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

void ProgrammingEngine::Fail(EngineFault kind, char came)
{
    State = Failed;
    Fault.Kind = kind;
    Fault.Came = came;
    Fault.ReplyChars = Reply.size();
    // Before the first command's echo the opening CR is the one in flight.
    const bool opening = StateAfterEcho == BuildWrite || StateAfterEcho == BuildRead;
    if (kind == EngineFault::ShortReply || kind == EngineFault::NoBang) {
        Fault.Sent = 0;
        Fault.CharPos = Command.size();
    } else {
        Fault.Sent = LastSent;
        Fault.CharPos = opening ? 0 : CharIndex - 1;
    }
    Fault.Command = opening ? QByteArray() : Command;
    Fault.Addr = opening || Command.size() < 3 ? FirstAddr : static_cast<uint8_t>(Command.mid(1, 2).toUInt(nullptr, 16));
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

} // namespace

QString FaultText(const FaultRecord &f, bool russian)
{
    // %1 the character sent, %2 where it stood, %3 the address, %4 what came,
    // %5 how many reply characters came.
    struct Texts {
        const char *ru, *en;
    };
    static const Texts texts[] = {
        {"", ""},
        {"Нет эха %1 (%2, адрес %3)", "no echo of %1 in time (%2, address %3)"},
        {"Неверное эхо: послан %1, пришёл %4 (%2, адрес %3)", "wrong echo: sent %1, came %4 (%2, address %3)"},
        {"Ответ не начинается с \"!\": пришёл %4 (адрес %3)", "the reply does not begin with \"!\": came %4 (address %3)"},
        {"Ответ не получен полностью: %5 из 23 символов (адрес %3)",
         "the reply was not complete in time: %5 of 23 characters (address %3)"},
        {"Отменено (%2, адрес %3)", "cancelled (%2, address %3)"},
        {"Порт потерян (%2, адрес %3)", "the port was lost (%2, address %3)"},
    };
    const Texts &t = texts[static_cast<size_t>(f.Kind)];
    QString where;
    if (f.CharPos == 0)
        where = russian ? QStringLiteral("начальный CR") : QStringLiteral("the opening CR");
    else
        where = (russian ? QStringLiteral("символ %1 команды %2") : QStringLiteral("character %1 of %2"))
                    .arg(f.CharPos)
                    .arg(CommandText(f.Command));
    const QString args[] = {CharName(f.Sent), where, ByteToHex(f.Addr), CharName(f.Came), QString::number(f.ReplyChars)};
    // One pass, so that nothing a telephone sent is taken for a marker.
    const QString text = QString::fromUtf8(russian ? t.ru : t.en);
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 1 < text.size() && text[i + 1] >= u'1' && text[i + 1] <= u'5')
            out += args[text[++i].unicode() - u'1'];
        else
            out += text[i];
    }
    return out;
}
