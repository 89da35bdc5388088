#pragma once

// quillon-cli set: the ID code, channel plan and system channels of an image
// file by name, and pairing a handset with its base (--from).

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
    std::function<void(const QString &)> out;  // standard output
    std::function<void(const QString &)> note; // a line on standard error
    std::function<int(int code, const QString &)> fail;
};

int SetCommand(const SetRequest &request, const SetIo &io);

// The usage error for a refused value: the key, what was typed and what it takes.
QString SetRefusalText(Pairing::Field field, const Pairing::Refusal &refusal, const QString &typed);

} // namespace Cli
