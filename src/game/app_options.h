#pragma once
// What the command line can change about a run.

#include <QString>

#include <cstdint>
#include <optional>

namespace solvar::game {

struct AppOptions {
  std::optional<std::uint64_t> seed;  // --seed N: every random draw repeatable
  std::uint16_t port = 3333;          // --port N
  int joinTimeoutMs = 30000;          // a join that hears no start is given up
  QString recordsFile = QStringLiteral("winner.txt");
  QString positionFile = QStringLiteral("123.txt");
  QString helpFile = QStringLiteral("help.hlp");
};

}  // namespace solvar::game
