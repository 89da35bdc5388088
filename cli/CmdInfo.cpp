#include "cli/Commands.h"

#include "cli/CliInfo.h"
#include "cli/CliPrint.h"
#include "cli/CliText.h"

#include <QJsonDocument>

namespace Cli {

int RunInfo(Args &a)
{
    if (a.positionals.size() != 1)
        return Fail(ExitUsage, Text::tr("one image file expected"));
    ImageFileData file;
    int code = ExitOk;
    if (!LoadInput(a.positionals.constFirst(), &file, &code))
        return code;
    if (a.parser.isSet(kJson))
        Out(QString::fromUtf8(QJsonDocument(InfoJson(file)).toJson(QJsonDocument::Indented)));
    else
        Out(InfoText(file));
    return ExitOk;
}

} // namespace Cli
