#pragma once

// What ties a handset to its base: the ID code (word 0x37), the working
// channel range (0x38, HI = first channel, LO = last) and the four system
// channels (0x39, 0x3A). Plain code: the window's page and quillon-cli only
// turn typed text into calls of these and show the refusals.

#include "image/EepromImage.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace Pairing {

constexpr int kFirstWord = Addr::PairedFirst; // 0x37
constexpr int kLastWord = Addr::PairedLast; // 0x3A
constexpr int kWords = kLastWord - kFirstWord + 1;

// Words 0x37-0x3A in address order.
using Words = std::array<uint16_t, kWords>;
using SysChannels = std::array<uint8_t, 4>;

Words WordsOf(const EepromImage &image);
void Store(EepromImage &image, const Words &words);
// Pairing: the other image's words 0x37-0x3A into `image`; nothing else changes.
void CopyFrom(EepromImage &image, const EepromImage &other);

// A unit's own ID code: blank words (FFFF) and factory blocks (0000) carry none.
constexpr bool IsRealId(uint16_t id) { return id != 0x0000 && id != 0xFFFF; }

// ---- channel plans ----

struct ChannelPlan {
    const char *name; // "F6", "F7", "F8", "PLUS"
    uint8_t first, last;
};
constexpr int kPlans = 4;
extern const std::array<ChannelPlan, kPlans> Plans;

constexpr uint16_t RangeWord(uint8_t first, uint8_t last) { return uint16_t(first << 8 | last); }
// The plan that word 0x38 names, 0..kPlans-1; -1 when it is none of them
// exactly (the page's "другой").
int PlanOf(uint16_t rangeWord);
// "F6" ... "PLUS", or "" for a range that names no plan.
QString PlanName(uint16_t rangeWord);
// The channels of the range in decimal, "80-119".
QString ChannelsText(uint16_t rangeWord);
// "F8 (80-119)", or the channels alone for a range that names no plan.
QString RangeText(uint16_t rangeWord);

SysChannels SysChannelsOf(const Words &words);
void SetSysChannels(Words &words, const SysChannels &channels);
// Whether a channel lies in the working range first..last (none does when
// first > last).
bool InRange(uint8_t channel, uint16_t rangeWord);
// Which of the four system channels (0..3) lie outside the working range.
std::array<bool, 4> OutsideRange(const Words &words);

// ---- typed values ----

// Why typed text was refused. The callers word it (the window in Russian,
// quillon-cli in English) and name the field; `low` and `high` are the
// allowed range.
struct Refusal {
    enum Why { None, NotANumber, OutOfRange, FirstAfterLast };
    Why why = None;
    int low = 0, high = 0;
    explicit operator bool() const { return why != None; }
};

template <typename T> struct Parsed {
    std::optional<T> value; // set exactly when refusal is None
    Refusal refusal;
};

// Decimal 0-65535, or hex 0x0-0xFFFF with its "0x" (the CLI's id=).
Parsed<uint16_t> ParseId(const QString &text);
// 1-4 hex digits without prefix (a hex field beside the decimal one).
Parsed<uint16_t> ParseIdHex(const QString &text);
// A channel number 0-255, decimal.
Parsed<uint8_t> ParseChannel(const QString &text);
// The working range from a first and a last channel: both 0-255, first <= last.
Parsed<uint16_t> ParseRange(const QString &first, const QString &last);
// F6, F7, F8, PLUS (any case) or FIRST-LAST: the word 0x38.
Parsed<uint16_t> ParsePlan(const QString &text);
// Four channels 0-255 separated by commas: "81,82,83,84".
Parsed<SysChannels> ParseSysChannels(const QString &text);

// Typed values, each absent when not given.
struct Typed {
    std::optional<QString> id, plan, sys;
};
enum class Field { None, Id, Plan, Sys };
struct Applied {
    Words words{};                // valid only without refusal
    Field field = Field::None;    // the field refused
    Refusal refusal;
};
// `words` with the typed values put in, or the first refusal (id, plan, sys
// in that order) and nothing changed.
Applied Apply(const Words &words, const Typed &typed);

} // namespace Pairing
