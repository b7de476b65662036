#pragma once

#include <string>
#include <string_view>

// The classic "Symbol" font draws ASCII letters as Greek and mathematical signs;
// no Linux font does, so text in that font is translated to Unicode first.
namespace fw::SymbolFont {

// Characters 0x20..0x7E are mapped as the Adobe Symbol encoding maps them; all others pass unchanged.
std::string ToUnicode(std::string_view text);

// True for the font name that selects the translation ("Symbol", any letter case).
bool IsSymbolFont(std::string_view fontName);

}  // namespace fw::SymbolFont
