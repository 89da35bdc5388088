#pragma once

// Which words of the window's image hold what the user means to have there.
// A block or one-word read into a blank image, and a file saved from one,
// leave FFFF in every word they did not read; writing the whole image would
// erase those words in the telephone. A blank the user asked for ("Отчистить
// буфер", or the program's start) is meant as it is.

#include "image/ReadMark.h"

#include <QString>
#include <cstdint>

class ImageCoverage {
public:
    static ImageCoverage Whole() { return ImageCoverage(Kind::Whole, 0); }
    static ImageCoverage Blank() { return ImageCoverage(Kind::Blank, 0); }
    // A file whose comment names the words it holds.
    static ImageCoverage Only(ReadRange range) { return Blank().AfterRead(range); }

    // A block or word read: into a whole image it changes nothing, into a
    // blank or partial one it adds the words read.
    ImageCoverage AfterRead(ReadRange range) const;

    // Only some words came from reads or a marked file.
    bool Partial() const { return kind_ == Kind::Partial; }
    // Those words: "30-3F", "0A", "00-05, 30-3F"; empty unless Partial.
    QString Text() const;

    bool operator==(const ImageCoverage &o) const { return kind_ == o.kind_ && mask_ == o.mask_; }

private:
    enum class Kind { Whole, Blank, Partial };
    ImageCoverage(Kind kind, uint64_t mask) : kind_(kind), mask_(mask) {}
    Kind kind_;
    uint64_t mask_; // bit a: word a was read
};
