#pragma once

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

// The dictionary of each image object ("/Subtype /Image"), as written: from its
// "obj" to its "stream".
inline std::vector<std::string> PdfImageDictionaries(const std::string& path) {
  const std::string pdf = ReadFile(path);
  std::vector<std::string> dictionaries;
  for (std::size_t at = pdf.find("/Subtype"); at != std::string::npos; at = pdf.find("/Subtype", at + 8)) {
    std::size_t p = at + 8;
    while (p < pdf.size() && (pdf[p] == ' ' || pdf[p] == '\n' || pdf[p] == '\r')) ++p;
    const bool letterAfter = p + 6 < pdf.size() && std::isalpha(static_cast<unsigned char>(pdf[p + 6]));
    if (pdf.compare(p, 6, "/Image") != 0 || letterAfter) continue;
    const std::size_t begin = pdf.rfind(" obj", at);
    const std::size_t end = pdf.find("stream", at);
    if (begin != std::string::npos && end != std::string::npos) dictionaries.push_back(pdf.substr(begin, end - begin));
  }
  return dictionaries;
}

// The PDF's text through pdftotext; empty when the tool is missing.
inline std::string PdfText(const std::string& path) {
  const std::string txt = path + ".txt";
  if (std::system(("pdftotext -layout '" + path + "' '" + txt + "' 2>/dev/null").c_str()) != 0) return "";
  return ReadFile(txt);
}
