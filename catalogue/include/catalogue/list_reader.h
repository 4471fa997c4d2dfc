// Reading mission list files (.lst): lines, numbers, the group walk and the
// header listing. Everything works on the whole text of a file in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// A number line that is not a number: "'%s' is not a valid integer value",
// a line past 80 characters shortened to its first 77 and "...".
class ConvertError : public std::runtime_error {
 public:
  explicit ConvertError(std::string_view line);
};

// Splits list text into lines the way the games' lists are read: a line ends
// at CR, a LF right after it goes with it, a LF on its own stays in the line,
// and Ctrl-Z (byte 26) ends the text wherever it stands.
class LineReader {
 public:
  explicit LineReader(std::string_view text);

  bool AtEnd() const { return pos_ >= text_.size(); }
  // The next line without its end; an empty line once the text is used up,
  // so a group cut short by the end of the file reads as empty lines.
  std::string_view ReadLine();

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// The number rule of the lists: blanks (byte 32) skipped in front, then an
// optional sign and decimal digits within the signed 32-bit range, or "$" and
// hex digits whose value fits in 32 bits, taken as signed. nullopt otherwise.
std::optional<std::int32_t> ParseNumber(std::string_view line);
// As ParseNumber, but throws ConvertError for a line that is not a number.
std::int32_t ReadNumber(std::string_view line);

// What the group walk reports, in file order.
class GroupVisitor {
 public:
  virtual ~GroupVisitor() = default;
  // A line read where a group starts (a separator or a number line).
  virtual void OnGroupLine(std::string_view /*line*/) {}
  virtual void OnSection(std::string_view /*header*/) {}
  // A mission: number 0 or more, file name, title.
  virtual void OnMission(std::int32_t /*number*/, std::string_view /*file*/, std::string_view /*title*/) {}
};

// Walks the section and mission groups of a list. A "//" line takes the next
// line as the header and skips the one after it unchecked; a negative number
// is skipped on its own. Throws ConvertError at a line that is not a number;
// nothing after it is reported.
void WalkGroups(std::string_view text, GroupVisitor& visitor);

// The highest mission number of a list, 0 when it has none.
std::int32_t HighestMissionNumber(std::string_view text);

// Every line whose first character is "[", in file order, duplicates kept.
std::vector<std::string> SectionHeaders(std::string_view text);

// Whether some line starting with "[" equals `section` exactly.
bool HasSection(std::string_view text, std::string_view section);

// Lines joined for saving: each one, the last included, ended by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace catalogue
