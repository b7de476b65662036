#include "framework/SavePlace.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <random>
#include <string_view>

namespace fw {

namespace {

constexpr char kSuffixLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kSuffixLength = 8;
// Marks the temporary names as this program's own, so that no other program's file is
// taken for a killed save's.
constexpr std::string_view kMark = "gradix-save-";
// What a temporary name adds to the file's name: two points, the mark and the suffix.
constexpr std::size_t kAdded = 2 + kMark.size() + kSuffixLength;
// The kernel follows as many links in one lookup.
constexpr int kMostLinks = 40;

std::string Join(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

// The name's first bytes, at most as many, cut at a letter's boundary.
std::string Cut(const std::string& name, std::size_t bytes) {
  std::size_t cut = std::min(name.size(), bytes);
  while (cut > 0 && cut < name.size() && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  return name.substr(0, cut);
}

std::string StemOf(const std::string& name, std::size_t room) {
  return "." + Cut(name, room) + "." + std::string(kMark);
}

std::optional<std::string> RealPath(const std::string& folder) {
  const std::unique_ptr<char, decltype(&std::free)> real(::realpath(folder.c_str(), nullptr), &std::free);
  if (!real) return std::nullopt;
  return std::string(real.get());
}

std::string RandomSuffix() {
  static std::random_device random;
  std::string suffix;
  for (std::size_t i = 0; i < kSuffixLength; ++i) suffix += kSuffixLetters[random() % (sizeof kSuffixLetters - 1)];
  return suffix;
}

bool HasStem(const std::string& name, const std::string& stem) {
  if (name.size() != stem.size() + kSuffixLength || name.compare(0, stem.size(), stem) != 0) return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(stem.size()), name.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); });
}

}  // namespace

std::optional<SavePlace> SavePlace::Of(const std::string& path) {
  std::string current = path;
  for (int links = 0; links <= kMostLinks; ++links) {
    const std::size_t slash = current.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : current.substr(0, slash);
    const std::string name = slash == std::string::npos ? current : current.substr(slash + 1);
    if (name.empty() || name == "." || name == "..") return std::nullopt;
    const std::optional<std::string> realFolder = RealPath(folder);
    if (!realFolder) return std::nullopt;
    const std::string file = Join(*realFolder, name);
    struct stat status {};
    if (::lstat(file.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return SavePlace(*realFolder, name);
    // A link leads on from the folder it is in, whatever path led to that folder.
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(file.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return std::nullopt;
    target.resize(static_cast<std::size_t>(length));
    current = target.front() == '/' ? target : Join(*realFolder, target);
  }
  return std::nullopt;
}

SavePlace::SavePlace(std::string folder, const std::string& name)
    : folder_(std::move(folder)), file_(Join(folder_, name)) {
  const long limit = ::pathconf(folder_.c_str(), _PC_NAME_MAX);
  const std::size_t nameMax = limit > 0 ? static_cast<std::size_t>(limit) : 255;
  stem_ = StemOf(name, nameMax > kAdded ? nameMax - kAdded : 0);
  shortStem_ = StemOf(name, name.size() > kAdded ? name.size() - kAdded : 0);
}

std::string SavePlace::TemporaryPath() const {
  return Join(folder_, (shortened_ ? shortStem_ : stem_) + RandomSuffix());
}

bool SavePlace::Shorten() {
  if (shortened_ || shortStem_.size() >= stem_.size()) return false;
  shortened_ = true;
  return true;
}

bool SavePlace::IsTemporaryName(const std::string& name) const {
  return HasStem(name, stem_) || HasStem(name, shortStem_);
}

}  // namespace fw
