#pragma once

// quillon-cli set: the ID code, channel plan and system channels of an image
// file by name, and pairing a handset with its base (--from).

#include "image/ImageCheck.h"
#include "image/ImageFile.h"
#include "radio/Pairing.h"

#include <QCommandLineOption>
#include <QStringList>
#include <functional>
#include <optional>

namespace Cli {

extern const QCommandLineOption kSetFrom;
extern const char kSetSynopsis[];
extern const char kSetSummary[];
extern const char kSetKeysHelp[];

struct SetRequest {
    QStringList positionals; // FILE, then KEY=VALUE
    std::optional<QString> output;
    std::optional<QString> from;
    bool quiet = false;
};

// The command's ways out, as the other commands have them.
struct SetIo {
    std::function<bool(const QString &path, ImageFileData *out, int *code)> load;
    // The image --from names: what is evidently no image is refused, and
    // *check tells which words it holds.
    std::function<bool(const QString &path, ImageFileData *out, ImageFileCheck *check, int *code)> loadBase;
    std::function<void(const QString &)> out;  // standard output
    std::function<void(const QString &)> note; // a line on standard error
    std::function<int(int code, const QString &)> fail;
};

int SetCommand(const SetRequest &request, const SetIo &io);

// The usage error for a refused value: the key, what was typed and what it takes.
QString SetRefusalText(Pairing::Field field, const Pairing::Refusal &refusal, const QString &typed);

} // namespace Cli
