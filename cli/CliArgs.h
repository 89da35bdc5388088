#pragma once

// What the commands of quillon-cli share: their options, their positional
// arguments, and loading and saving the image files they name.

#include "cli/CliCore.h"
#include "image/ImageFile.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

namespace Cli {

extern const QCommandLineOption kPort;
extern const QCommandLineOption kQuiet;
extern const QCommandLineOption kOutput;
extern const QCommandLineOption kModel;
extern const QCommandLineOption kComment;
extern const QCommandLineOption kNoVerify;
extern const QCommandLineOption kForce;
extern const QCommandLineOption kJson;
extern const QCommandLineOption kList;
extern const QCommandLineOption kNoBackup;
extern const QCommandLineOption kId;
extern const QCommandLineOption kTrace;

extern const char kRangeHelp[];
extern const char kFileHelp[];

struct Args {
    QCommandLineParser &parser;
    QStringList positionals;
};

// What is done with an image that is evidently not one.
// RefuseOutright is for a command that has no --force.
enum class Suspect { Warn, Refuse, RefuseOutright, Force };

// The image file at path (- for standard input) into *out; false with the
// failure reported and its exit status in *code. *check (when given) tells
// which words the file holds.
bool LoadInput(const QString &path, ImageFileData *out, int *code, Suspect suspect = Suspect::Warn,
               ImageFileCheck *check = nullptr);
// The image saved at path, or as hex text on standard output for -.
int SaveOutput(const QString &path, const EepromImage &image, int model, const QString &comment);

// PORT, the range, and what must be left of the positionals.
bool PortArgs(Args &a, int filesExpected, QString *port, JobRange *range, QString *error);
// --trace FILE: the file, empty without the option; false with the usage
// or file error reported (a file that cannot be made fails before the job).
bool TraceAccepted(Args &a, QString *path, int *code);
// A comment is one line of text; false with the usage error reported.
bool CommentAccepted(Args &a, int *code);

} // namespace Cli
