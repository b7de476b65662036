#include "framework/SymbolFont.h"

#include <array>
#include <cstddef>


namespace fw::SymbolFont {

namespace {

// Code points of the Symbol encoding's characters 0x20..0x7E. Delta and Omega use the
// Greek letters rather than the increment and ohm signs, so that they match the rest.
constexpr std::array<char32_t, 95> kTable = {
    U' ',      U'!',      U'\u2200', U'#',      U'\u2203', U'%',      U'&',      U'\u220B',  // 20-27
    U'(',      U')',      U'\u2217', U'+',      U',',      U'\u2212', U'.',      U'/',       // 28-2F
    U'0',      U'1',      U'2',      U'3',      U'4',      U'5',      U'6',      U'7',       // 30-37
    U'8',      U'9',      U':',      U';',      U'<',      U'=',      U'>',      U'?',       // 38-3F
    U'\u2245', U'\u0391', U'\u0392', U'\u03A7', U'\u0394', U'\u0395', U'\u03A6', U'\u0393',  // 40-47
    U'\u0397', U'\u0399', U'\u03D1', U'\u039A', U'\u039B', U'\u039C', U'\u039D', U'\u039F',  // 48-4F
    U'\u03A0', U'\u0398', U'\u03A1', U'\u03A3', U'\u03A4', U'\u03A5', U'\u03C2', U'\u03A9',  // 50-57
    U'\u039E', U'\u03A8', U'\u0396', U'[',      U'\u2234', U']',      U'\u22A5', U'_',       // 58-5F
    U'\u203E', U'\u03B1', U'\u03B2', U'\u03C7', U'\u03B4', U'\u03B5', U'\u03C6', U'\u03B3',  // 60-67
    U'\u03B7', U'\u03B9', U'\u03D5', U'\u03BA', U'\u03BB', U'\u03BC', U'\u03BD', U'\u03BF',  // 68-6F
    U'\u03C0', U'\u03B8', U'\u03C1', U'\u03C3', U'\u03C4', U'\u03C5', U'\u03D6', U'\u03C9',  // 70-77
    U'\u03BE', U'\u03C8', U'\u03B6', U'{',      U'|',      U'}',      U'\u223C',             // 78-7E
};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string ToUnicode(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte <= 0x7E) {
      AppendUtf8(out, kTable[byte - 0x20]);
    } else {
      out += c;  // bytes of non-ASCII characters are copied as they stand
    }
  }
  return out;
}

bool IsSymbolFont(std::string_view fontName) {
  constexpr std::string_view kName = "symbol";
  if (fontName.size() != kName.size()) return false;
  for (std::size_t i = 0; i < kName.size(); ++i) {
    char c = fontName[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kName[i]) return false;
  }
  return true;
}

}  // namespace fw::SymbolFont
