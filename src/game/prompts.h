#pragma once
// Every message box and input box of the program goes through this small
// interface: the window uses Qt's modal boxes, whose nested event loops still
// deliver socket events; the tests answer from a script.

#include <QString>

#include <cstdint>
#include <optional>

namespace solvar::game {

enum class MessageKind { Information, Warning };
enum class MessageButtons { Ok, Yes, YesNo };
enum class FileChoice { SaveGame, OpenGame };

class Prompts {
 public:
  virtual ~Prompts() = default;
  // False only when the user answered No. A Yes/No box has No as its
  // default button, and Esc answers No.
  virtual bool Message(MessageKind kind, const QString& text, MessageButtons buttons) = 0;
  // An information box with OK and a second button `offer`: true when the
  // user pressed `offer`.
  virtual bool Offer(const QString& text, const QString& offer) = 0;
  // The text typed, or none when the box was cancelled.
  virtual std::optional<QString> InputText(const QString& title, const QString& prompt,
                                           const QString& initial) = 0;
  // The colour chooser preset to a colour ($00BBGGRR); none when cancelled.
  virtual std::optional<std::uint32_t> ChooseColor(std::uint32_t current) = 0;
  // An error that reached the general handler.
  virtual void Error(const QString& text) = 0;
  // A saved game's file to write or to read, starting in `folder` (the
  // current one when empty); none when the dialog was cancelled.
  virtual std::optional<QString> ChooseFile(FileChoice choice, const QString& folder) = 0;

  void Inform(const QString& text) { Message(MessageKind::Information, text, MessageButtons::Ok); }
};

}  // namespace solvar::game
