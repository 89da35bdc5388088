#pragma once

#include <QString>
#include <array>
#include <cstdint>

// The in-memory copy of the telephone's 64-word serial EEPROM.
struct EepromImage {
    static constexpr int kWords = 64;
    static constexpr uint16_t kBlank = 0xFFFF;

    std::array<uint16_t, kWords> words{};

    EepromImage() { BlankBuf(); }

    // Every word to the erased value 0xFFFF. Redrawing is the caller's business.
    void BlankBuf() { words.fill(kBlank); }

    uint16_t &operator[](int addr) { return words[static_cast<size_t>(addr & 0x3F)]; }
    uint16_t operator[](int addr) const { return words[static_cast<size_t>(addr & 0x3F)]; }

    bool operator==(const EepromImage &o) const { return words == o.words; }
    bool operator!=(const EepromImage &o) const { return !(*this == o); }
};

// Word addresses the radio decoding relies on.
namespace Addr {
constexpr int Checksum = 0x31;
constexpr int RefDivider = 0x32;
constexpr int TxMultiplier = 0x33;
constexpr int LoMultiplier = 0x34;
constexpr int BaseId = 0x37;
constexpr int ChannelRange = 0x38;
constexpr int SysChannels12 = 0x39;
constexpr int SysChannels34 = 0x3A;
// What ties a handset to its base: pairing copies these words, a series
// keeps them on request.
constexpr int PairedFirst = BaseId;
constexpr int PairedLast = SysChannels34;
constexpr int BlockFirst = 0x30;
constexpr int BlockLast = 0x3F;
} // namespace Addr

inline uint8_t Hi(uint16_t w) { return static_cast<uint8_t>(w >> 8); }
inline uint8_t Lo(uint16_t w) { return static_cast<uint8_t>(w & 0xFF); }

// The one digit table both directions use, so program output is always upper case.
extern const char HexDigits[17];

QString WordToHex(uint16_t w);  // exactly four upper-case digits
QString ByteToHex(uint8_t b);   // exactly two upper-case digits
// Addresses first..last as a cut write's texts give them: "05", or "05-09".
QString AddrSpanHex(int first, int last);
// Lenient: reads exactly four positions, a non-digit (or a missing position)
// contributes a zero nibble; never fails.
uint16_t HexToWord(const QString &text);
uint16_t HexToWord(const char *text, int len);
