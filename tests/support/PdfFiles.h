#pragma once

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Page objects: "/Type" "/Page" not followed by a letter (that is "/Pages").
inline int PdfPages(const std::string& path) {
  const std::string pdf = ReadFile(path);
  int pages = 0;
  for (std::size_t at = pdf.find("/Type"); at != std::string::npos; at = pdf.find("/Type", at + 5)) {
    std::size_t p = at + 5;
    while (p < pdf.size() && (pdf[p] == ' ' || pdf[p] == '\n' || pdf[p] == '\r')) ++p;
    const bool letterAfter = p + 5 < pdf.size() && std::isalpha(static_cast<unsigned char>(pdf[p + 5]));
    if (pdf.compare(p, 5, "/Page") == 0 && !letterAfter) ++pages;
  }
  return pages;
}

// The PDF's text through pdftotext; empty when the tool is missing.
inline std::string PdfText(const std::string& path) {
  const std::string txt = path + ".txt";
  if (std::system(("pdftotext -layout '" + path + "' '" + txt + "' 2>/dev/null").c_str()) != 0) return "";
  return ReadFile(txt);
}
