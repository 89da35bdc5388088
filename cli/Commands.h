#pragma once

// The commands of quillon-cli, one file each; main dispatches to them.

#include "cli/CliArgs.h"

namespace Cli {

int RunRead(Args &a);
int RunWrite(Args &a);
int RunVerify(Args &a);
int RunInfo(Args &a);
int RunDiff(Args &a);
int RunPreset(Args &a);
int RunSet(Args &a);
int RunBackups(Args &a);
int RunPorts(Args &a);
int RunProbe(Args &a);
int RunSeries(Args &a);

// series' own options
extern const QCommandLineOption kKeep;
extern const QCommandLineOption kScope;
extern const QCommandLineOption kStopOnFail;
extern const QCommandLineOption kCount;
extern const QCommandLineOption kLog;

} // namespace Cli
