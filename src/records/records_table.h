#pragma once
// The table of the ten best results: the name typed after a won game and the
// score of that game, best first.

#include <array>
#include <cstdint>
#include <string>

namespace solvar::records {

struct RecordEntry {
  std::string Name;  // Windows-1251 bytes
  std::int32_t Score = 0;
  friend bool operator==(const RecordEntry&, const RecordEntry&) = default;
};

inline constexpr int MaxRecords = 10;
inline constexpr int ScratchSlot = MaxRecords + 1;

class RecordsTable {
 public:
  // 0..10 entries are in the table.
  int RecordCount() const { return m_count; }
  // Slots 1..11; slot 11 is a scratch slot, never shown or saved.
  const RecordEntry& Slot(int slot) const { return m_slots.at(static_cast<std::size_t>(slot)); }

  // Enters a result. It goes below every older entry with an equal score; in
  // a full table one that does not beat slot 10 is lost, and one that does
  // pushes the old slot 10 out.
  void InsertRecord(const RecordEntry& entry);

  // Used by the loader, which fills the table slot by slot. The count is
  // kept within 0..10.
  void SetRecordCount(int count);
  void SetSlot(int slot, const RecordEntry& entry) { m_slots.at(static_cast<std::size_t>(slot)) = entry; }

 private:
  std::array<RecordEntry, ScratchSlot + 1> m_slots{};  // index 0 unused
  int m_count = 0;
};

}  // namespace solvar::records
