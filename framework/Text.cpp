#include "framework/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace fw {

const std::string EndOfLine = "\n";

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Byte length of the character starting at i. A byte that does not begin a
// well-formed sequence counts as a character of its own, so no text splits badly.
std::size_t CharLength(std::string_view s, std::size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  std::size_t need = 0;
  unsigned char low = 0x80;  // allowed range of the second byte, to refuse overlong forms and surrogates
  unsigned char high = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    need = 1;
  } else if (c >= 0xE0 && c <= 0xEF) {
    need = 2;
    if (c == 0xE0) low = 0xA0;
    if (c == 0xED) high = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    need = 3;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;
  }
  if (need == 0 || i + need >= s.size()) return 1;
  const auto second = static_cast<unsigned char>(s[i + 1]);
  if (second < low || second > high) return 1;
  for (std::size_t k = 2; k <= need; ++k) {
    if (!IsContinuation(static_cast<unsigned char>(s[i + k]))) return 1;
  }
  return need + 1;
}

// Code point of the character at i; a stray byte maps above the Unicode range
// so that distinct bytes stay distinct and ordered.
std::uint32_t CodePointAt(std::string_view s, std::size_t i, std::size_t len) {
  const auto c = static_cast<unsigned char>(s[i]);
  if (len == 1) return c < 0x80 ? c : 0x110000u + c;
  std::uint32_t cp = c & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
  for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  return cp;
}

std::uint32_t FoldCase(std::uint32_t cp) { return (cp >= 'A' && cp <= 'Z') ? cp + ('a' - 'A') : cp; }

char FoldByte(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

// Byte offset after the first count characters (clamped to the text).
std::size_t OffsetOf(std::string_view s, std::int64_t count) {
  std::size_t i = 0;
  while (count > 0 && i < s.size()) {
    i += CharLength(s, i);
    --count;
  }
  return i;
}

bool MatchesAt(std::string_view s, std::size_t at, std::string_view find) {
  if (at + find.size() > s.size()) return false;
  for (std::size_t k = 0; k < find.size(); ++k) {
    if (FoldByte(s[at + k]) != FoldByte(find[k])) return false;
  }
  // The match must end on a character boundary of s.
  std::size_t end = at;
  while (end < at + find.size()) end += CharLength(s, end);
  return end == at + find.size();
}

// Byte offset of the first match of find at or after byte from, on character boundaries.
std::size_t FindFrom(std::string_view s, std::string_view find, std::size_t from) {
  for (std::size_t i = from; i < s.size(); i += CharLength(s, i)) {
    if (MatchesAt(s, i, find)) return i;
  }
  return std::string_view::npos;
}

}  // namespace

int Len(std::string_view s) {
  int n = 0;
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) ++n;
  return n;
}

std::string Left(std::string_view s, int count) {
  if (count <= 0) return "";
  return std::string(s.substr(0, OffsetOf(s, count)));
}

std::string Right(std::string_view s, int count) {
  if (count <= 0) return "";
  const int length = Len(s);
  if (count >= length) return std::string(s);
  return std::string(s.substr(OffsetOf(s, length - count)));
}

std::string Mid(std::string_view s, int start) {
  if (start < 1) start = 1;
  return std::string(s.substr(OffsetOf(s, static_cast<std::int64_t>(start) - 1)));
}

std::string Mid(std::string_view s, int start, int count) {
  if (start < 1) start = 1;
  if (count <= 0) return "";
  const std::size_t from = OffsetOf(s, static_cast<std::int64_t>(start) - 1);
  const std::size_t to = from + OffsetOf(s.substr(from), count);
  return std::string(s.substr(from, to - from));
}

int InStr(std::string_view s, std::string_view find) { return InStr(1, s, find); }

int InStr(int start, std::string_view s, std::string_view find) {
  if (find.empty()) return 0;
  if (start < 1) start = 1;
  int position = start;
  for (std::size_t i = OffsetOf(s, static_cast<std::int64_t>(start) - 1); i < s.size(); i += CharLength(s, i)) {
    if (MatchesAt(s, i, find)) return position;
    ++position;
  }
  return 0;
}

std::string NthField(std::string_view s, std::string_view separator, int n) {
  if (n < 1) return "";
  if (separator.empty()) return n == 1 ? std::string(s) : "";
  std::size_t begin = 0;
  for (int field = 1;; ++field) {
    const std::size_t end = FindFrom(s, separator, begin);
    if (field == n) return std::string(s.substr(begin, end == std::string_view::npos ? s.size() - begin : end - begin));
    if (end == std::string_view::npos) return "";
    begin = end + separator.size();
  }
}

int CountFields(std::string_view s, std::string_view separator) {
  if (s.empty()) return 0;
  if (separator.empty()) return 1;
  int count = 1;
  for (std::size_t at = FindFrom(s, separator, 0); at != std::string_view::npos;
       at = FindFrom(s, separator, at + separator.size())) {
    ++count;
  }
  return count;
}

