// The file system on POSIX, reached through the program's Windows-form paths.
#pragma once

#include <string>

#include "platform/platform.h"

namespace kelvort {

class PosixFileSystem : public FileSystem {
 public:
  // code_set: the locale's character set (nl_langinfo(CODESET)), that of appended text.
  explicit PosixFileSystem(std::string code_set) : code_set_(std::move(code_set)) {}

  bool FolderExists(std::string_view path) const override;
  bool FileExists(std::string_view path) const override;
  void CreateFolder(std::string_view path) override;
  void CreateEmptyFile(std::string_view path) override;
  std::string ReadFile(std::string_view path) const override;
  void ReplaceFile(std::string_view path, std::string_view bytes) override;
  void CheckReplaceable(std::string_view path) const override;
  void CopyFile(std::string_view from, std::string_view to) override;
  void AppendText(std::string_view path, std::string_view utf8_text) override;
  std::vector<FolderEntry> ListFolder(std::string_view path) const override;
  std::vector<std::string> Drives() const override;

 private:
  std::string code_set_;
};

}  // namespace kelvort
