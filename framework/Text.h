#pragma once

#include <string>
#include <string_view>

// The platform's text and number functions. Text is UTF-8; lengths and
// positions count characters (code points), positions start at 1.
namespace fw {

int Len(std::string_view s);
std::string Left(std::string_view s, int count);
std::string Right(std::string_view s, int count);
std::string Mid(std::string_view s, int start);
std::string Mid(std::string_view s, int start, int count);
// Position of find in s from character start (1-based); 0 when absent or find is "". Compares with TextEquals' rule.
int InStr(std::string_view s, std::string_view find);
int InStr(int start, std::string_view s, std::string_view find);
std::string NthField(std::string_view s, std::string_view separator, int n);
int CountFields(std::string_view s, std::string_view separator);  // 0 for ""
std::string LTrim(std::string_view s);
int Asc(std::string_view s);  // code point of the first character, 0 for ""
std::string Chr(int codePoint);

std::string Str(double value);  // like %.15g; INF, -INF, NAN as Format writes them
std::string Str(int value);
double Val(std::string_view s);
double CDbl(std::string_view s);
// A number through a pattern of "0", "#", ".", a leading "-" or "+", "e" and literal text.
// Decimals round half away from zero on the exact binary value; a negative
// number always gets "-"; INF, -INF and NAN ignore the pattern.
std::string Format(double value, std::string_view pattern);

extern const std::string EndOfLine;

// The one text comparison: ASCII letters without case, then code points.
int CompareText(std::string_view a, std::string_view b);
bool TextEquals(std::string_view a, std::string_view b);

}  // namespace fw
