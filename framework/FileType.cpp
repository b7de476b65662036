#include "framework/FileType.h"

#include <algorithm>

namespace fw {

namespace {

std::vector<FileType*>& Registry() {
  static std::vector<FileType*> types;
  return types;
}

}  // namespace

FileType::FileType() { Registry().push_back(this); }

FileType::~FileType() {
  auto& types = Registry();
  types.erase(std::remove(types.begin(), types.end(), this), types.end());
}

std::vector<std::string> FileType::ExtensionList() const {
  std::vector<std::string> list;
  std::size_t start = 0;
  while (start <= extensions_.size()) {
    std::size_t end = extensions_.find(';', start);
    if (end == std::string::npos) end = extensions_.size();
    std::size_t first = start;
    std::size_t last = end;
    while (first < last && extensions_[first] == ' ') ++first;
    while (last > first && extensions_[last - 1] == ' ') --last;
    if (first < last && extensions_[first] == '.') ++first;
    if (first < last) list.push_back(extensions_.substr(first, last - first));
    start = end + 1;
  }
  return list;
}

std::string FileType::Filter() const {
  std::string patterns;
  for (const std::string& ext : ExtensionList()) {
    if (!patterns.empty()) patterns += ' ';
    patterns.append("*.").append(ext);
  }
  std::string filter = name_;
  filter.append(" (").append(patterns.empty() ? std::string("*") : patterns).append(")");
  return filter;
}

const FileType* FileType::Find(const std::string& name) {
  const auto& types = Registry();
  for (auto it = types.rbegin(); it != types.rend(); ++it) {
    if ((*it)->name_ == name) return *it;
  }
  return nullptr;
}

}  // namespace fw
