#pragma once

#include <cstdint>
#include <string>
#include <vector>

class MainWndo;

// Everything of a document window that the user can see or a later command can use:
// every control's place, state and text, the table's cells, the document's fields and
// arrays (doubles by their bits), the undo record. Two states compare equal only when
// nothing differs.
class WindowState {
 public:
  explicit WindowState(const MainWndo& w);

  bool operator==(const WindowState& other) const = default;
  // The entered table (values, flags, cell texts) and both formulas: what an undo restores.
  bool SameTable(const WindowState& other) const;
  // The first difference, for the report of a broken invariant.
  std::string FirstDifference(const WindowState& other) const;

 private:
  void Add(const std::string& name, const std::string& value);

  std::vector<std::string> names_;
  std::vector<std::string> values_;
  // Per cell of columns 1..4, row by row: its text, its value's bits, its flag; then the formulas.
  std::vector<std::string> table_;
  // The bits of data sets 1..100, then of the fit's slopes, intercepts and uncertainties.
  std::vector<std::uint64_t> numbers_;
};
