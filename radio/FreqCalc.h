#pragma once

// The PLL arithmetic of the radio block: the known reference dividers, and
// the "Частота" page's state with the computations of its fill and of its
// exit handlers. Plain code; the page's widgets only copy texts in and out.

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// One known value of the reference divider (word 0x32).
struct RefOscillator {
    uint16_t divider;
    uint16_t refKHz;  // reference oscillator frequency
    uint16_t ifKHz;   // intermediate frequency that goes with it
    uint16_t stepHz;  // channel step, refKHz * 1000 / divider
};

// The divider's oscillator, or nullptr for a divider the telephones don't use.
const RefOscillator *FindRefOscillator(uint16_t divider);

// The texts of the page's fields, as the page shows them. Masked frequency
// fields read "" when they hold no number.
struct FreqFields {
    QString Edit2;     // reference divider, hex
    QString Edit3;     // transmitter multiplier, hex
    QString MaskEdit3; // TX, DDD.DDD
    QString Edit4;     // local-oscillator multiplier, hex
    QString MaskEdit4; // LO, DDD.DDD
    QString MaskEdit5; // RX, DDD.DDD
    bool CheckBox1 = false; // "+/-": RX = LO + IF when set, LO - IF when clear
};

// State of the "Частота" page, kept for the life of the program.
class FreqPage {
public:
    uint16_t RefKHz = 0; // 0 until a known divider has been seen; kept over unknown ones
    uint16_t IfKHz = 0;
    // kHz per multiplier unit. Extended precision on purpose: the truncations
    // below must land on the same integers as the telephone's own tables.
    long double StepKHz = 0;
    // Which of the words 0x32, 0x33 and 0x34 the user changed on the page
    // since it was last filled from the image or stored into it. Leaving the
    // page stores only these, so a word that changed behind the page (a read
    // from the telephone, a grid edit) is not overwritten with a stale field.
    std::array<bool, 3> Changed{};
    bool AnyChanged() const { return Changed[0] || Changed[1] || Changed[2]; }

    // Which reference indicator a fill checks: none, or 0..2 for
    // RadioButton3..RadioButton5.
    static constexpr int kNoIndicator = -1;

    // The fill from words 0x32-0x34; CheckBox1 in `fields` is read, not set.
    // Returns the indicator to check. A zero divider gives no step.
    int FromBuf(uint16_t divider, uint16_t txMul, uint16_t loMul, FreqFields &fields);

    // The exit handlers: each reads and rewrites `fields` as the page does.
    void MaskEdit3Exit(FreqFields &fields) const;
    void Edit3Exit(FreqFields &fields) const;
    void MaskEdit4Exit(FreqFields &fields) const;
    void Edit4Exit(FreqFields &fields) const;
    void MaskEdit5Exit(FreqFields &fields) const;

    // trunc(n * StepKHz).
    int64_t FrequencyOf(uint16_t multiplier) const;
    // trunc(kHz / StepKHz), low 16 bits kept; nothing while there is no
    // usable step (no known divider seen yet, or a zero divider).
    std::optional<uint16_t> MultiplierOf(int64_t kHz) const;
    bool HasStep() const { return StepKHz > 0; }
    // + IfKHz with "+/-" set, - IfKHz without.
    int64_t SignedIf(bool plus) const { return plus ? int64_t(IfKHz) : -int64_t(IfKHz); }
    // "+/-" as a fill from the image sets it: checked only when the transmitter's
    // multiplier is strictly below the oscillator's (equal ones leave it clear).
    static bool PlusMinusFor(uint16_t txMul, uint16_t loMul) { return txMul < loMul; }
};

// A frequency in kHz as the DDD.DDD field shows it: "263.625" for 263625.
// Values outside 100000..999999 kHz have no DDD.DDD form and give "", so the
// field shows no number rather than a mangled one.
QString FreqFieldText(int64_t kHz);
// The frequency in a DDD.DDD field; nothing unless all six digits are there.
std::optional<int64_t> ReadFreqField(const QString &text);
