#pragma once

// Qt's own texts (the file dialog, standard buttons, context menus) in the
// window's language.

class QCoreApplication;

// Loads Qt's Russian catalogue: from a translations folder beside the
// program (a Windows install), else from Qt's own. False when neither has it.
bool InstallQtRussian(QCoreApplication &app);
