#pragma once

// The names quillon-cli takes (ports, presets, models) and what it says
// about a port that could not be opened.

#include <QString>
#include <optional>

namespace Cli {

// "COM1".."COM15" (any case) as the window names them, or a device path
// (anything holding a "/"). Nothing for other names.
std::optional<QString> PortArgument(const QString &text);
// A preset by its action name (any case) or its caption; -1 for none.
int FindPreset(const QString &name);

// The model list as "0 <неизвестно>" lines, for the help texts.
QString ModelListText();

// What to do about a port that could not be opened or used, by the error
// number the port component reports; empty where there is nothing to add.
QString PortRemedy(int platformCode);
// --port's help: what this system's build takes (PortRemedy*.cpp), for
// Text::tr where the help is shown.
extern const char kPortHelp[];

} // namespace Cli
