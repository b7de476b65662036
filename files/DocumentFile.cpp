#include "files/DocumentFile.h"

#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>

#include "files/DCopy.h"
#include "files/ImportSheet.h"
#include "files/SaveQuery.h"
#include "framework/EditField.h"
#include "framework/FileChoosers.h"
#include "framework/FolderItem.h"
#include "framework/Listbox.h"
#include "framework/Maths.h"
#include "framework/PopupMenu.h"
#include "framework/RadioButton.h"
#include "framework/Text.h"
#include "framework/TextInputStream.h"
#include "framework/TextOutputStream.h"
#include "graph/SSRect.h"
#include "window/MainWndo.h"

namespace {

const char* const kHeader = "Gradix 2.0 File";
const char* const kNumberPattern = "+0.000000000000000e+#";
const char* const kSaveProblem = "Save Problem: Could not create file.";
const char* const kCantOpen = "Open Problem: Can't open file.";
const char* const kNotADocument = "Open Problem: Not a Gradix file or data is corrupt.";
const char* const kImportCantOpen = "Import Problem: Can't open file.";
const char* const kInconsistent = "File is inconsistent with selected import format.";

constexpr int kFirstRowLine = 33;  // 1-based: the separator of row 0
constexpr int kRows = 99;

// Bounds on reading a document or an import file, so that a huge file picked by mistake (a
// disk image, a log) is refused at once instead of being read whole. The longest line this
// program writes is a graph string built from two fields of 32767 characters of up to three
// bytes each, about 200 KiB, and a whole document stays under 5 MiB; an import file
// fills at most 99 rows of 4 values, or 4 lines of 99 values. The bounds leave a wide margin
// for long hand-typed texts and numbers.
constexpr std::size_t kLineBytes = std::size_t{4} << 20;
constexpr std::size_t kFileBytes = std::size_t{32} << 20;

std::shared_ptr<fw::TextInputStream> OpenBounded(const fw::FolderItem& file) {
  std::shared_ptr<fw::TextInputStream> in = file.OpenAsTextFile();
  if (in) in->SetLimits(kLineBytes, kFileBytes);
  return in;
}

// A text with a line break would shift every later line of the file.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The sign-less part of INF, -INF and NAN, as the writer writes values that are not finite.
bool IsNonFinite(std::string_view s) { return fw::TextEquals(s, "INF") || fw::TextEquals(s, "NAN"); }

// A whole decimal number: sign, digits with an optional point, an optional exponent.
bool IsNumberText(std::string_view line) {
  std::string_view s = Trimmed(line);
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  if (IsNonFinite(s.substr(i))) return true;
  bool digits = false;
  while (i < s.size() && IsDigit(s[i])) {
    ++i;
    digits = true;
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) {
      ++i;
      digits = true;
    }
  }
  if (!digits) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (i >= s.size() || !IsDigit(s[i])) return false;
    while (i < s.size() && IsDigit(s[i])) ++i;
  }
  return i == s.size();
}

double NumberOf(std::string_view line) {
  std::string_view s = Trimmed(line);
  const bool negative = !s.empty() && s.front() == '-';
  std::string_view body = !s.empty() && (s.front() == '+' || s.front() == '-') ? s.substr(1) : s;
  if (fw::TextEquals(body, "NAN")) return std::numeric_limits<double>::quiet_NaN();
  if (fw::TextEquals(body, "INF")) {
    return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  }
  return fw::Val(s);
}

bool IsIntegerLine(const std::string& line, double low, double high) {
  if (!IsNumberText(line)) return false;
  const double v = NumberOf(line);
  return std::isfinite(v) && v == std::floor(v) && v >= low && v <= high;
}

std::int32_t IntegerOf(const std::string& line) { return fw::ToInt32(fw::Val(line)); }

// Box positions: far beyond any window, yet well inside 32 bits.
constexpr double kPlaceLimit = 1e6;

// The lines of an import file. Empty lines count only when a line with text follows them:
// most editors and spreadsheets end a file with one.
class ImportLines {
 public:
  explicit ImportLines(fw::TextInputStream& in) : in_(in) {}

  // The next line; false at the end of the file, or when only empty lines are left.
  bool Next(std::string& line) {
    if (!held_) {
      while (!in_.EndOfFile()) {
        std::string read = in_.ReadLine();
        if (!read.empty()) {
          held_ = std::move(read);
          break;
        }
        ++emptyLines_;
      }
      if (!held_) return false;
    }
    if (emptyLines_ > 0) {
      --emptyLines_;
      line.clear();
    } else {
      line = std::move(*held_);
      held_.reset();
    }
    return true;
  }

