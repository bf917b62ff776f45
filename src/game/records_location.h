#pragma once
// Where the records file lives. The classic place is "winner.txt" in the
// current directory; a program started from the applications menu has a
// current directory of the desktop's choosing, often one the player may not
// write, so the per-user data folder plays that role instead.

#include <QString>

namespace solvar::game {

// "winner.txt" in the current directory when one is already there and can be
// written (a portable copy keeps its table); otherwise "winner.txt" in the
// per-user data folder (for example ~/.local/share/solvar/), which is made
// when the records are first written.
QString RecordsFilePath();

}  // namespace solvar::game
