// Format: printf-like formatting with the framework's rules.
//
// A specifier is "%" [index ":"] ["-"] [width] ["." precision] type, where
// width and precision may be "*" (taken from the next argument) and type is
// one of d u x e f g n s p (either case); "%%" is a percent sign.
//   d  decimal; precision = minimum number of digits (zero padded)
//   u  unsigned decimal; x hexadecimal in upper case, precision as for d
//   f  fixed, precision decimals (default 2), halves rounded away from zero
//   n  as f with thousand separators
//   e  scientific "-d.ddE+ddd", precision significant digits (default 15)
//   g  shortest of fixed and scientific, precision significant digits
//   s  string or character; precision = maximum length
//   p  pointer, eight (or sixteen) hexadecimal digits
// Width pads with blanks on the left, or on the right after "-". A missing
// argument or one of the wrong kind raises EConvertError.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The decimal point and thousand separator that f, n, e and g write.
inline char DecimalSeparator = '.';
inline char ThousandSeparator = ',';

class TFormatArg {
 public:
  enum Kind { kInt, kUnsigned, kFloat, kString, kPointer };

  template <std::signed_integral T>
    requires(!std::same_as<T, char> && !std::same_as<T, bool>)
  TFormatArg(T v) : kind_(kInt), int_(v) {}
  template <std::unsigned_integral T>
    requires(!std::same_as<T, bool>)
  TFormatArg(T v) : kind_(kUnsigned), unsigned_(v) {}
  template <std::floating_point T>
  TFormatArg(T v) : kind_(kFloat), float_(static_cast<double>(v)) {}
  TFormatArg(char c) : kind_(kString), string_(1, c) {}
  TFormatArg(std::string_view s) : kind_(kString), string_(s) {}
  TFormatArg(const std::string& s) : kind_(kString), string_(s) {}
  TFormatArg(const char* s) : kind_(kString), string_(s ? s : "") {}
  TFormatArg(const void* p) : kind_(kPointer), unsigned_(reinterpret_cast<std::uintptr_t>(p)) {}

  Kind kind() const { return kind_; }
  std::int64_t AsInt() const { return int_; }
  std::uint64_t AsUnsigned() const { return unsigned_; }
  double AsFloat() const { return float_; }
  const std::string& AsString() const { return string_; }

 private:
  Kind kind_;
  std::int64_t int_ = 0;
  std::uint64_t unsigned_ = 0;
  double float_ = 0;
  std::string string_;
};

std::string FormatArgs(std::string_view format, const std::vector<TFormatArg>& args);

template <class... A>
std::string Format(std::string_view format, const A&... args) {
  return FormatArgs(format, std::vector<TFormatArg>{TFormatArg(args)...});
}

// Fixed notation with `decimals` decimals, halves rounded away from zero,
// using DecimalSeparator; thousand separators when `thousands`.
std::string FormatFixed(double value, int decimals, bool thousands = false);
// The shortest text that reads back as `value` (up to 15 significant
// digits), as used for plain floating-point display.
std::string FloatToStr(double value);
