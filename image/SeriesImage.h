#pragma once

// What a series of telephones shares, apart from the port: each unit's
// image (the series image with the words kept from the unit), the write
// scope, and the log of the units done. The window, quillon-cli and the
// tests use it alike.

#include "image/EepromImage.h"
#include "image/Wording.h"

#include <QDateTime>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

// Which of the unit's own words survive, combinable.
enum SeriesKeep : unsigned {
    KeepNone = 0,
    KeepId = 1,  // 0x37-0x3A: ID code and channels, for sets that stay paired
    KeepLow = 2, // 0x00-0x2F: the settings below the radio block
};

enum class SeriesScope { All, Block }; // all words, or block 30-3F

int ScopeFirst(SeriesScope scope);
int ScopeLast(SeriesScope scope);

// "id", "low", "none", "id,low" (in any order); false on anything else.
bool ParseSeriesKeep(const QString &text, unsigned *keep);
bool ParseSeriesScope(const QString &text, SeriesScope *scope);

// The image the unit must hold once its series job is done: the series
// image, the kept words from what the unit held, and with the block scope
// everything outside 30-3F as the unit held it (those words are not written).
EepromImage BuildUnitImage(const EepromImage &series, const EepromImage &unit, unsigned keep, SeriesScope scope);

// A series would write words 00-2F of its image into every unit, and there
// they are all FFFF, as a blank image, a preset alone or a block read leaves
// them: each unit's own settings would be erased.
bool SeriesErasesLowWords(const EepromImage &image, unsigned keep, SeriesScope scope);

// One unit of a series as the log records it.
struct SeriesUnit {
    int number = 0;      // 1-based within the series
    QDateTime start;
    qint64 durationMs = 0;
    QString port;
    int idBefore = -1;     // word 0x37 as read from the unit, -1 when not read
    int idAfter = -1;      // word 0x37 as read back after the write, -1 when not read
    bool good = false;
    bool written = false; // a write began: a failed unit may hold part of the image
    LaterText cause;       // empty for a good unit
    QList<int> differing;  // addresses that did not verify
    QString backup;        // the backup's file name, empty without one
};

// A field for a CSV row: quoted when it holds a comma, a quote, CR or LF,
// with its quotes doubled.
QString CsvField(const QString &text);
QString SeriesCsvHeader();
QString SeriesCsvRow(const SeriesUnit &unit);
// The log's result word: "good", "failed" (written, not as the image says) or
// "untouched" (nothing was written to it).
QString SeriesResultWord(const SeriesUnit &unit);

// The log of one series: a header row when the file is new, then one row per
// unit, each written and flushed at once so that a crash loses no row. UTF-8.
class SeriesLog {
public:
    // <the data folder of Quillon>/series/<start time>.csv, beside the backups;
    // " (2)" and on before ".csv" when that file exists already.
    static QString DefaultPath(const QDateTime &start);

    // Appends to an existing file. makeFolder creates the folder when missing
    // (the default path's); a path typed by the user must name a folder that
    // exists, so that a typo makes no folders. A device (/dev/stdout) is
    // written as it is: it has no end to append at.
    bool Open(const QString &path, bool makeFolder = false);
    bool Append(const SeriesUnit &unit);
    QString Path() const { return File.fileName(); }
    QString ErrorString() const { return File.errorString(); }

private:
    bool WriteLine(const QString &line);
    QFile File;
};
