#pragma once

// What quillon-cli prints of data and of file errors.

#include "image/ImageFile.h"

#include <QString>

namespace Cli {

// Text from data (a comment, a file name, a device's name) made safe for a
// terminal: every control character (C0, DEL, C1) becomes \uXXXX, so that an
// ESC sequence cannot clear the screen or retitle the window, and a line
// stays one line. keepLineBreaks leaves "\n" alone, for whole messages. The
// form is JSON's own, so JSON passed through stays valid and means the same.
QString Printable(const QString &text, bool keepLineBreaks = false);

// The text of a file error: the plain code's (context "IoError", in
// quillon-cli's words), except a comment too long, which is its own.
QString IoErrorText(const IoError &error);

} // namespace Cli
