#include "image/WordDiff.h"

std::vector<WordDiff> DiffWords(const EepromImage &a, const EepromImage &b, int first, int last)
{
    std::vector<WordDiff> diffs;
    for (int addr = first; addr <= last; ++addr)
        if (a[addr] != b[addr])
            diffs.push_back({addr, a[addr], b[addr]});
    return diffs;
}
