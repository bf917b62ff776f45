#pragma once
// Qt's own Russian texts for its standard dialogs and buttons (the colour
// chooser, the input box's buttons, the file dialog), and Russian numbers,
// sizes and dates in them, whatever the system's language is.

#include <QByteArray>
#include <QCoreApplication>

#include <map>
#include <optional>
#include <string>

namespace solvar::game {

// Loads Qt's Russian translation from Qt's translations folder and installs
// it for the application; false when it is not there.
bool InstallQtTranslations(QCoreApplication& app);

// Qt's dialogs write sizes, numbers and dates in the system's locale, which
// Qt reads from the environment once. While this lives the environment says
// Russian for those (the character set is left as it was); make the
// application and read QLocale::system() meanwhile. Afterwards the
// environment and the C library's locale are as they were, so the programs
// this one starts see the user's own.
class RussianSystemLocale {
 public:
  RussianSystemLocale();
  ~RussianSystemLocale();
  RussianSystemLocale(const RussianSystemLocale&) = delete;
  RussianSystemLocale& operator=(const RussianSystemLocale&) = delete;

 private:
  std::map<std::string, std::optional<QByteArray>> m_saved;
};

}  // namespace solvar::game
