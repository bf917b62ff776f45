#pragma once
// What the command line can change about a run.

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "game/sounds.h"
#include "match/game_analysis.h"

namespace solvar::game {

struct AppOptions {
  std::optional<std::uint64_t> Seed;  // --seed N: every random draw repeatable
  std::optional<std::uint16_t> Port;  // --port N, kept from this run on
  int JoinTimeoutMs = 30000;          // a join that hears no start is given up
  int StrongMoveTimeMs = 1000;        // --movetime N: the strong computer's thinking time
  // The records file; empty for the usual place (see RecordsFilePath).
  QString RecordsFile;
  QString PositionFile = QStringLiteral("123.txt");
  QString HelpFile = QStringLiteral("help.hlp");
  // The program's settings file; empty for the usual place
  // (~/.config/solvar/solvar.ini).
  QString SettingsFile;
  // How much longer than its thinking time another program may take to
  // answer (and to start) before the game against it is given up.
  int EngineGraceMs = 5000;
  // How hard «Анализ партии» searches each position (the seed comes from
  // the program's random source).
  match::AnalysisBudget Analysis;
  // What plays the sounds; empty for the program's own player (Qt
  // Multimedia, silent where there is no sound device).
  std::function<std::unique_ptr<SoundPlayer>()> MakeSoundPlayer;
};

}  // namespace solvar::game
