#include "records/records_file.h"

#include <vector>

#include "records/scramble.h"
#include "records/text_file.h"
#include "text/program_error.h"

namespace solvar::records {

namespace {

constexpr std::string_view LineEnd = "\r\n";

std::string LineOrEmpty(const std::vector<std::string>& lines, std::size_t index) {
  return index < lines.size() ? lines[index] : std::string();
}

int UnscrambledInt(std::string_view scrambled) {
  return text::StrToInt(ScrambleText(scrambled, RecordsKey));
}

// Splits at the first separator. Without one, the name is empty and the score
// text is the line less its first two characters.
void ReadEntry(RecordsTable& table, int slot, const std::string& line) {
  const std::size_t at = line.find(RecordsSeparator);
  const std::string name = at == std::string::npos ? std::string() : line.substr(0, at);
  const std::size_t scoreStart = at == std::string::npos ? 2 : at + 3;
  const std::string score = scoreStart < line.size() ? line.substr(scoreStart) : std::string();
  table.SetSlot(slot, RecordEntry{ScrambleText(name, RecordsKey), 0});
  table.SetSlot(slot, RecordEntry{ScrambleText(name, RecordsKey), UnscrambledInt(score)});
}

void ReadTable(RecordsTable& table, const std::vector<std::string>& lines) {
  table.SetRecordCount(UnscrambledInt(LineOrEmpty(lines, 0)));
  for (int slot = 1; slot <= table.RecordCount(); ++slot) {
    ReadEntry(table, slot, LineOrEmpty(lines, static_cast<std::size_t>(slot)));
  }
}

// Keeps a file that failed to load as "<file>.bak", so that its records
// survive the save at exit; returns the copy's name, or nothing when even the
// copy could not be written (the load's own error is what matters then).
std::string KeepDamagedCopy(const std::string& path, const std::string& content) {
  try {
    ReplaceFile(path + ".bak", content);
    return path + ".bak";
  } catch (const text::FileError&) {
    return std::string();
  }
}

}  // namespace

void ReadRecordsText(RecordsTable& table, const std::string& content) {
  table = RecordsTable{};
  ReadTable(table, SplitLines(content));
}

void LoadRecords(RecordsTable& table, const std::string& path, std::string* keptCopy) {
  table = RecordsTable{};
  if (!FileExists(path)) return;
  const std::string content = ReadTextFile(path);
  try {
    ReadRecordsText(table, content);
  } catch (const text::ConversionError&) {
    const std::string copy = KeepDamagedCopy(path, content);
    if (keptCopy != nullptr) *keptCopy = copy;
    throw;
  }
}

std::string RecordsFileText(const RecordsTable& table) {
  std::string content = ScrambleText(std::to_string(table.RecordCount()), RecordsKey);
  content += LineEnd;
  for (int slot = 1; slot <= table.RecordCount(); ++slot) {
    const RecordEntry& entry = table.Slot(slot);
    content += ScrambleText(entry.Name, RecordsKey);
    content += RecordsSeparator;
    content += ScrambleText(std::to_string(entry.Score), RecordsKey);
    content += LineEnd;
  }
  return content;
}

void SaveRecords(const RecordsTable& table, const std::string& path) {
  ReplaceFile(path, RecordsFileText(table));
}

}  // namespace solvar::records