 private:
  fw::TextInputStream& in_;
  std::size_t emptyLines_ = 0;      // read, and not yet given
  std::optional<std::string> held_;  // the line with text after them
};

}  // namespace

DocumentFile::DocumentFile(MainWndo& window) : w(window) {}

std::string DocumentFile::B2S(bool b) { return b ? "true" : "false"; }

bool DocumentFile::S2B(const std::string& s) { return fw::TextEquals(fw::Left(s, 4), "true"); }

// ---- Writing ----

std::vector<std::string> DocumentFile::zDocumentLines() const {
  std::vector<std::string> lines;
  lines.reserve(kLines);
  lines.emplace_back(kHeader);
  for (fw::EditField* f : {w.EFNames, w.EFHName, w.EFHUnits, w.EFVName, w.EFVUnits}) {
    lines.push_back(OneLine(f->Text()));
  }
  lines.push_back(fw::Str(w.PUHFormat->ListIndex()));
  lines.push_back(fw::Str(w.PUVFormat->ListIndex()));
  lines.push_back(B2S(w.RBHCalculated->Value()));
  lines.push_back(B2S(w.RBVCalculated->Value()));
  lines.push_back(OneLine(w.EFHFormula->Text()));
  lines.push_back(OneLine(w.EFVFormula->Text()));
  for (const std::string* s : {&w.GrfTeam, &w.GrfTitle, &w.GrfXLabel, &w.GrfXUnits, &w.GrfYLabel,
                               &w.GrfYUnits, &w.SlopeUnits, &w.InterceptUnits}) {
    lines.push_back(OneLine(*s));
  }
  for (fw::EditField* f : {w.EFHMin, w.EFHMax, w.EFVMin, w.EFVMax}) lines.push_back(OneLine(f->Text()));
  lines.push_back(B2S(w.GotGraph));
  lines.push_back(B2S(w.HaveFit));
  for (SSRect* box : {w.SSTeam, w.SSFitInfo}) {
    lines.push_back(fw::Str(box->Left()));
    lines.push_back(fw::Str(box->Top()));
    lines.push_back(B2S(box->DeFlowered));
  }

  // A value typed into the open cell and not yet committed is part of the document too.
  fw::Listbox& lb = *w.LBData;
  const bool typed = w.CellDirty && lb.ActiveCell() && lb.EditColumn() >= 1 && lb.EditColumn() <= 4;
  const std::string typedText = typed ? lb.ActiveCell()->Text() : std::string();
  for (int row = 0; row < kRows; ++row) {
    lines.emplace_back();
    for (int col = 1; col <= 4; ++col) {
      bool full = w.CellFull[row][col];
      double v = w.Data[0][row][col];
      if (typed && row == lb.EditRow() && col == lb.EditColumn()) {
        full = fw::Len(typedText) > 0;
        v = fw::Val(typedText);
      }
      lines.push_back(full ? fw::Format(v, kNumberPattern) : std::string());
    }
  }
  return lines;
}

void DocumentFile::DoSave() {
  const std::shared_ptr<fw::FolderItem> file = w.myFile;
  std::shared_ptr<fw::TextOutputStream> out = file->CreateTextFile();
  if (!out) {
    w.CallWarnDialog(kSaveProblem);
    return;
  }
  // Kept in the item until the stream writes them with the text.
  file->SetMacCreator("qzGX");
  file->SetMacType("qzGD");
  // The file is renamed after the title before it is written: it moves whole, a link as a
  // link, with all it has, and a failed save moves it back. Another file of that name, which
  // nobody was asked about replacing, is never taken.
  const std::string oldName = file->Name();
  const std::string title = w.Title();
  if (!file->SetName(fw::TextEquals(fw::Right(title, 4), ".gdx") ? title : title + ".gdx")) {
    w.CallWarnDialog(kSaveProblem);
    return;
  }
  for (const std::string& line : zDocumentLines()) out->WriteLine(line);
  if (!out->Close()) {
    file->SetName(oldName);
    w.CallWarnDialog(kSaveProblem);
    return;
  }
  w.Dirty = false;
}

// ---- Reading ----

