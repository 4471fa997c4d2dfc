#include "catalogue/list_reader.h"

#include <limits>

namespace catalogue {

namespace {

constexpr char kCtrlZ = 26;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::int32_t> ParseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint64_t>(d);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  // All 32 bits count, so $FFFFFFFF is -1.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kLimit) return std::nullopt;  // stop early: no length limit on lines
  }
  if (negative) return static_cast<std::int32_t>(-value);
  if (value == kLimit) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

namespace {

// A line of any length is quoted at most this long, so that the error fits a
// message box and a terminal line.
constexpr std::size_t kQuotedLineMax = 80;

std::string QuotedLine(std::string_view line) {
  if (line.size() <= kQuotedLineMax) return std::string(line);
  return std::string(line.substr(0, kQuotedLineMax - 3)) + "...";
}

}  // namespace

ConvertError::ConvertError(std::string_view line)
    : std::runtime_error("'" + QuotedLine(line) + "' is not a valid integer value") {}

LineReader::LineReader(std::string_view text) : text_(text.substr(0, text.find(kCtrlZ))) {}

std::string_view LineReader::ReadLine() {
  if (AtEnd()) return {};
  std::size_t cr = text_.find('\r', pos_);
  if (cr == std::string_view::npos) {
    std::string_view line = text_.substr(pos_);
    pos_ = text_.size();
    return line;
  }
  std::string_view line = text_.substr(pos_, cr - pos_);
  pos_ = cr + 1;
  if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  return line;
}

std::optional<std::int32_t> ParseNumber(std::string_view line) {
  std::size_t start = line.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  line.remove_prefix(start);
  if (line[0] == '$') return ParseHex(line.substr(1));
  return ParseDecimal(line);
}

std::int32_t ReadNumber(std::string_view line) {
  std::optional<std::int32_t> value = ParseNumber(line);
  if (!value) throw ConvertError(line);
  return *value;
}

void WalkGroups(std::string_view text, GroupVisitor& visitor) {
  LineReader reader(text);
  while (!reader.AtEnd()) {
    std::string_view line = reader.ReadLine();
    visitor.OnGroupLine(line);
    if (line == "//") {
      std::string_view header = reader.ReadLine();
      reader.ReadLine();  // the closing separator, taken unchecked
      visitor.OnSection(header);
      continue;
    }
    std::int32_t number = ReadNumber(line);
    if (number < 0) continue;
    std::string_view file = reader.ReadLine();
    std::string_view title = reader.ReadLine();
    visitor.OnMission(number, file, title);
  }
}

std::int32_t HighestMissionNumber(std::string_view text) {
  struct Highest : GroupVisitor {
    std::int32_t value = 0;
    void OnMission(std::int32_t number, std::string_view, std::string_view) override {
      if (number > value) value = number;
    }
  } highest;
  WalkGroups(text, highest);
  return highest.value;
}

std::vector<std::string> SectionHeaders(std::string_view text) {
  std::vector<std::string> headers;
  LineReader reader(text);
  while (!reader.AtEnd()) {
    std::string_view line = reader.ReadLine();
    if (!line.empty() && line[0] == '[') headers.emplace_back(line);
  }
  return headers;
}

bool HasSection(std::string_view text, std::string_view section) {
  LineReader reader(text);
  while (!reader.AtEnd()) {
    std::string_view line = reader.ReadLine();
    if (!line.empty() && line[0] == '[' && line == section) return true;
  }
  return false;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace catalogue
