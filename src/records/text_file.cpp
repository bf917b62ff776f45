#include "records/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "text/program_error.h"

namespace solvar::records {

namespace {

using text::FileError;

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  ~FileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return m_fd; }
  int Release() { return std::exchange(m_fd, -1); }

 private:
  int m_fd;
};

}  // namespace

std::vector<std::string> SplitLines(const std::string& content) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

namespace {

void WriteAll(int fd, const std::string& content) {
  std::size_t written = 0;
  while (written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw FileError(n < 0 ? errno : ENOSPC);
    written += static_cast<std::size_t>(n);
  }
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

std::vector<std::string> ReadTextLines(const std::string& path) {
  return SplitLines(ReadTextFile(path));
}

std::string ReadTextFile(const std::string& path) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) throw FileError(errno);
  std::string content;
  char buffer[4096];
  while (content.size() < MaxTextFileSize) {
    const ssize_t n = ::read(file.Get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw FileError(errno);
    if (n == 0) break;
    content.append(buffer, static_cast<std::size_t>(n));
  }
  if (content.size() > MaxTextFileSize) content.resize(MaxTextFileSize);
  return content;
}

void ReplaceFile(const std::string& path, const std::string& content) {
  const std::string temporary = path + ".tmp";
  FileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (file.Get() < 0) throw FileError(errno);
  try {
    WriteAll(file.Get(), content);
    if (::fsync(file.Get()) != 0) throw FileError(errno);
    if (::close(file.Release()) != 0) throw FileError(errno);
    if (::rename(temporary.c_str(), path.c_str()) != 0) throw FileError(errno);
  } catch (const FileError&) {
    ::unlink(temporary.c_str());
    throw;
  }
}

}  // namespace solvar::records
