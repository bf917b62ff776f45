#pragma once
// The hidden diagnostic steps of the window: prepared positions on which the
// computer plays one move, and the start of computer against computer.

#include "match/match.h"

namespace solvar::match {

// "Okrugaj!!!!": side-1 dots that side 2 can surround, not drawn; side 2's
// computer move, then a capture scan for side 2 and one for side 1.
void PlaySurroundCheck(Match& match);
// "Proverka": two side-2 groups side 1 can close; side 1's computer move,
// then a capture scan for side 1.
void PlayCaptureCheck(Match& match);
// "PC vs PC": frames the field and scans it for side 1; the timer then plays
// on with SelfPlay.
void PrepareSelfPlay(Match& match);

}  // namespace solvar::match