std::string LTrim(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r' || s[i] == '\v' || s[i] == '\f')) ++i;
  return std::string(s.substr(i));
}

int Asc(std::string_view s) {
  if (s.empty()) return 0;
  const std::size_t len = CharLength(s, 0);
  if (len == 1) return static_cast<unsigned char>(s[0]);
  return static_cast<int>(CodePointAt(s, 0, len));
}

std::string Chr(int codePoint) {
  std::string out;
  const auto cp = static_cast<std::uint32_t>(codePoint);
  if (codePoint < 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return out;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

int CompareText(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const std::size_t la = CharLength(a, i);
    const std::size_t lb = CharLength(b, j);
    const std::uint32_t ca = FoldCase(CodePointAt(a, i, la));
    const std::uint32_t cb = FoldCase(CodePointAt(b, j, lb));
    if (ca != cb) return ca < cb ? -1 : 1;
    i += la;
    j += lb;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

bool TextEquals(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }

namespace {

std::string NonFinite(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

// The decimal digits of a positive finite number after rounding half away
// from zero, and the power of ten of the first digit. No digits: zero.
struct Rounded {
  std::string digits;
  int exponent = 0;
};

struct Printed {
  std::string digits;
  int exponent = 0;
};

Printed PrintScientific(double ax, int precision) {
  char buffer[900];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, ax, std::chars_format::scientific, precision);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  Printed printed;
  printed.digits.reserve(static_cast<std::size_t>(precision) + 1);
  printed.digits += text[0];
  if (e > 2) printed.digits.append(text.substr(2, e - 2));
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), printed.exponent);
  return printed;
}

// significant: keep count significant digits; otherwise keep count decimals.
Rounded RoundDecimal(double ax, bool significant, int count) {
  constexpr int exactPrecision = 780;  // beyond the longest exact expansion of a double
  Printed printed = PrintScientific(ax, 17);
  auto kept = [&](int exponent) { return significant ? count : exponent + count + 1; };
  int n = kept(printed.exponent);
  if (n < 0) return {};
  int precision = std::min(n + 20, exactPrecision);
  printed = PrintScientific(ax, precision);
  n = kept(printed.exponent);
  // Trailing zeros may hide a carry from the printer's own rounding: look at the exact digits.
  auto tailIsZero = [&] {
    for (std::size_t k = static_cast<std::size_t>(std::max(n, 0)) + 1; k < printed.digits.size(); ++k) {
      if (printed.digits[k] != '0') return false;
    }
    return true;
  };
  if (precision < exactPrecision && tailIsZero()) {
    printed = PrintScientific(ax, exactPrecision);
    n = kept(printed.exponent);
  }
  if (n < 0) return {};
  Rounded r;
  r.exponent = printed.exponent;
  const auto un = static_cast<std::size_t>(n);
  r.digits = printed.digits.substr(0, std::min(un, printed.digits.size()));
  r.digits.resize(un, '0');
  const char next = un < printed.digits.size() ? printed.digits[un] : '0';
  if (next >= '5') {
    std::size_t k = r.digits.size();
    while (k > 0 && r.digits[k - 1] == '9') r.digits[--k] = '0';
    if (k == 0) {
      r.digits.insert(r.digits.begin(), '1');
      r.exponent += 1;
      if (significant) r.digits.pop_back();
    } else {
      r.digits[k - 1] = static_cast<char>(r.digits[k - 1] + 1);
    }
  }
  if (r.digits.find_first_not_of('0') == std::string::npos) return {};
  return r;
}

struct Pattern {
  char sign = 0;  // '-', '+' or none
  std::string prefix;
  int integerZeros = 0;
  std::string fraction;  // the '0' and '#' after the point
  bool scientific = false;
  char expMark = 'e';
  char expSign = 0;
  int expZeros = 0;
  std::string suffix;
  bool hasNumber = false;
};

bool IsPlaceholder(char c) { return c == '0' || c == '#'; }

Pattern ParsePattern(std::string_view p) {
  Pattern pat;
  std::size_t i = 0;
  if (!p.empty() && (p[0] == '-' || p[0] == '+')) pat.sign = p[i++];
  while (i < p.size() && !IsPlaceholder(p[i]) && p[i] != '.') pat.prefix += p[i++];
  while (i < p.size() && IsPlaceholder(p[i])) {
    pat.hasNumber = true;
    if (p[i++] == '0') ++pat.integerZeros;
  }
  if (i < p.size() && p[i] == '.') {
    pat.hasNumber = true;
    ++i;
    while (i < p.size() && IsPlaceholder(p[i])) pat.fraction += p[i++];
  }
  if (pat.hasNumber && i < p.size() && (p[i] == 'e' || p[i] == 'E')) {
    std::size_t j = i + 1;
    char expSign = 0;
    if (j < p.size() && (p[j] == '+' || p[j] == '-')) expSign = p[j++];
    // The exponent's digits are written even when the pattern gives no mark for them ("-0.0e+").
    pat.scientific = true;
    pat.expMark = p[i];
    pat.expSign = expSign;
    while (j < p.size() && IsPlaceholder(p[j])) {
      if (p[j++] == '0') ++pat.expZeros;
    }
    i = j;
  }
  pat.suffix = std::string(p.substr(i));
  return pat;
}

// Fraction digits, dropping trailing ones whose placeholder is '#' and whose digit is 0.
std::string FractionText(const std::string& digits, const std::string& placeholders) {
  std::size_t last = 0;
  for (std::size_t k = 0; k < placeholders.size(); ++k) {
    if (placeholders[k] == '0' || digits[k] != '0') last = k + 1;
  }
  if (last == 0) return "";
  return "." + digits.substr(0, last);
}

std::string SignText(const Pattern& pat, bool negative) {
  if (negative) return "-";
  return pat.sign == '+' ? "+" : "";
}

std::string FormatFixed(double value, const Pattern& pat) {
  const int decimals = static_cast<int>(pat.fraction.size());
  const Rounded r = value == 0 ? Rounded{} : RoundDecimal(std::fabs(value), false, decimals);
  // All digits as one integer scaled by 10^decimals, padded so the units digit exists.
  std::string all = r.digits.empty() ? "0" : r.digits;
  if (static_cast<int>(all.size()) < decimals + 1) all.insert(0, static_cast<std::size_t>(decimals + 1) - all.size(), '0');
  std::string integer = all.substr(0, all.size() - static_cast<std::size_t>(decimals));
  const std::string fraction = all.substr(all.size() - static_cast<std::size_t>(decimals));
  const std::size_t firstSignificant = integer.find_first_not_of('0');
  integer = firstSignificant == std::string::npos ? "" : integer.substr(firstSignificant);
  if (static_cast<int>(integer.size()) < pat.integerZeros) {
    integer.insert(0, static_cast<std::size_t>(pat.integerZeros) - integer.size(), '0');
  }
  const std::string fractionText = FractionText(fraction, pat.fraction);
  if (integer.empty() && fractionText.empty()) integer = "0";
  return SignText(pat, value < 0) + pat.prefix + integer + fractionText + pat.suffix;
}

std::string FormatScientific(double value, const Pattern& pat) {
  const int decimals = static_cast<int>(pat.fraction.size());
  Rounded r = value == 0 ? Rounded{} : RoundDecimal(std::fabs(value), true, decimals + 1);
  if (r.digits.empty()) r = Rounded{std::string(static_cast<std::size_t>(decimals) + 1, '0'), 0};
  std::string text = SignText(pat, value < 0) + pat.prefix + r.digits.substr(0, 1) +
                     FractionText(r.digits.substr(1), pat.fraction) + pat.expMark;
  if (r.exponent < 0) {
    text += '-';
  } else if (pat.expSign == '+') {
    text += '+';
  }
  std::string digits = std::to_string(r.exponent < 0 ? -r.exponent : r.exponent);
  if (static_cast<int>(digits.size()) < pat.expZeros) digits.insert(0, static_cast<std::size_t>(pat.expZeros) - digits.size(), '0');
  return text + digits + pat.suffix;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string Str(double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  return std::string(buffer, result.ptr);
}

std::string Str(int value) { return std::to_string(value); }

double Val(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const std::size_t start = i;
  std::int64_t integerDigits = 0;  // significant digits before the point
  std::int64_t leadingFractionZeros = 0;
  bool anyDigit = false;
  bool nonZero = false;
  while (i < s.size() && IsDigit(s[i])) {
    anyDigit = true;
    if (s[i] != '0') nonZero = true;
    if (nonZero) ++integerDigits;
    ++i;
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) {
      anyDigit = true;
      if (s[i] != '0') nonZero = true;
      if (!nonZero) ++leadingFractionZeros;
      ++i;
    }
  }
  if (!anyDigit) return 0.0;
  std::int64_t exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    bool expNegative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) expNegative = s[j++] == '-';
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) {
        if (exponent < 1000000) exponent = exponent * 10 + (s[j] - '0');
        ++j;
      }
      if (expNegative) exponent = -exponent;
      i = j;
    }
  }
  double value = 0.0;
  const auto result = std::from_chars(s.data() + start, s.data() + i, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    const std::int64_t magnitude = (integerDigits > 0 ? integerDigits : -leadingFractionZeros) + exponent;
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

double CDbl(std::string_view s) { return Val(s); }

std::string Format(double value, std::string_view pattern) {
  if (!std::isfinite(value)) return NonFinite(value);
  const Pattern pat = ParsePattern(pattern);
  if (!pat.hasNumber) return pat.prefix + Str(value) + pat.suffix;
  return pat.scientific ? FormatScientific(value, pat) : FormatFixed(value, pat);
}

}  // namespace fw
