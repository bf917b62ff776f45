#include "game/qt_translations.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>

namespace solvar::game {

namespace {

constexpr const char* Russian = "ru_RU.UTF-8";
constexpr const char* FormattingCategories[] = {"LC_NUMERIC", "LC_TIME", "LC_MESSAGES", "LC_MONETARY",
                                                "LC_MEASUREMENT"};

}  // namespace

bool InstallQtTranslations(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

RussianSystemLocale::RussianSystemLocale() {
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LC_NUMERIC", "LC_TIME", "LC_MESSAGES", "LC_MONETARY", "LC_MEASUREMENT"}) {
    m_saved[name] = qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name)) : std::nullopt;
  }
  // LC_ALL would beat every category: its character set goes on in LC_CTYPE.
  if (const auto all = m_saved["LC_ALL"]; all && !all->isEmpty()) {
    qputenv("LC_CTYPE", *all);
    qunsetenv("LC_ALL");
  }
  for (const char* name : FormattingCategories) qputenv(name, Russian);
}

RussianSystemLocale::~RussianSystemLocale() {
  for (const auto& [name, value] : m_saved) {
    if (value) {
      qputenv(name.c_str(), *value);
    } else {
      qunsetenv(name.c_str());
    }
  }
  std::setlocale(LC_ALL, "");
}

}  // namespace solvar::game
