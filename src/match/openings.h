#pragma once
// The starts of a game as the dots sites play them: an empty field, or
// crosses, two dots of each side on a 2 x 2 square, each side on one
// diagonal. Each cross's side 1 dots run from its top-left corner to its
// bottom-right one, as the sites place them.
//
// - «Крест в центре»: one cross on the middle of the field (its top-left
//   corner at column (C - 1) / 2 and row (R - 1) / 2 of the C x R nodes,
//   counted from 0).
// - «Два креста»: two crosses side by side on the middle, mirror images of
//   each other (a row of side 1, side 2, side 2, side 1 over its opposite),
//   the first a column left of the single cross.
// - «Четыре креста»: four crosses at the corners of a square round the
//   middle, a fifth of the shorter side (three nodes at least) from it.
// - «Случайные кресты»: four crosses at random, each at least three nodes
//   from the edge and four from every other: the same seed, the same
//   crosses.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "match/game_record.h"

namespace solvar::match {

enum class Opening { Empty, Cross, TwoCrosses, FourCrosses, RandomCrosses };

// The dots of the start on a field of FieldWidth x FieldHeight (the Board's
// sizes), side 1's and side 2's in the order placed.
std::vector<PlayedMove> OpeningDots(Opening opening, int fieldWidth, int fieldHeight, std::uint64_t seed = 0);

// The words the engine driver and the settings use: empty, cross, two,
// four, random.
std::string_view OpeningWord(Opening opening);
std::optional<Opening> OpeningOfWord(std::string_view word);

}  // namespace solvar::match
