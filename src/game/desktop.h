#pragma once
// What the program asks of the desktop: opening a web or mail address, or a
// document, in the program the desktop chooses for it.

#include <QString>

namespace solvar::game {

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Hands the address to the desktop; true when it accepted it.
  virtual bool OpenAddress(const QString& address) = 0;
};

class QtDesktop : public Desktop {
 public:
  bool OpenAddress(const QString& address) override;
};

// Opens topic `topic` of the help file through the desktop when the file
// exists; tells the user plainly when it does not, or when nothing can show it.
class Prompts;
void OpenHelpTopic(Desktop& desktop, Prompts& prompts, const QString& helpFile, int topic);

}  // namespace solvar::game
