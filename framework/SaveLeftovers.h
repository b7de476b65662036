#pragma once

namespace fw {

class SavePlace;

// What saves killed before their end left beside a file: their new files, under the
// temporary names that the save place gives.
class SaveLeftovers {
 public:
  // Removes the files with a temporary name of the place that are regular files owned by the
  // user saving, with no other name, and held locked by no running save. Every other file
  // stays; a folder that cannot be listed keeps them all.
  static void Remove(const SavePlace& place);
};

}  // namespace fw
