#pragma once
// The records file "winner.txt": line 1 the scrambled count, then one line per
// entry: the scrambled name, the plain separator ",7B" and the scrambled
// score. Lines end in CR LF.

#include <string>

#include "records/records_table.h"

namespace solvar::records {

inline constexpr const char* RecordsFileName = "winner.txt";
inline constexpr const char* RecordsSeparator = ",7B";

// Fills the table from the file; a missing file leaves it empty. A count line
// or score that does not convert raises ConversionError, and what was read
// before it stays: the count is set before any entry is read, and a failing
// entry keeps its name with score 0. A count below 0 or above 10 is taken as
// 0 or 10. A file that fails to load is first copied to "<file>.bak", so its
// records survive the save at exit; `keptCopy`, when given, then names the
// copy (and stays empty when even the copy could not be written).
void LoadRecords(RecordsTable& table, const std::string& path = RecordsFileName, std::string* keptCopy = nullptr);

// The same reading from the file's content.
void ReadRecordsText(RecordsTable& table, const std::string& content);

// Replaces the file with the table; a failure raises FileError and leaves the
// old file whole.
void SaveRecords(const RecordsTable& table, const std::string& path = RecordsFileName);

std::string RecordsFileText(const RecordsTable& table);

}  // namespace solvar::records
