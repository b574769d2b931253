// The common file dialogs as components of a form: their properties as
// the layout sets them, Execute to show one modally, and the chosen file
// kept as FileName, offered again the next time.
#pragma once

#include <cstdint>
#include <string>

#include "framework/classes.h"
#include "platform/dialogs.h"

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}

  [[nodiscard]] const std::string& Title() const noexcept { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }
  [[nodiscard]] const std::string& FileName() const noexcept { return fileName_; }
  void SetFileName(std::string name) { fileName_ = std::move(name); }
  [[nodiscard]] const std::string& DefaultExt() const noexcept { return defaultExt_; }
  void SetDefaultExt(std::string ext) { defaultExt_ = std::move(ext); }
  [[nodiscard]] const std::string& Filter() const noexcept { return filter_; }
  void SetFilter(std::string filter) { filter_ = std::move(filter); }
  [[nodiscard]] const platform::FileDialogOptions& Options() const noexcept { return options_; }
  void SetOptions(const platform::FileDialogOptions& options) noexcept { options_ = options; }

  // True with FileName set when the user chose a file; false when cancelled.
  bool Execute();

 protected:
  virtual bool Saving() const noexcept { return false; }

 private:
  std::string title_;
  std::string fileName_;
  std::string defaultExt_;
  std::string filter_;
  platform::FileDialogOptions options_;
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

 protected:
  bool Saving() const noexcept override { return true; }
};
