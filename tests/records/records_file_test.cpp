#include <gtest/gtest.h>

#include "records/records_file.h"
#include "records/scramble.h"
#include "support/temp_dir.h"
#include "text/cp1251.h"
#include "text/program_error.h"

namespace solvar::records {
namespace {

using test::ReadBytes;
using test::WriteBytes;

std::string Scrambled(const std::string& plain) { return ScrambleText(plain, RecordsKey); }

class RecordsFileTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::string path = dir.File("winner.txt");
};

TEST_F(RecordsFileTest, WritesTheExactFormat) {
  RecordsTable table;
  table.InsertRecord({"Ann", 12});
  table.InsertRecord({"", -3});
  SaveRecords(table, path);
  EXPECT_EQ(ReadBytes(path), Scrambled("2") + "\r\n" + Scrambled("Ann") + ",7B" + Scrambled("12") +
                                 "\r\n" + ",7B" + Scrambled("-3") + "\r\n");
  SaveRecords(RecordsTable{}, path);
  EXPECT_EQ(ReadBytes(path), Scrambled("0") + "\r\n");
}

TEST_F(RecordsFileTest, EveryTypedNameComesBack) {
  RecordsTable table;
  const std::vector<RecordEntry> entries{{text::Utf8ToCp1251("Студент"), 40},
                                         {"a,7Bb", 30},
                                         {"", 20},
                                         {text::Utf8ToCp1251("Ёлка ,7B ёж"), 10},
                                         {"minus", -5}};
  for (const auto& e : entries) table.InsertRecord(e);
  SaveRecords(table, path);
  RecordsTable loaded;
  LoadRecords(loaded, path);
  ASSERT_EQ(loaded.RecordCount(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(loaded.Slot(i + 1), entries[static_cast<std::size_t>(i)]);
}

TEST_F(RecordsFileTest, NameHoldingTheScrambledSeparatorIsCut) {
  // These three characters scramble to ",", "7" and "B".
  const std::string cutter = Scrambled(",7B");
  RecordsTable table;
  table.InsertRecord({"x" + cutter + "y", 8});
  SaveRecords(table, path);
  RecordsTable loaded;
  EXPECT_THROW(LoadRecords(loaded, path), text::ConversionError);
  EXPECT_EQ(loaded.RecordCount(), 1);
  EXPECT_EQ(loaded.Slot(1), (RecordEntry{"x", 0}));
}

TEST_F(RecordsFileTest, MissingFileGivesAnEmptyTable) {
  RecordsTable table;
  table.InsertRecord({"stale", 1});
  LoadRecords(table, path);
  EXPECT_EQ(table.RecordCount(), 0);
}

TEST_F(RecordsFileTest, CountThatIsNotANumberLeavesTheTableEmptyAndKeepsACopy) {
  const std::string foreign = "hello\r\nworld\r\n";
  WriteBytes(path, foreign);
  RecordsTable table;
  try {
    LoadRecords(table, path);
    FAIL();
  } catch (const text::ConversionError& e) {
    // "hello" scrambles to bytes one of which is a control byte: shown as "?".
    EXPECT_EQ(std::string(e.what()), "'{v??|' is not a valid integer value");
  }
  EXPECT_EQ(table.RecordCount(), 0);
  EXPECT_EQ(ReadBytes(path + ".bak"), foreign);
  std::string kept;
  EXPECT_THROW(LoadRecords(table, path, &kept), text::ConversionError);
  EXPECT_EQ(kept, path + ".bak");
  SaveRecords(table, path);  // the save at exit replaces the damaged file
  EXPECT_EQ(ReadBytes(path), Scrambled("0") + "\r\n");
}

TEST_F(RecordsFileTest, EntryThatFailsKeepsWhatWasReadBeforeIt) {
  WriteBytes(path, Scrambled("3") + "\r\n" + Scrambled("one") + ",7B" + Scrambled("9") + "\r\n" +
                       Scrambled("two") + ",7B" + Scrambled("x") + "\r\n" + Scrambled("three") +
                       ",7B" + Scrambled("7") + "\r\n");
  RecordsTable table;
  EXPECT_THROW(LoadRecords(table, path), text::ConversionError);
  EXPECT_EQ(table.RecordCount(), 3);
  EXPECT_EQ(table.Slot(1), (RecordEntry{"one", 9}));
  EXPECT_EQ(table.Slot(2), (RecordEntry{"two", 0}));
  EXPECT_EQ(table.Slot(3), (RecordEntry{"", 0}));
}

TEST_F(RecordsFileTest, CountOutsideTheTableNeverReadsPastIt) {
  std::string lines = Scrambled("11") + "\r\n";
  for (int i = 11; i >= 1; --i) lines += Scrambled("n" + std::to_string(i)) + ",7B" + Scrambled(std::to_string(i)) + "\r\n";
  WriteBytes(path, lines);
  RecordsTable table;
  LoadRecords(table, path);
  EXPECT_EQ(table.RecordCount(), 10);
  EXPECT_EQ(table.Slot(10), (RecordEntry{"n2", 2}));
  EXPECT_EQ(table.Slot(11), RecordEntry{});

  WriteBytes(path, Scrambled("-1") + "\r\n");
  LoadRecords(table, path);
  EXPECT_EQ(table.RecordCount(), 0);
}

TEST_F(RecordsFileTest, MissingEntryLinesReadAsEmpty) {
  WriteBytes(path, Scrambled("2") + "\r\n" + Scrambled("only") + ",7B" + Scrambled("4") + "\r\n");
  RecordsTable table;
  EXPECT_THROW(LoadRecords(table, path), text::ConversionError);
  EXPECT_EQ(table.Slot(1), (RecordEntry{"only", 4}));
  EXPECT_EQ(table.RecordCount(), 2);
}

TEST_F(RecordsFileTest, SaveIntoAReadOnlyDirectoryFailsAndKeepsTheOldFile) {
  RecordsTable table;
  table.InsertRecord({"old", 1});
  SaveRecords(table, path);
  const std::string before = ReadBytes(path);
  ::chmod(dir.Path().c_str(), 0555);
  const int result = test::RunInChild(
      [&] {
        RecordsTable newer;
        newer.InsertRecord({"new", 2});
        try {
          SaveRecords(newer, path);
        } catch (const text::FileError& e) {
          return std::string(e.what()).rfind("I/O error ", 0) == 0 ? 0 : 2;
        }
        return 1;
      },
      /*unprivileged=*/true);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(RecordsFileTest, SaveOnAFullDiskFailsAndKeepsTheOldFileWhole) {
  RecordsTable table;
  for (int i = 0; i < 10; ++i) table.InsertRecord({"player number " + std::to_string(i), i});
  SaveRecords(table, path);
  const std::string before = ReadBytes(path);
  const int result = test::RunInChild(
      [&] {
        RecordsTable bigger;
        for (int i = 0; i < 10; ++i) bigger.InsertRecord({std::string(40, 'z'), 100 + i});
        try {
          SaveRecords(bigger, path);
        } catch (const text::FileError&) {
          return 0;
        }
        return 1;
      },
      /*unprivileged=*/false, /*fileSizeLimit=*/64);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

}  // namespace
}  // namespace solvar::records