bool DocumentFile::zLinesOK(const std::vector<std::string>& lines) {
  if (static_cast<int>(lines.size()) < kLines) return false;
  // Line numbers are 1-based, as in the file.
  auto at = [&lines](int n) -> const std::string& { return lines[static_cast<std::size_t>(n - 1)]; };
  if (!IsIntegerLine(at(7), 0, 12) || !IsIntegerLine(at(8), 0, 12)) return false;
  for (int n : {27, 28, 30, 31}) {
    if (!IsIntegerLine(at(n), -kPlaceLimit, kPlaceLimit)) return false;
  }
  return true;
}

void DocumentFile::zShowLines(const std::vector<std::string>& lines) {
  auto at = [&lines](int n) -> const std::string& { return lines[static_cast<std::size_t>(n - 1)]; };
  w.EFNames->SetText(at(2));
  w.EFHName->SetText(at(3));
  w.VHName = w.EFHName->Text();
  w.EFHUnits->SetText(at(4));
  w.EFVName->SetText(at(5));
  w.VVName = w.EFVName->Text();
  w.EFVUnits->SetText(at(6));

  w.ProtectChange = true;
  w.PUHFormat->SetListIndex(IntegerOf(at(7)));
  w.PUVFormat->SetListIndex(IntegerOf(at(8)));
  w.ProtectChange = false;

  const bool hCalculated = S2B(at(9));
  const bool vCalculated = S2B(at(10));
  w.EFHFormula->SetText(at(11));
  w.EFVFormula->SetText(at(12));

  std::string* strings[] = {&w.GrfTeam,   &w.GrfTitle,  &w.GrfXLabel,  &w.GrfXUnits,
                            &w.GrfYLabel, &w.GrfYUnits, &w.SlopeUnits, &w.InterceptUnits};
  for (int i = 0; i < 8; ++i) *strings[i] = at(13 + i);

  w.EFHMin->SetText(at(21));
  w.EFHMax->SetText(at(22));
  w.EFVMin->SetText(at(23));
  w.EFVMax->SetText(at(24));

  const bool gotGraph = S2B(at(25));
  const bool haveFit = S2B(at(26));
  w.SSTeam->SetLeft(IntegerOf(at(27)));
  w.SSTeam->SetTop(IntegerOf(at(28)));
  w.SSTeam->DeFlowered = S2B(at(29));
  w.SSFitInfo->SetLeft(IntegerOf(at(30)));
  w.SSFitInfo->SetTop(IntegerOf(at(31)));
  w.SSFitInfo->DeFlowered = S2B(at(32));

  for (int row = 0; row < kRows; ++row) {
    for (int col = 1; col <= 4; ++col) {
      const std::string& line = at(kFirstRowLine + 5 * row + col);
      w.Data[0][row][col] = line.empty() ? 0.0 : NumberOf(line);
      w.CellFull[row][col] = !line.empty();
    }
  }

  if (hCalculated) w.RBHCalculated->SetValue(true);
  else w.Table.DoFormatChange(1, w.PUHFormat->ListIndex());
  if (vCalculated) w.RBVCalculated->SetValue(true);
  else w.Table.DoFormatChange(3, w.PUVFormat->ListIndex());

  w.GotGraph = gotGraph;
  // A fit that the data read no longer allow opens as no fit.
  if (haveFit) w.Plot.MadeFitOK();
  w.Dirty = false;
}

void DocumentFile::DoRead() {
  std::shared_ptr<fw::TextInputStream> in = w.myFile ? OpenBounded(*w.myFile) : nullptr;
  if (!in) {
    zRefuseFile(kCantOpen);
    return;
  }
  std::vector<std::string> lines;
  lines.reserve(kLines);
  lines.push_back(in->ReadLine());
  if (!fw::TextEquals(fw::Right(lines.front(), fw::Len(kHeader)), kHeader)) {
    in->Close();
    // A disk that cannot give the header says nothing about what the file is.
    zRefuseFile(in->ReadFailed() ? kCantOpen : kNotADocument);
    return;
  }
  // The whole document is checked before anything is shown, so that a short or
  // damaged file leaves the window as it was.
  while (static_cast<int>(lines.size()) < kLines && !in->EndOfFile()) lines.push_back(in->ReadLine());
  in->Close();
  if (in->ReadFailed()) {
    zRefuseFile(kCantOpen);
    return;
  }
  if (in->LimitPassed() || !zLinesOK(lines)) {
    zRefuseFile(kNotADocument);
    return;
  }
  zShowLines(lines);
}

