#pragma once

// quillon-cli's exit statuses, all in one place; the man page, the README and
// the help's "Exit status" list name them.

namespace Cli {

enum ExitCode {
    ExitOk = 0,
    ExitWordsDiffer = 1, // a write or verify did not read back as written; diff found differences
    ExitUsage = 2,
    ExitPort = 3,      // the port could not be opened
    ExitFile = 4,      // an image file could not be read or written
    ExitJobFailed = 5, // a job that started failed, whatever the cause: a lost port, Ctrl+C
    ExitNoEcho = 6,    // probe: no echo
    ExitWrongEcho = 7, // probe: a wrong echo
};

} // namespace Cli
