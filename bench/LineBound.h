#pragma once

// The least time the protocol allows a job on a real line: every character
// crosses the wire and its echo comes back before the next goes out (two
// character times), a read's reply takes its 23 characters, and the pauses
// after commands and replies are more than 50 and more than 30 ticks.

#include "link/Engine.h"

#include <algorithm>
#include <cstddef>

inline double LowerBoundSeconds(EngineJob job, double charS, double tickS)
{
    const JobSpec &row = JobTable[static_cast<size_t>(job)];
    const double echo = 2 * charS; // out over the wire, then back
    double t = echo;               // the opening CR
    for (int a = row.FirstAddr; a <= row.LastAddr; a += 5) {
        if (row.Writing) {
            const int words = std::min(5, row.LastAddr - a + 1);
            const int length = 4 + 4 * words;
            // The pause after the CR also waits for its echo.
            t += (length - 1) * echo + std::max(50 * tickS, echo);
        } else {
            // The reply follows the CR's echo; it is collected from the end of
            // the pause on, and the next command goes out more than 30 ticks
            // after the collection began, but not before the reply is in.
            const double pauses = std::max(50 * tickS, echo) + 30 * tickS;
            t += 3 * echo + std::max(pauses, echo + 23 * charS);
        }
    }
    return t;
}
