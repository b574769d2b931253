// Modal message boxes and the common file dialogs.
// Flags and results use the Windows values so that the fake records the
// same numbers the real MessageBoxA and GetSaveFileNameA would receive.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

enum MessageBoxFlag : std::uint32_t {
  kMbOk = 0x00000000,
  kMbIconStop = 0x00000010,
  kMbIconInformation = 0x00000040,
};

constexpr int kIdOk = 1;

// The OFN_* option bits the program sets.
enum FileDialogOption : std::uint32_t {
  kOfnReadOnly = 0x00000001,
  kOfnOverwritePrompt = 0x00000002,
  kOfnHideReadOnly = 0x00000004,
  kOfnNoChangeDir = 0x00000008,
  kOfnPathMustExist = 0x00000800,
  kOfnFileMustExist = 0x00001000,
  kOfnExplorer = 0x00080000,
  kOfnEnableSizing = 0x00800000,
};

struct FileDialogRequest {
  bool save = false;          // GetSaveFileNameA, else GetOpenFileNameA
  std::string title;          // empty: the dialog's standard title
  std::string fileName;       // offered at the start
  std::string defaultExt;     // appended to a name given without one
  std::string filter;         // description and pattern pairs, '|' between them
  std::uint32_t options = 0;  // FileDialogOption bits
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Blocks until closed; timers and hotkeys keep being served meanwhile.
  virtual int ShowMessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) = 0;
  // Modal like a message box; the chosen path, or nothing when cancelled.
  virtual std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) = 0;
};

}  // namespace platform
