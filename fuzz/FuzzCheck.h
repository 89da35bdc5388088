#pragma once

#include <QString>

#include <cstdio>
#include <cstdlib>

// A failed property ends the run the way a sanitizer report does, so
// libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(cond)                                                                   \
    do {                                                                                   \
        if (!(cond)) {                                                                     \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)

// Exactly `digits` characters, each 0-9 or A-F.
inline bool IsUpperHex(const QString &s, int digits)
{
    if (s.size() != digits)
        return false;
    for (QChar c : s)
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')))
            return false;
    return true;
}
