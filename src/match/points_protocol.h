#pragma once
// The dots engines' common text protocol ("points AI protocol", version 6),
// as both its sides speak it: a window sends "id command args" and the
// engine answers "= id command args" on success or "? id command" on an
// error. A protocol field of W x H nodes, x in 0..W-1 and y in 0..H-1, is
// our field of (W + 1) x (H + 1) with its frame on columns 0 and W + 1 and
// rows 0 and H + 1; colour 0 is the first side, colour 1 the second.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/board.h"

namespace solvar::match {

inline constexpr int PointsMaxWidth = engine::MaxFieldWidth - 1;   // 44
inline constexpr int PointsMaxHeight = engine::MaxFieldHeight - 1;  // 34
inline constexpr int PointsMinSize = 2;

// Whether a protocol field of W x H nodes fits our Board.
constexpr bool PointsFieldFits(int width, int height) {
  return width >= PointsMinSize && width <= PointsMaxWidth && height >= PointsMinSize && height <= PointsMaxHeight;
}

inline engine::Node FromPointsNode(int x, int y) { return engine::Node{x + 1, y + 1}; }
inline int PointsX(engine::Node node) { return node.X - 1; }
inline int PointsY(engine::Node node) { return node.Y - 1; }
inline engine::Side SideOfColour(int colour) { return colour == 0 ? engine::Side::Own : engine::Side::Rival; }
inline int ColourOf(engine::Side side) { return side == engine::Side::Own ? 0 : 1; }

// One line of the protocol, split into its words: a command ("id command
// args") or an answer ("= id command args", "? id command").
struct PointsLine {
  std::optional<bool> Ok;  // an answer's "=" or "?"; none for a command
  long Id = 0;
  std::string Command;
  std::vector<std::string> Args;
};

// A command line sent to an engine; none when the line has no whole
// number for its id or no command.
std::optional<PointsLine> ParsePointsCommand(std::string_view line);
// An engine's answer; none when it is not "=" or "?", an id and a command.
std::optional<PointsLine> ParsePointsAnswer(std::string_view line);
// A whole number in the protocol's plain decimal form.
std::optional<long> ParsePointsNumber(std::string_view word);

std::string PointsCommandText(long id, std::string_view command, const std::vector<std::string>& args = {});

}  // namespace solvar::match
