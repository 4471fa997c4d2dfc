#include "framework/format.h"

#include <cmath>
#include <cstdio>

#include "framework/exceptions.h"
#include "framework/text.h"

namespace {

struct Conversion {
  bool left = false;
  int width = -1;
  int precision = -1;
  char type = 0;  // lower case
};

class Formatter {
 public:
  Formatter(std::string_view format, const std::vector<TFormatArg>& args) : format_(format), args_(args) {}
  std::string Run();

 private:
  [[noreturn]] void Invalid() const {
    throw EConvertError(Format("Format '%s' invalid or incompatible with argument", std::string(format_)));
  }
  const TFormatArg& NextArg() {
    if (next_ >= args_.size()) throw EConvertError(Format("No argument for format '%s'", std::string(format_)));
    return args_[next_++];
  }
  bool AtDigit() const { return pos_ < format_.size() && format_[pos_] >= '0' && format_[pos_] <= '9'; }
  int Number();
  int NumberOrStar();
  Conversion ParseConversion();
  std::string Convert(const Conversion& conv, const TFormatArg& arg) const;
  std::string Integer(const Conversion& conv, const TFormatArg& arg) const;
  std::string Floating(const Conversion& conv, const TFormatArg& arg) const;

  std::string_view format_;
  const std::vector<TFormatArg>& args_;
  std::size_t pos_ = 0;
  std::size_t next_ = 0;
};

int Formatter::Number() {
  long long n = 0;
  while (AtDigit()) {
    n = n * 10 + (format_[pos_++] - '0');
    if (n > 1000000) Invalid();
  }
  return static_cast<int>(n);
}

int Formatter::NumberOrStar() {
  if (pos_ < format_.size() && format_[pos_] == '*') {
    ++pos_;
    const TFormatArg& arg = NextArg();
    if (arg.kind() != TFormatArg::kInt && arg.kind() != TFormatArg::kUnsigned) Invalid();
    long long n = arg.kind() == TFormatArg::kInt ? arg.AsInt() : static_cast<long long>(arg.AsUnsigned());
    return n < 0 || n > 1000000 ? -1 : static_cast<int>(n);
  }
  return AtDigit() ? Number() : -1;
}

Conversion Formatter::ParseConversion() {
  Conversion conv;
  if (AtDigit()) {
    std::size_t start = pos_;
    int n = Number();
    if (pos_ < format_.size() && format_[pos_] == ':') {
      next_ = static_cast<std::size_t>(n);
      ++pos_;
    } else {
      pos_ = start;
    }
  }
  if (pos_ < format_.size() && format_[pos_] == '-') {
    conv.left = true;
    ++pos_;
  }
  conv.width = NumberOrStar();
  if (pos_ < format_.size() && format_[pos_] == '.') {
    ++pos_;
    conv.precision = NumberOrStar();
    if (conv.precision < 0) conv.precision = 0;
  }
  if (pos_ >= format_.size()) Invalid();
  conv.type = LowerCase(std::string(1, format_[pos_++]))[0];
  return conv;
}

std::string Formatter::Integer(const Conversion& conv, const TFormatArg& arg) const {
  bool isInt = arg.kind() == TFormatArg::kInt;
  if (!isInt && arg.kind() != TFormatArg::kUnsigned) Invalid();
  std::string sign;
  std::string digits;
  if (conv.type == 'd' && isInt) {
    std::int64_t v = arg.AsInt();
    if (v < 0) sign = "-";
    digits = std::to_string(v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v));
  } else {
    std::uint64_t v = arg.AsUnsigned();
    // A negative 32-bit value shows as its 32-bit two's complement.
    if (isInt) {
      std::int64_t s = arg.AsInt();
      v = s < 0 && s >= INT32_MIN ? static_cast<std::uint32_t>(s) : static_cast<std::uint64_t>(s);
    }
    digits = conv.type == 'x' ? IntToHex(static_cast<std::int64_t>(v), 0) : std::to_string(v);
  }
  if (conv.precision > static_cast<int>(digits.size())) digits.insert(0, conv.precision - digits.size(), '0');
  return sign + digits;
}