void DocumentFile::zRefuseFile(const char* message) {
  // A later Save must not replace a file that could not be read: it asks where to save.
  w.myFile = nullptr;
  w.CallWarnDialog(message);
}

// ---- Closing ----

std::int32_t DocumentFile::CheckForSaveReq() {
  class SaveQuery& query = SaveQuery();
  query.ShowModalWithin(w);
  return query.Answer;
}

bool DocumentFile::CloseOK() {
  if (!w.Dirty) return true;
  switch (CheckForSaveReq()) {
    case 1:
      return true;
    case 2:
      break;
    default:
      return false;
  }
  if (!w.myFile) {
    std::shared_ptr<fw::FolderItem> file = fw::GetSaveFolderItem("GradixData", w.Title());
    if (!file) return false;
    w.myFile = file;
    w.SetTitle(file->Name());
  }
  DoSave();
  return !w.Dirty;
}

// ---- Import ----

bool DocumentFile::zReadLayout(DCopy& copy, fw::TextInputStream& in, std::int32_t type, std::int32_t col) {
  const std::string tab = fw::Chr(9);
  auto store = [&copy, &tab](const std::string& line, int k, int row, int column) {
    const std::string field = fw::LTrim(fw::NthField(line, tab, k));
    copy.Full[row][column] = fw::Len(field) > 0;
    copy.Data[row][column] = fw::CDbl(field);
  };

  ImportLines lines(in);
  std::string line;
  if (type == 4) {
    for (int c = col; lines.Next(line); ++c) {
      // A line after the one that filled column 4.
      if (c > 4) return false;
      const int count = fw::CountFields(line, tab);
      if (count > kRows) return false;
      for (int k = 1; k <= count; ++k) store(line, k, k - 1, c);
    }
    return true;
  }

  const int fields = type == 1 ? 4 : type == 5 ? 1 : 2;
  for (int row = 0; lines.Next(line); ++row) {
    // The table has 99 rows: a longer file is refused rather than cut short.
    if (row >= kRows) return false;
    if (fw::CountFields(line, tab) != fields) return false;
    switch (type) {
      case 1:
        for (int k = 1; k <= 4; ++k) store(line, k, row, k);
        break;
      case 2:
        store(line, 1, row, col);
        store(line, 2, row, col + 1);
        break;
      case 3:
        store(line, 1, row, 1);
        store(line, 2, row, 3);
        for (int c : {2, 4}) {
          copy.Full[row][c] = false;
          copy.Data[row][c] = 0.0;
        }
        break;
      default:
        store(line, 1, row, col);
        break;
    }
  }
  return true;
}

void DocumentFile::zKeepTypedCell() {
  fw::Listbox& lb = *w.LBData;
  if (!w.CellDirty || !lb.ActiveCell()) return;
  const int row = lb.EditRow();
  const int col = lb.EditColumn();
  if (row < 0 || row >= kRows || col < 1 || col > 4) return;
  const std::string text = lb.ActiveCell()->Text();
  w.Data[0][row][col] = fw::Val(text);
  w.CellFull[row][col] = fw::Len(text) > 0;
}

void DocumentFile::ReadImported() {
  // Otherwise the copy, and the write-back, would drop what was typed into the open cell.
  zKeepTypedCell();
  DCopy copy(w);
  w.LastAction = nullptr;
  std::shared_ptr<fw::FolderItem> file = fw::GetOpenFolderItem("text/plain", w.myFile.get());
  if (!file) return;
  std::shared_ptr<fw::TextInputStream> in = OpenBounded(*file);
  if (!in) {
    w.CallWarnDialog(kImportCantOpen);
    return;
  }
  class ImportSheet& sheet = ImportSheet();
  sheet.ShowModalWithin(w);
  const std::int32_t type = sheet.TypeChoice;
  const std::int32_t col = sheet.ColChoice;
  if (type < 1 || type > 5) return;
  const bool pairOK = type != 2 || col == 1 || col == 3;
  if (col < 1 || col > 4 || !pairOK) return;
  const bool fits = zReadLayout(copy, *in, type, col);
  // A read error ends the stream early: what was read may well fit, or be cut mid-line.
  if (in->ReadFailed()) {
    w.CallWarnDialog(kImportCantOpen);
    return;
  }
  // Past the bounds the stream reads as ended, though the file goes on.
  if (!fits || in->LimitPassed()) {
    w.CallWarnDialog(kInconsistent);
    return;
  }
  copy.DumpData(col);
}
