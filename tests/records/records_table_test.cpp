#include <gtest/gtest.h>

#include "records/records_table.h"
#include "records/scramble.h"

namespace solvar::records {
namespace {

std::vector<RecordEntry> Rows(const RecordsTable& table) {
  std::vector<RecordEntry> rows;
  for (int i = 1; i <= table.RecordCount(); ++i) rows.push_back(table.Slot(i));
  return rows;
}

TEST(RecordsTable, NewEntryGoesBelowOlderEqualScores) {
  RecordsTable table;
  for (const auto& [name, score] : {std::pair{"a", 7}, {"b", 9}, {"c", 9}, {"d", 9}}) {
    table.InsertRecord({name, score});
  }
  EXPECT_EQ(Rows(table), (std::vector<RecordEntry>{{"b", 9}, {"c", 9}, {"d", 9}, {"a", 7}}));
}

TEST(RecordsTable, FullTableKeepsTenAndDropsTheLowest) {
  RecordsTable table;
  for (int i = 0; i < 10; ++i) table.InsertRecord({"p" + std::to_string(i), 10 + i});
  const auto full = Rows(table);
  table.InsertRecord({"equal", 10});
  EXPECT_EQ(Rows(table), full);
  EXPECT_EQ(table.RecordCount(), 10);
  table.InsertRecord({"better", 11});
  EXPECT_EQ(table.RecordCount(), 10);
  EXPECT_EQ(table.Slot(10), (RecordEntry{"better", 11}));
  EXPECT_EQ(table.Slot(9), (RecordEntry{"p1", 11}));
  table.InsertRecord({"top", 100});
  EXPECT_EQ(table.Slot(1), (RecordEntry{"top", 100}));
  EXPECT_EQ(table.Slot(10), (RecordEntry{"p1", 11}));
}

TEST(RecordsTable, CountStaysWithinTheTable) {
  RecordsTable table;
  table.SetRecordCount(11);
  EXPECT_EQ(table.RecordCount(), 10);
  table.SetRecordCount(-1);
  EXPECT_EQ(table.RecordCount(), 0);
}

TEST(RecordsKey, MeetsBothConditionsForEveryByte) {
  for (int b = 0; b < 256; ++b) {
    const auto scrambled = static_cast<unsigned char>(
        ScrambleText(std::string(1, static_cast<char>(b)), RecordsKey)[0]);
    if (b >= 32) {
      EXPECT_GE(scrambled, 32) << b;
    }
    const bool digitOrMinus = (b >= '0' && b <= '9') || b == '-';
    if (digitOrMinus) {
      EXPECT_NE(scrambled, ',');
      EXPECT_NE(scrambled, '7');
      EXPECT_NE(scrambled, 'B');
    }
  }
  EXPECT_EQ(ScrambleText(ScrambleText("Привет", RecordsKey), RecordsKey), "Привет");
}

}  // namespace
}  // namespace solvar::records
