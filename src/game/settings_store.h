#pragma once
// The settings kept between runs, in QSettings' INI file
// ~/.config/solvar/solvar.ini (or a file given): each is written as soon as
// it changes, so that a program that is killed keeps them. A missing file
// gives the defaults; a file that cannot be read, or holds a value that is
// not one of the program's, gives the defaults for it and says so.

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

#include "game/settings.h"

class QSettings;

namespace solvar::game {

class SettingsStore {
 public:
  // `file` empty: the usual place.
  explicit SettingsStore(const QString& file);
  ~SettingsStore();
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // The settings kept, the defaults where none is; `problem` gets a line for
  // the log when the file was damaged or could not be read.
  Settings Load(QString* problem);

  void SaveFieldSize(int fieldWidth, int fieldHeight);
  void SaveColors(const render::FieldColors& colors);
  void SaveLevel(ComputerLevel level);
  void SaveRules(engine::Rules rules);
  void SaveZoom(double zoom);
  void SaveTimeControl(const match::TimeControl& control);
  void SaveOpening(match::Opening opening);
  void SaveSound(bool on);
  void SaveCoordinates(bool shown);
  void SaveMoveListShown(bool shown);
  void SaveWindowPlace(const QRect& place);
  void SaveLastAddress(const QString& address);
  void SavePort(std::uint16_t port);
  void SaveGamesFolder(const QString& folder);
  void SaveEngineCommandLine(const QString& commandLine);

 private:
  void Write(const QString& key, const QVariant& value);

  std::unique_ptr<QSettings> m_file;
};

}  // namespace solvar::game
