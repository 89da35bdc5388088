#pragma once

// The bench: which unit is on the line. A trainee or a test plays a series of
// telephones by unplugging one and plugging the next; the units come from
// the files of a folder, in name order, or one at a time by name.
//
// Decisions:
//  - With --units the first file is plugged at start; each bare "plug" takes
//    the next file (a unit still on the line is unplugged first). When the folder has run out, "plug"
//    leaves the line unplugged and says so on stderr: the program sees no
//    telephone, as on a bench with no sets left.
//  - With --units, --save names a folder: each unit is saved there under its
//    own file name, after every write command, when it is unplugged and on
//    exit. So every unit's final EEPROM can be checked afterwards.
//  - Without --units a bare "plug" brings back the unit that was unplugged,
//    EEPROM and all; "plug FILE" loads another EEPROM into the one unit,
//    which --save keeps in its one file.
//  - Faults belong to the line, not to a unit: they carry on across units
//    until "clear".

#include "PhoneImage.h"
#include "PhoneOptions.h"

#include <string>
#include <vector>

namespace qphone {

class PhoneBench
{
public:
    // Lists the regular files of `dir` (dot files left out), sorted by name.
    // False with `error` when the folder cannot be read or holds none.
    bool openUnits(const std::string &dir, std::string *error);
    bool hasUnits() const { return !files_.empty(); }

    // The next file of the folder, or false when it has run out.
    bool next(std::string *path);
    // How many files have been handed out.
    int handedOut() const { return next_; }

    // Where the unit loaded from `unitPath` is saved, given --save: the
    // folder's entry of the same name with --units, else --save itself.
    std::string savePath(const std::string &save, const std::string &unitPath) const;

    const std::vector<std::string> &files() const { return files_; }

private:
    std::vector<std::string> files_;
    int next_ = 0;
};

// A unit's image: the file at `path` (blank for an empty path) with the
// --model, --comment and --word settings on top.
bool LoadUnit(const PhoneOptions &options, const std::string &path, PhoneImage *image, std::string *error);

} // namespace qphone
