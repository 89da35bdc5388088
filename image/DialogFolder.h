#pragma once

#include <QString>

// Where the open and save dialogs start. Linux: the "EELog" folder of the
// working folder. Windows: the last folder a file was chosen in during this
// session, else "EELog" in the user's documents (made if missing): started
// from the Start menu the working folder is the program's, where a standard
// user cannot write.
QString DialogStartFolder();
// A file was chosen in a dialog: its folder is where the next one starts.
void RememberDialogFile(const QString &chosen);
