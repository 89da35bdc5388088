#pragma once

// What quillon-cli decides, apart from the port, the disk and the terminal,
// so that tests can drive it directly; one header a concern, gathered here.

#include "cli/CliImageText.h"
#include "cli/CliNames.h"
#include "cli/CliPrintable.h"
#include "cli/CliProgress.h"
#include "cli/CliRange.h"
#include "cli/ExitCode.h"
