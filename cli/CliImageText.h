#pragma once

// The 64 words as quillon-cli shows and takes them: the hex text of
// "read -o -", the table of words that differ, and an image given on the
// command line told apart from bytes that are none.

#include "image/EepromImage.h"
#include "image/ImageCheck.h"
#include "image/ImageFile.h"
#include "image/WordDiff.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace Cli {

// One line per word, "AA  AAAA  BBBB", under a heading naming the two columns.
QString DiffTable(const std::vector<WordDiff> &diffs, const QString &aColumn, const QString &bColumn);

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

} // namespace Cli
