#pragma once
// A fresh directory per test, removed afterwards, and a way to run a piece of
// code where the disk says no even to root.

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace solvar::test {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "solvar-XXXXXX").string();
    m_path = ::mkdtemp(pattern.data()) ? pattern : std::string();
    ::chmod(m_path.c_str(), 0777);
  }
  ~TempDir() {
    ::chmod(m_path.c_str(), 0777);
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  std::string File(const std::string& name) const { return m_path + "/" + name; }
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Runs the code in a child process and returns its exit code. With
// unprivileged set, a root parent first drops to the user "nobody", so that
// file permissions hold; fileSizeLimit > 0 makes any longer write fail as on
// a full disk.
inline int RunInChild(const std::function<int()>& code, bool unprivileged, long fileSizeLimit = 0) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (unprivileged && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) _exit(90);
    if (fileSizeLimit > 0) {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(91);
    }
    _exit(code());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

}  // namespace solvar::test