std::string Scientific(double value, int digits, bool general) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, general ? "%.*G" : "%.*E", general ? digits : digits - 1, value);
  std::string text = buffer;
  auto e = text.find('E');
  std::string mantissa = text.substr(0, e);
  for (char& c : mantissa)
    if (c == '.') c = DecimalSeparator;
  if (e == std::string::npos) return mantissa;
  int exponent = std::atoi(text.c_str() + e + 1);
  std::string exp = std::to_string(exponent < 0 ? -exponent : exponent);
  if (general) return mantissa + "E" + (exponent < 0 ? "-" : "") + exp;
  if (exp.size() < 3) exp.insert(0, 3 - exp.size(), '0');
  return mantissa + "E" + (exponent < 0 ? "-" : "+") + exp;
}

std::string Formatter::Floating(const Conversion& conv, const TFormatArg& arg) const {
  if (arg.kind() != TFormatArg::kFloat) Invalid();
  double v = arg.AsFloat();
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  switch (conv.type) {
    case 'f':
      return FormatFixed(v, conv.precision < 0 ? 2 : conv.precision);
    case 'n':
      return FormatFixed(v, conv.precision < 0 ? 2 : conv.precision, true);
    case 'e':
      return Scientific(v, conv.precision < 1 ? 15 : (conv.precision > 18 ? 18 : conv.precision), false);
    default:
      return Scientific(v, conv.precision < 1 ? 15 : (conv.precision > 18 ? 18 : conv.precision), true);
  }
}

std::string Formatter::Convert(const Conversion& conv, const TFormatArg& arg) const {
  switch (conv.type) {
    case 'd':
    case 'u':
    case 'x':
      return Integer(conv, arg);
    case 'e':
    case 'f':
    case 'g':
    case 'n':
      return Floating(conv, arg);
    case 's': {
      if (arg.kind() != TFormatArg::kString) Invalid();
      const std::string& s = arg.AsString();
      return conv.precision >= 0 && conv.precision < static_cast<int>(s.size()) ? s.substr(0, conv.precision) : s;
    }
    case 'p':
      if (arg.kind() != TFormatArg::kPointer) Invalid();
      return IntToHex(static_cast<std::int64_t>(arg.AsUnsigned()), sizeof(void*) * 2);
    default:
      Invalid();
  }
}

std::string Formatter::Run() {
  std::string out;
  while (pos_ < format_.size()) {
    char c = format_[pos_++];
    if (c != '%') {
      out += c;
      continue;
    }
    if (pos_ < format_.size() && format_[pos_] == '%') {
      out += '%';
      ++pos_;
      continue;
    }
    Conversion conv = ParseConversion();
    std::string text = Convert(conv, NextArg());
    if (conv.width > static_cast<int>(text.size())) {
      std::string pad(conv.width - text.size(), ' ');
      text = conv.left ? text + pad : pad + text;
    }
    out += text;
  }
  return out;
}

void GroupThousands(std::string& integerPart) {
  for (int i = static_cast<int>(integerPart.size()) - 3; i > 0; i -= 3)
    integerPart.insert(static_cast<std::size_t>(i), 1, ThousandSeparator);
}

}  // namespace

std::string FormatArgs(std::string_view format, const std::vector<TFormatArg>& args) {
  return Formatter(format, args).Run();
}

std::string FormatFixed(double value, int decimals, bool thousands) {
  if (decimals > 18) decimals = 18;
  // The C library prints the exact binary value; extra digits let the
  // rounding below go half away from zero on the decimal expansion.
  char buffer[400];  // 309 integer digits at most, a point, 38 decimals
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals + 20, std::fabs(value));
  std::string exact = buffer;
  std::size_t point = exact.find('.');
  std::string digits = exact.substr(0, point) + exact.substr(point + 1, decimals);
  if (exact[point + 1 + decimals] >= '5') {
    int i = static_cast<int>(digits.size()) - 1;
    for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
    if (i < 0) {
      digits.insert(0, 1, '1');
      ++point;
    } else {
      ++digits[i];
    }
  }
  std::string integerPart = digits.substr(0, point);
  std::string fraction = digits.substr(point);
  if (thousands) GroupThousands(integerPart);
  bool zero = digits.find_first_not_of('0') == std::string::npos;
  std::string out = (value < 0 && !zero ? "-" : "") + integerPart;
  if (decimals > 0) out += DecimalSeparator + fraction;
  return out;
}

std::string FloatToStr(double value) { return Format("%g", value); }
