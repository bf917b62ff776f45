#pragma once
// Inside the match: the mark of one public step of the game, shared by the
// files that define the match's steps.

#include "match/match.h"

namespace solvar::match {

// Marks one public step of the game. When the outermost step is over the
// turn it settled on is reported, so that a computer answering inside the
// local player's move is not seen as a turn of its own.
class Match::Step {
 public:
  explicit Step(Match& match) : m_match(match) { ++m_match.m_depth; }
  ~Step() {
    if (--m_match.m_depth == 0) m_match.ReportTurn();
  }
  Step(const Step&) = delete;
  Step& operator=(const Step&) = delete;

 private:
  Match& m_match;
};

}  // namespace solvar::match
