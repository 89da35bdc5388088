#include "cli/CliHelp.h"

#include "cli/CliInterrupt.h"
#include "cli/CliNames.h"
#include "cli/CliText.h"

#include <cstring>
#include <iterator>

namespace Cli {

namespace {

// The exit statuses whose digits `codes` lists (all of them for none).
// Only diff's success says something of its own, and only diff's help and
// the main help tell it.
QString ExitCodesText(const char *codes = nullptr, bool diffSuccess = true)
{
    static const char *const lines[] = {
        QT_TRANSLATE_NOOP("Cli", "  0  success (diff: the images are the same)\n"),
        QT_TRANSLATE_NOOP("Cli", "  1  words differ: a write or verify did not read back as expected, or diff found differences\n"),
        QT_TRANSLATE_NOOP("Cli", "  2  usage error\n"),
        QT_TRANSLATE_NOOP("Cli", "  3  the port could not be opened (the serial port component's message)\n"),
        QT_TRANSLATE_NOOP("Cli", "  4  file error (an image file could not be read or written)\n"),
        QT_TRANSLATE_NOOP("Cli", "  5  a job that started failed (\"Not done...\"), whatever the cause: also a lost port,\n"
                                 "     %1\n"),
        QT_TRANSLATE_NOOP("Cli", "  6  probe: no echo\n"),
        QT_TRANSLATE_NOOP("Cli", "  7  probe: a wrong echo\n"),
    };
    QString text = Text::tr("Exit status:\n");
    for (size_t code = 0; code < std::size(lines); ++code)
        if (!codes || std::strchr(codes, char('0' + code)))
            text += code == 0 && !diffSuccess ? Text::tr("  0  success\n")
                                              : Text::tr(lines[code]).replace(QStringLiteral("%1"), InterruptNames());
    return text;
}

QString ModelsText()
{
    return Text::tr("Models (read --model N; the model byte of an image file):\n") + ModelListText();
}

} // namespace

QString MainHelp()
{
    QString text = Text::tr("Usage: quillon-cli COMMAND [options]\n\n"
                            "Reads, writes and checks the EEPROM of SN-258 and SN-258+ telephones "
                            "without a window.\n\nCommands:\n");
    for (const Command &c : Commands())
        text += QStringLiteral("  ") + QString::fromUtf8(c.synopsis) + u'\n';
    text += QStringLiteral("  --version\n\n")
          + Text::tr("'quillon-cli COMMAND --help' describes a command; %1 tells all.\n\n").arg(ManualName());
    return text + ModelsText() + u'\n' + ExitCodesText();
}

QString CommandHelp(const Command &c, const QString &parserHelp)
{
    QString text = parserHelp;
    text.replace(0, text.indexOf(u'\n'), Text::tr("Usage: quillon-cli %1").arg(QString::fromUtf8(c.synopsis)));
    if (qstrcmp(c.name, "read") == 0)
        text += u'\n' + ModelsText();
    return text + u'\n' + ExitCodesText(c.exitCodes, qstrcmp(c.name, "diff") == 0);
}

} // namespace Cli
