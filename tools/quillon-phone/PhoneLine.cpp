#include "PhoneLine.h"

#include <algorithm>
#include <cstdio>

namespace qphone {

namespace {

constexpr uint8_t kCr = 0x0D;
constexpr uint8_t kLf = 0x0A;
constexpr size_t kReadDigits = 2;
constexpr size_t kMaxWriteDigits = 2 + 5 * 4;
constexpr int64_t kDefaultShortReply = 12;
constexpr int64_t kDefaultLateReplyMs = 1000;

struct FaultName {
    const char *name;
    FaultKind kind;
    bool takesValue;    // NAME=VALUE allowed
    bool needsValue;    // NAME=VALUE required
    bool takesNth;      // NAME@N allowed
    const char *help;
};

constexpr FaultName kFaultNames[] = {
    {"no-echo", FaultKind::NoEcho, false, false, true,
     "no-echo[@N]          the echo of the Nth received character is not sent"},
    {"wrong-echo", FaultKind::WrongEcho, false, false, true,
     "wrong-echo[@N]       the echo of the Nth received character is that byte + 1"},
    {"no-bang", FaultKind::NoBang, false, false, true,
     "no-bang[@N]          the Nth reply starts with '?' instead of '!'"},
    {"short-reply", FaultKind::ShortReply, true, false, true,
     "short-reply[=K][@N]  the Nth reply is cut after K characters (default 12)"},
    {"late-reply", FaultKind::LateReply, true, false, true,
     "late-reply[=MS][@N]  the Nth reply starts MS ms late (default 1000)"},
    {"lowercase", FaultKind::Lowercase, false, false, true,
     "lowercase[@N]        the hex digits of the Nth reply are lower case"},
    {"stray", FaultKind::Stray, false, false, true,
     "stray[@N]            an extra '#' follows the echo of the Nth received character"},
    {"hangup-after", FaultKind::HangupAfter, true, true, false,
     "hangup-after=N       the line is dropped (the emulator exits) after the echo\n"
     "                       of the Nth received character; that character is not acted on"},
    {"drop-write", FaultKind::DropWrite, false, false, true,
     "drop-write[@N]       the Nth write command is echoed but stores nothing"},
    {"corrupt-write", FaultKind::CorruptWrite, false, false, true,
     "corrupt-write[@N]    the Nth write command stores its first word with bit 0 inverted"},
};

bool IsHex(uint8_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

unsigned HexValue(uint8_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

unsigned ParseHex(const std::string &s, size_t pos, size_t len)
{
    unsigned v = 0;
    for (size_t i = 0; i < len; ++i)
        v = v * 16 + HexValue(static_cast<uint8_t>(s[pos + i]));
    return v;
}

// Whole decimal number, no sign, no trailing junk.
bool ParseCount(const std::string &s, int64_t *out)
{
    if (s.empty() || s.size() > 12)
        return false;
    int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    *out = v;
    return true;
}

} // namespace

bool ParseFault(const std::string &spec, Fault *out, std::string *error)
{
    std::string rest = spec;
    std::string nthText, valueText;
    bool hasNth = false, hasValue = false;

    const size_t at = rest.find('@');
    if (at != std::string::npos) {
        hasNth = true;
        nthText = rest.substr(at + 1);
        rest.erase(at);
    }
    const size_t eq = rest.find('=');
    if (eq != std::string::npos) {
        hasValue = true;
        valueText = rest.substr(eq + 1);
        rest.erase(eq);
    }

    const FaultName *def = nullptr;
    for (const FaultName &f : kFaultNames)
        if (rest == f.name)
            def = &f;
    if (!def) {
        *error = "unknown fault '" + rest + "'";
        return false;
    }

    Fault f;
    f.kind = def->kind;
    if (hasNth) {
        int64_t n = 0;
        if (!def->takesNth) {
            *error = std::string(def->name) + " takes no @N";
            return false;
        }
        if (!ParseCount(nthText, &n) || n < 1 || n > 1000000000) {
            *error = "bad occurrence '@" + nthText + "' (a number from 1)";
            return false;
        }
        f.nth = static_cast<int>(n);
    }
    if (hasValue && !def->takesValue) {
        *error = std::string(def->name) + " takes no =VALUE";
        return false;
    }
    if (def->needsValue && !hasValue) {
        *error = std::string(def->name) + " needs =N";
        return false;
    }

    int64_t v = 0;
    if (hasValue && !ParseCount(valueText, &v)) {
        *error = "bad value '" + valueText + "' for " + def->name;
        return false;
    }
    switch (f.kind) {
    case FaultKind::ShortReply:
        if (!hasValue)
            v = kDefaultShortReply;
        if (v >= kReplyLength) {
            *error = "short-reply keeps fewer than 23 characters";
            return false;
        }
        f.value = v;
        break;
    case FaultKind::LateReply:
        f.value = hasValue ? v : kDefaultLateReplyMs;
        if (f.value > 3600 * 1000) {
            *error = "late-reply delay above one hour";
            return false;
        }
        break;
    case FaultKind::HangupAfter:
        if (v < 1 || v > 1000000000) {
            *error = "hangup-after needs a count from 1";
            return false;
        }
        f.nth = static_cast<int>(v);
        break;
    default:
        break;
    }
    *out = f;
    return true;
}

std::string DescribeFault(const Fault &fault)
{
    std::string s;
    for (const FaultName &f : kFaultNames)
        if (f.kind == fault.kind)
            s = f.name;
    switch (fault.kind) {
    case FaultKind::ShortReply:
    case FaultKind::LateReply:
        s += "=" + std::to_string(fault.value);
        break;
    case FaultKind::HangupAfter:
        return s + "=" + std::to_string(fault.nth);
    default:
        break;
    }
    if (fault.nth > 0)
        s += "@" + std::to_string(fault.nth);
    return s;
}

std::string FaultHelp()
{
    std::string s;
    for (const FaultName &f : kFaultNames)
        s += std::string("  ") + f.help + "\n";
    return s;
}

PhoneLine::PhoneLine(int64_t charUs)
    : charUs_(charUs < 0 ? 0 : charUs)
{
    words_.fill(0xFFFF);
}

bool PhoneLine::fires(Fault &f)
{
    ++f.seen;
    return f.nth == 0 || f.seen == f.nth;
}

int64_t PhoneLine::transmit(std::vector<LineEvent> &out, uint8_t byte, int64_t startUs)
{
    // One transmitter: a character starts when the previous one has left.
    const int64_t due = std::max(startUs, txFreeUs_) + charUs_;
    txFreeUs_ = due;
    LineEvent e;
    e.kind = LineEvent::Send;
    e.byte = byte;
    e.dueUs = due;
    out.push_back(e);
    return due;
}

std::vector<LineEvent> PhoneLine::receive(uint8_t byte, int64_t nowUs)
{
    std::vector<LineEvent> out;
    if (hungUp_)
        return out;
    ++received_;

    // A pty hands the program's byte over at once; on the wire it is here only
    // when its stop bit is, one character time after it could start, and a
    // burst arrives one character after another.
    const int64_t arrival = std::max(nowUs, rxFreeUs_) + charUs_;
    rxFreeUs_ = arrival;

    bool dropEcho = false, wrongEcho = false, stray = false, hangup = false;
    for (Fault &f : faults_) {
        switch (f.kind) {
        case FaultKind::NoEcho:
            dropEcho |= fires(f);
            break;
        case FaultKind::WrongEcho:
            wrongEcho |= fires(f);
            break;
        case FaultKind::Stray:
            stray |= fires(f);
            break;
        case FaultKind::HangupAfter:
            hangup |= (++f.seen == f.nth);
            break;
        default:
            break;
        }
    }

    int64_t echoDone = arrival;
    if (!dropEcho)
        echoDone = transmit(out, wrongEcho ? static_cast<uint8_t>(byte + 1) : byte, arrival);
    if (stray)
        echoDone = transmit(out, kStrayByte, echoDone);

    if (hangup) {
        LineEvent e;
        e.kind = LineEvent::Hangup;
        e.dueUs = std::max(echoDone, txFreeUs_);
        out.push_back(e);
        hungUp_ = true;
        cmd_ = Cmd::None;
        digits_.clear();
        return out;
    }

    if (byte == 'M' || byte == 'm') {
        cmd_ = byte == 'M' ? Cmd::Write : Cmd::Read;
        digits_.clear();
    } else if (IsHex(byte) && cmd_ != Cmd::None) {
        digits_.push_back(static_cast<char>(byte));
        const size_t limit = cmd_ == Cmd::Read ? kReadDigits : kMaxWriteDigits;
        if (digits_.size() > limit) {
            cmd_ = Cmd::None;
            digits_.clear();
        }
    } else if (byte == kCr) {
        executeCr(out, arrival, echoDone);
        cmd_ = Cmd::None;
        digits_.clear();
    } else {
        cmd_ = Cmd::None;
        digits_.clear();
    }
    return out;
}

void PhoneLine::executeCr(std::vector<LineEvent> &out, int64_t arrivalUs, int64_t echoDoneUs)
{
    if (cmd_ == Cmd::Read && digits_.size() == kReadDigits) {
        const uint8_t addr = static_cast<uint8_t>(ParseHex(digits_, 0, 2));
        ++replies_;
        bool noBang = false, lower = false;
        int64_t keep = kReplyLength, delayMs = 0;
        for (Fault &f : faults_) {
            switch (f.kind) {
            case FaultKind::NoBang:
                noBang |= fires(f);
                break;
            case FaultKind::Lowercase:
                lower |= fires(f);
                break;
            case FaultKind::ShortReply:
                if (fires(f))
                    keep = std::min(keep, f.value);
                break;
            case FaultKind::LateReply:
                if (fires(f))
                    delayMs = std::max(delayMs, f.value);
                break;
            default:
                break;
            }
        }
        std::string reply = buildReply(addr, lower);
        if (noBang)
            reply[0] = static_cast<char>(kNoBangByte);
        int64_t t = echoDoneUs + delayMs * 1000;
        for (int64_t i = 0; i < keep; ++i)
            t = transmit(out, static_cast<uint8_t>(reply[static_cast<size_t>(i)]), t);
        return;
    }

    if (cmd_ == Cmd::Write && digits_.size() >= 6 && ((digits_.size() - 2) % 4 == 0 || keepParsed_)) {
        ++writes_;
        bool drop = false, corrupt = false;
        for (Fault &f : faults_) {
            if (f.kind == FaultKind::DropWrite)
                drop |= fires(f);
            else if (f.kind == FaultKind::CorruptWrite)
                corrupt |= fires(f);
        }
        if (drop)
            return;
        const unsigned addr = ParseHex(digits_, 0, 2);
        const size_t n = (digits_.size() - 2) / 4;
        for (size_t k = 0; k < n; ++k)
            words_[(addr + k) & kAddrMask] = static_cast<uint16_t>(ParseHex(digits_, 2 + 4 * k, 4));
        if (corrupt)
            words_[addr & kAddrMask] ^= 0x0001;
        LineEvent e;
        e.kind = LineEvent::Stored;
        e.dueUs = arrivalUs;
        out.push_back(e);
    }
}

std::string PhoneLine::buildReply(uint8_t addr, bool lower) const
{
    std::string s = "!";
    for (unsigned k = 0; k < 5; ++k)
        s += HexWord(words_[(addr + k) & kAddrMask], lower);
    s.push_back(static_cast<char>(kCr));
    s.push_back(static_cast<char>(kLf));
    return s;
}

void PhoneLine::reset()
{
    cmd_ = Cmd::None;
    digits_.clear();
    restartTiming();
}

void PhoneLine::restartTiming()
{
    rxFreeUs_ = 0;
    txFreeUs_ = 0;
}

std::string HexWord(uint16_t w, bool lower)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, lower ? "%04x" : "%04X", static_cast<unsigned>(w));
    return buf;
}

std::string HexByte(uint8_t b)
{
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(b));
    return buf;
}

std::string DumpEeprom(const Eeprom &words)
{
    std::string s = "    ";
    for (int c = 0; c < 8; ++c)
        s += "   " + HexByte(static_cast<uint8_t>(c)) + (c < 7 ? "" : "\n");
    for (int r = 0; r < kWords / 8; ++r) {
        s += HexByte(static_cast<uint8_t>(r * 8)) + ": ";
        for (int c = 0; c < 8; ++c)
            s += " " + HexWord(words[static_cast<size_t>(r * 8 + c)]);
        s += "\n";
    }
    return s;
}

} // namespace qphone
