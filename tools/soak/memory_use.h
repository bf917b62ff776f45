#pragma once
// The resident memory of this process, for the soak programs.

#include <unistd.h>

#include <fstream>

namespace solvar::tools {

inline long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace solvar::tools
