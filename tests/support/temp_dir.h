// A temporary folder that a test owns and that is removed with it.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace kelvort::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder, or a name inside it, in the program's Windows form (Z:\tmp\...).
  std::string WinPath(const std::string& relative = {}) const;

 private:
  std::filesystem::path path_;
};

// A POSIX path in the program's Windows form.
std::string ToWinPath(const std::filesystem::path& path);
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
// Every file and folder below the folder, by its path relative to it, with its content
// ("(folder)" for a folder): to show what a step changed.
std::map<std::string, std::string> FilesBelow(const std::filesystem::path& folder);

}  // namespace kelvort::testing
