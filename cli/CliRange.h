#pragma once

// Which words a job of quillon-cli covers: the range typed on the command
// line, the job that reads or writes it, and what is said of words a write
// left out or would put in without the file holding them.

#include "image/ImageFile.h"
#include "link/Engine.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace Cli {

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

} // namespace Cli
