// Fuzz target: the records file's content, read into the table; whatever is
// read saves and reads back to the same table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "records/records_file.h"
#include "text/program_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace solvar;
  records::RecordsTable table;
  try {
    records::ReadRecordsText(table, std::string(reinterpret_cast<const char*>(data), size));
  } catch (const text::ConversionError&) {
  }
  if (table.RecordCount() < 0 || table.RecordCount() > records::MaxRecords) std::abort();
  records::RecordsTable again;
  try {
    records::ReadRecordsText(again, records::RecordsFileText(table));
  } catch (const text::ConversionError&) {
    return 0;  // a name holding the scrambled separator is cut, as designed
  }
  if (again.RecordCount() != table.RecordCount()) std::abort();
  return 0;
}
