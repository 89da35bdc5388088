#pragma once

// The telephone's side of the echoing character protocol, without any I/O:
// bytes go in with the time they were read, and come out as events stamped
// with the time they are due on the line. The pty loop only delivers them.
// Both directions are paced: a byte read from the pty counts as received one
// character time later (it had to cross the wire), and what the telephone
// sends takes a character time each.
//
// Behaviour chosen where the protocol leaves the telephone open:
//  - Word addresses have six bits: every address is taken modulo 0x40, for the
//    start address and for the words that follow it (a read at 0x3C returns
//    0x3C..0x3F and then 0x00; a write running past 0x3F continues at 0x00).
//  - Hex digits in commands are accepted in either case.
//  - "M" takes 1..5 whole words. A CR after a partial word, after no word, or
//    after an incomplete address stores nothing; a 21st word digit drops the
//    command. "M" or "m" always starts a new command, even inside another one.
//  - The read reply is "!", 20 upper-case hex digits, CR, LF.
//  - Any other byte is echoed and drops the command being parsed.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qphone {

constexpr int kWords = 64;
constexpr uint8_t kAddrMask = 0x3F;
constexpr int kReplyLength = 23;
constexpr int64_t kDefaultCharUs = 33333; // 10 bits at 300 bit/s
constexpr uint8_t kStrayByte = '#';
constexpr uint8_t kNoBangByte = '?';

using Eeprom = std::array<uint16_t, kWords>;

enum class FaultKind {
    NoEcho,      // the echo of a received character is not sent
    WrongEcho,   // the echo is the received byte + 1
    NoBang,      // the reply starts with '?' instead of '!'
    ShortReply,  // only the first `value` reply characters are sent
    LateReply,   // the reply starts `value` ms later than it would
    Lowercase,   // reply hex digits in lower case
    Stray,       // an extra '#' follows the echo
    HangupAfter, // the line is dropped after the echo of the Nth character
    DropWrite,   // a write command is echoed but stores nothing
    CorruptWrite, // a write command stores its first word with bit 0 inverted
};

// One fault. Echo faults (NoEcho, WrongEcho, Stray, HangupAfter) count
// received characters, reply faults count read replies, write faults
// (DropWrite, CorruptWrite) count the write commands that would store, each
// from the moment the fault was added. `nth` 0 means every occurrence.
struct Fault {
    FaultKind kind = FaultKind::NoEcho;
    int nth = 0;
    int64_t value = 0;
    int seen = 0;
};

// Parses NAME[=VALUE][@N], e.g. "no-echo@3", "late-reply=2000", "short-reply=5@2",
// "hangup-after=10". Returns false and sets `error` on a bad spec.
bool ParseFault(const std::string &spec, Fault *out, std::string *error);
std::string DescribeFault(const Fault &fault);
// The names and one-line help of every fault, for --help.
std::string FaultHelp();

struct LineEvent {
    enum Kind {
        Send,   // put `byte` on the line at `dueUs`
        Stored, // a write command changed the EEPROM (due at once)
        Hangup, // drop the line at `dueUs`
    };
    Kind kind = Send;
    uint8_t byte = 0;
    int64_t dueUs = 0;
};

class PhoneLine
{
public:
    explicit PhoneLine(int64_t charUs = kDefaultCharUs);

    Eeprom &words() { return words_; }
    const Eeprom &words() const { return words_; }

    // 0 disables pacing: everything is due as soon as it is caused.
    void setCharUs(int64_t charUs) { charUs_ = charUs < 0 ? 0 : charUs; }
    int64_t charUs() const { return charUs_; }

    // A write command cut inside a word still stores its whole words at the
    // next CR (as some telephones may); by default such a command stores nothing.
    void setKeepParsed(bool keep) { keepParsed_ = keep; }

    void addFault(const Fault &fault) { faults_.push_back(fault); }
    void clearFaults() { faults_.clear(); }
    const std::vector<Fault> &faults() const { return faults_; }

    // One byte from the program, read at `nowUs`. Returns what the telephone
    // does about it, in the order due.
    std::vector<LineEvent> receive(uint8_t byte, int64_t nowUs);

    // The unit is taken off the line: forget a half-parsed command and the
    // line timing. The EEPROM and the fault counters stay.
    void reset();
    // The program closed its port: the line timing starts again, but the
    // telephone knows nothing of ports and keeps what it parsed so far (the
    // next CR completes it).
    void restartTiming();

    bool hungUp() const { return hungUp_; }
    int received() const { return received_; }
    int replies() const { return replies_; }
    int writes() const { return writes_; }

private:
    enum class Cmd { None, Write, Read };

    int64_t transmit(std::vector<LineEvent> &out, uint8_t byte, int64_t startUs);
    void executeCr(std::vector<LineEvent> &out, int64_t arrivalUs, int64_t echoDoneUs);
    std::string buildReply(uint8_t addr, bool lower) const;
    static bool fires(Fault &f);

    Eeprom words_;
    int64_t charUs_;
    std::vector<Fault> faults_;

    Cmd cmd_ = Cmd::None;
    std::string digits_;
    bool keepParsed_ = false;

    // When each direction of the line is free for the next character.
    int64_t rxFreeUs_ = 0;
    int64_t txFreeUs_ = 0;

    bool hungUp_ = false;
    int received_ = 0;
    int replies_ = 0;
    int writes_ = 0;
};

// "0x3F" style helpers shared by the loop's logging and the dump.
std::string HexWord(uint16_t w, bool lower = false);
std::string HexByte(uint8_t b);
std::string DumpEeprom(const Eeprom &words);

} // namespace qphone
