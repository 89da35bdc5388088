#pragma once

// A file saved from a block or one-word read holds FFFF in every word it did
// not read, and the format has no field for which words those are. The comment
// carries it instead, as a tag such as "[read 30-3F]" or "[read 0A]", so that
// writing the file back over words it never held can be refused.

#include <QString>
#include <optional>

struct ReadRange {
    int first = 0; // word addresses, inclusive
    int last = 0;
    bool operator==(const ReadRange &o) const { return first == o.first && last == o.last; }
};

// "[read 30-3F]", or "[read 0A]" for one word.
QString ReadRangeMark(ReadRange range);
// The comment with the mark appended (after a blank when the comment has text).
QString WithReadRangeMark(const QString &comment, ReadRange range);
// The range named by the last mark in the comment; nullopt when there is none
// or it names no valid range.
std::optional<ReadRange> FindReadRangeMark(const QString &comment);
