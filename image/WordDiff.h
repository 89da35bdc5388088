#pragma once

// The words where two images differ: a verify's read-back against what was
// written, the CLI's diff, a comparison in the window.

#include "image/EepromImage.h"

#include <cstdint>
#include <vector>

struct WordDiff {
    int addr;
    uint16_t a; // written / first image
    uint16_t b; // read back / second image
};

std::vector<WordDiff> DiffWords(const EepromImage &a, const EepromImage &b, int first = 0,
                                int last = EepromImage::kWords - 1);
