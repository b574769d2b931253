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

// What a file dialog may do beyond choosing a name.
struct FileDialogOptions {
  bool overwritePrompt = false;  // asks before a save replaces a file
  bool hideReadOnly = false;     // no "open as read-only" box
  bool enableSizing = false;     // the user may resize the dialog
  friend bool operator==(const FileDialogOptions&, const FileDialogOptions&) = default;
};

struct FileDialogRequest {
  bool save = false;       // GetSaveFileNameA, else GetOpenFileNameA
  std::string title;       // empty: the dialog's standard title
  std::string fileName;    // offered at the start
  std::string defaultExt;  // appended to a name given without one
  std::string filter;      // description and pattern pairs, '|' between them
  FileDialogOptions options;
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
