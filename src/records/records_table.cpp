#include "records/records_table.h"

#include <algorithm>
#include <utility>

namespace solvar::records {

void RecordsTable::InsertRecord(const RecordEntry& entry) {
  int slot = ScratchSlot;
  if (m_count < MaxRecords) slot = ++m_count;
  SetSlot(slot, entry);
  while (slot >= 2 && Slot(slot).Score > Slot(slot - 1).Score) {
    std::swap(m_slots[static_cast<std::size_t>(slot)], m_slots[static_cast<std::size_t>(slot - 1)]);
    --slot;
  }
}

void RecordsTable::SetRecordCount(int count) { m_count = std::clamp(count, 0, MaxRecords); }

}  // namespace solvar::records
