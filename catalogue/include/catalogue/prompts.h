// What the commands need from their windows besides the details panel:
// message boxes, the file-open dialog, the Confirm dialog and the
// LST File Contents window. The window implements them with its controls
// and forms; the command line with plain objects.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace catalogue {

// Modal message boxes with one OK button.
class Prompts {
 public:
  virtual ~Prompts() = default;
  virtual void Information(const std::string& text) = 0;  // caption "Information"
  virtual void Error(const std::string& text) = 0;        // caption "Error"
};

// The file-open dialog: only an existing file in an existing folder can be
// chosen. nullopt when the user cancels.
class FileOpenDialog {
 public:
  virtual ~FileOpenDialog() = default;
  virtual std::optional<std::string> Choose(const std::string& startFolder, const std::string& filter) = 0;
};

// The Confirm dialog: five fields that keep their text between showings,
// shown modally. ShowModal is true for OK, false for Cancel or closing it.
class ConfirmDialog {
 public:
  virtual ~ConfirmDialog() = default;
  virtual void SetGame(const std::string& text) = 0;
  virtual void SetMType(const std::string& text) = 0;
  virtual void SetSides(const std::string& text) = 0;
  virtual void SetPlayers(const std::string& text) = 0;
  virtual void SetMSection(const std::string& text) = 0;
  virtual bool ShowModal() = 0;
};

// The LST File Contents window: its caption, its text area in which each new
// list is put together, and showing it without making it modal. SaveTo
// writes the text area over a list, every line ended by CR LF, never
// leaving the list half-written (see SaveListLines).
class ListContents {
 public:
  virtual ~ListContents() = default;
  virtual void SetCaption(const std::string& text) = 0;
  virtual void Show() = 0;
  virtual void Clear() = 0;
  virtual void AppendLine(std::string line) = 0;
  virtual void SaveTo(const std::string& windowsPath) = 0;
};

// A plain Confirm dialog that answers with `answer`.
class PlainConfirmDialog : public ConfirmDialog {
 public:
  std::string game, mType, sides, players, mSection;
  bool answer = true;
  int shown = 0;

  void SetGame(const std::string& text) override { game = text; }
  void SetMType(const std::string& text) override { mType = text; }
  void SetSides(const std::string& text) override { sides = text; }
  void SetPlayers(const std::string& text) override { players = text; }
  void SetMSection(const std::string& text) override { mSection = text; }
  bool ShowModal() override {
    ++shown;
    return answer;
  }
};

}  // namespace catalogue
