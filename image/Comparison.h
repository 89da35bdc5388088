#pragma once

// What the window says of two images compared (a write's read-back against
// what was sent, the telephone or a file against the image), and the grid
// cells it marks: plain texts, tested without widgets.

#include "image/ImageFile.h"
#include "image/WordDiff.h"

#include <QString>
#include <vector>

// A grid cell marked until the image next changes; its tooltip says why.
struct CellMark {
    int addr;
    QString tip;
    bool doubtful = false; // may hold either word (a write not confirmed)
};
using CellMarks = std::vector<CellMark>;

// "<what>: 64 слова совпадают" ("1 слово совпадает", "5 слов совпадают").
QString AllEqualText(const QString &what, int words);
// "<what>: 3 слова из 64 не совпадают" ("1 слово из 16 не совпадает").
QString DifferText(const QString &what, int differ, int words);
// The same where room is short: "<what>: 3 из 64 не совпадают".
QString DifferBrief(const QString &what, int differ, int words);
// One line per word: "0A: записано 1234, прочитано 1235" (aName, bName the
// two sides), at most `limit` of them, then how many more ("и ещё 5 слов").
QString DiffLines(const std::vector<WordDiff> &diffs, const QString &aName, const QString &bName, int limit);
// The words that differ, each marked "<bWhere>: <b's word>".
CellMarks DiffMarks(const std::vector<WordDiff> &diffs, const QString &bWhere);

// A file compared with the image: panel 1's text, its tooltip and the marks.
// A file saved from a block or word read is compared only where it holds
// words; its model and comment are named when they differ.
struct FileComparison {
    QString panel, tip;
    CellMarks marks;
};
FileComparison CompareFile(const QString &fileName, const ImageFileData &file, const EepromImage &image,
                           int model, const QString &comment);
