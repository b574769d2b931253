// Whole files by path. Paths are UTF-8 inside the program; on Windows they
// cross as UTF-16, so that any name the user picks reaches the file system
// unchanged whatever the system's code page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

struct FileStatus {
  bool regular = false;   // an ordinary file (not a folder or a device)
  bool readOnly = false;  // marked read-only: the system refuses to replace it
  std::uint64_t size = 0;
};

class Files {
 public:
  virtual ~Files() = default;
  // Nothing when there is no such file or it cannot be looked at.
  virtual std::optional<FileStatus> Status(const std::string& path) = 0;
  // The file's bytes; nothing when it cannot be opened or read.
  virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
  // Writes the bytes beside the file and puts them in its place only when
  // whole, so a full disk leaves the old file as it was. False on failure.
  virtual bool Replace(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace platform
