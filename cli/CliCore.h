#pragma once

// What quillon-cli decides, apart from the port, the disk and the terminal,
// so that tests can drive it directly.

#include "cli/ExitCode.h"
#include "image/EepromImage.h"
#include "image/WordDiff.h"
#include "image/ImageCheck.h"
#include "image/ImageFile.h"
#include "link/Engine.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>
#include <vector>

namespace Cli {

// ---- which words a job covers ----

enum class Range { All, Block, Word };

struct JobRange {
    Range range = Range::All;
    uint8_t addr = 0; // Word only
    bool typed = false; // the range was given, not taken as the default
};

// Takes an optional leading "all", "block" or "word ADDR" (any case) off the
// positional arguments; nothing there means all. False with `error` set on a
// bad address.
bool TakeRange(QStringList &positionals, JobRange *out, QString *error);
extern const char kWordAddressError[];
// A range word where it is no longer taken (after the file name).
bool IsRangeWord(const QString &text);
// "3F", "0x3F": 00-3F; hex digits only (no sign, no blanks).
std::optional<uint8_t> ParseWordAddress(const QString &text);

EngineJob ReadJob(Range range);  // Read258, ReadBlock, ReadCur
EngineJob WriteJob(Range range); // Write258, WriteBlock, WriteCur
int FirstAddr(const JobRange &r);
int LastAddr(const JobRange &r);
// "Read258" and so on: the window's action name of the job.
QString JobName(EngineJob job);

// Why writing `file` (named `path`) over `range` would put words into the
// telephone that the file never held: more than a block or word read marked
// in its comment holds, or, with no range typed, words 00-2F that are all
// FFFF as a block read leaves them. Empty when it would not.
QString UnheldWords(const QString &path, const ImageFileData &file, const JobRange &range);

// ---- comparing words ----

// One line per word, "AA  AAAA  BBBB", under a heading naming the two columns.
QString DiffTable(const std::vector<WordDiff> &diffs, const QString &aColumn, const QString &bColumn);

// ---- the 64 words as text ----

// Eight lines "AA: WWWW WWWW ... WWWW" (eight words each).
QString ImageHexText(const EepromImage &image);
// That text back: exactly 64 words of four hex digits. Where lines carry
// "AA:" labels, every line must, with eight words, and the words go where
// the label says; a label that is no line's (not 00: 08: ... 38:), a label
// twice or a line missing is refused with `error` naming the line. Nothing
// (and no error) for text that is no such dump at all.
std::optional<EepromImage> ParseImageHexText(const QByteArray &text, QString *error = nullptr);

// An image given on the command line (a file's bytes or standard input).
struct ImageInput {
    std::optional<ImageFileData> data; // nothing: not an image at all (see error)
    IoError error;
    // Why the bytes are evidently not an image though they decode as one;
    // empty when they may well be one.
    QString suspicion;
    // Why they are refused even with --force: a dump with a faulty line, an
    // empty input. Empty when they are not refused outright.
    QString refusal;
    // --force would write them: they decode as an image file.
    bool forceable = false;
    // What the bytes of a file are and which words they hold (a dump: an
    // image holding all 64).
    ImageFileCheck check;
};
// The hex text of "read -o -", else the bytes of an image file. Text that is
// not a complete hex dump is never taken as an image's bytes unless `force`.
ImageInput DecodeImageInput(const QByteArray &bytes, bool force = false);
// Why bytes that decode as an image file are evidently none: text (every
// byte printable or a line end), or a model byte that names no model.
QString ImageSuspicion(const QByteArray &bytes);

// ---- names ----

// "COM1".."COM15" (any case) as the window names them, or a device path
// (anything holding a "/"). Nothing for other names.
std::optional<QString> PortArgument(const QString &text);
// A preset by its action name (any case) or its caption; -1 for none.
int FindPreset(const QString &name);

// ---- what the terminal shows ----

// The address the job is at: the start of the command being exchanged, the
// next command's before it is built, the first one before the opening CR.
int JobAddress(const ProgrammingEngine &engine);
// "Чтение...  [########          ]  45%  addr 14  0:08", at most `columns`
// characters wide: a narrow terminal gets a shorter bar, then less text.
QString ProgressLine(const QString &status, int progress, int maximum, int addr, qint64 elapsedMs,
                     int columns = 80);

// The bytes that draw `line` (empty: clear it) over the progress line drawn
// before, `previousLength` characters long: the terminal's erase sequence
// after it, or blanks over what is left where the terminal has none.
QString RedrawnLine(const QString &line, int previousLength, const QString &erase);

// ---- port errors ----

// What to do about a port that could not be opened or used, by the error
// number the port component reports; empty where there is nothing to add.
QString PortRemedy(int platformCode);
// --port's help: what this system's build takes (PortRemedy*.cpp), for
// Text::tr where the help is shown.
extern const char kPortHelp[];

// ---- what is printed ----

// Text from data (a comment, a file name, a device's name) made safe for a
// terminal: every control character (C0, DEL, C1) becomes \uXXXX, so that an
// ESC sequence cannot clear the screen or retitle the window, and a line
// stays one line. keepLineBreaks leaves "\n" alone, for whole messages. The
// form is JSON's own, so JSON passed through stays valid and means the same.
QString Printable(const QString &text, bool keepLineBreaks = false);

// The text of a file error: the plain code's (context "IoError", in
// quillon-cli's words), except a comment too long, which is its own.
QString IoErrorText(const IoError &error);

// The model list as "0 <неизвестно>" lines, for the help texts.
QString ModelListText();

} // namespace Cli
