#pragma once

// The cells a check marked on the grid, each with its kind and tooltip, and
// the image's words they were made against: they tell of those words only, so
// a change of the words ends them.

#include "image/Comparison.h"
#include "image/EepromImage.h"

#include <utility>

class GridMarks {
public:
    // Replaces the marks; `against` is the image they were made against.
    void Set(CellMarks marks, const EepromImage &against)
    {
        Marks = std::move(marks);
        Against = against;
    }
    // The marks, which are gone from here (the grid unpaints them).
    CellMarks Take() { return std::exchange(Marks, CellMarks()); }
    bool Empty() const { return Marks.empty(); }
    // The image no longer holds the words the marks were made against.
    bool OutdatedBy(const EepromImage &image) const { return !Marks.empty() && image != Against; }

private:
    CellMarks Marks;
    EepromImage Against;
};
