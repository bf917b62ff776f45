#pragma once
// Qt's own Russian texts for its standard dialogs and buttons (the colour
// chooser, the input box's buttons), whatever the system's language is.

#include <QCoreApplication>

namespace solvar::game {

// Loads Qt's Russian translation from Qt's translations folder and installs
// it for the application; false when it is not there.
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace solvar::game
