// The file system on Windows, through the wide-character API: drive letters and network
// paths are real.
#pragma once

#include "platform/platform.h"

namespace kelvort {

class WindowsFileSystem : public FileSystem {
 public:
  bool FolderExists(std::string_view path) const override;
  bool FileExists(std::string_view path) const override;
  void CreateFolder(std::string_view path) override;
  void CreateEmptyFile(std::string_view path) override;
  std::string ReadFile(std::string_view path) const override;
  void ReplaceFile(std::string_view path, std::string_view bytes) override;
  void CheckReplaceable(std::string_view path) const override;
  void CopyFile(std::string_view from, std::string_view to) override;
  // The text goes into the system's ANSI code page (CP_ACP).
  void AppendText(std::string_view path, std::string_view utf8_text) override;
  std::vector<FolderEntry> ListFolder(std::string_view path) const override;
  std::vector<std::string> Drives() const override;
};

}  // namespace kelvort
