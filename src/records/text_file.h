#pragma once
// Reading and writing the program's small text files, with the failures
// raised as FileError.

#include <string>
#include <vector>

namespace solvar::records {

// The lines of a file, without their line ends (CR LF or LF). Reads at most
// MaxTextFileSize bytes: the program's files are a few hundred bytes long.
inline constexpr std::size_t MaxTextFileSize = 1 << 20;
std::string ReadTextFile(const std::string& path);
std::vector<std::string> ReadTextLines(const std::string& path);
std::vector<std::string> SplitLines(const std::string& content);

// Replaces the file as a whole: the content goes to a temporary file beside
// it, which is flushed to the disk and then renamed over the old one, so a
// failure at any point leaves the old file as it was.
void ReplaceFile(const std::string& path, const std::string& content);

bool FileExists(const std::string& path);

}  // namespace solvar::records
