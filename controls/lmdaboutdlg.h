// TLMDAboutDlg: an about box built at run time from a few texts, placed by
// a fixed algorithm (picture at the left, a column of texts beside it, the
// machine's memory and processor below, OK at the bottom right), shown
// modally and destroyed again when it closes.
#pragma once

#include <string>

#include "framework/classes.h"
#include "framework/controls.h"
#include "framework/forms.h"
#include "platform/process.h"

// The link line: blue and underlined, purple once pressed; a click opens
// its text with the system's handler, and a failure switches it off.
class TLinkLabel : public TCustomControl {
 public:
  explicit TLinkLabel(TComponent* owner);
  void Paint(platform::Canvas& canvas) override;
  void Click() override;
  [[nodiscard]] bool Visited() const noexcept { return visited_; }

 protected:
  void MouseDown(platform::MouseButton button, TShiftState shift, int x, int y) override;
  // Switched off, it no longer shows the hand.
  void EnabledChanged() override;
  // One line high in its font, also after scaling.
  void FontChanged() override;

 private:
  bool visited_ = false;
};

class TLMDAboutDlg : public TComponent {
 public:
  explicit TLMDAboutDlg(TComponent* owner) : TComponent(owner) {}

  std::string Appname;
  std::string CaptionTitle;
  std::string Version;
  std::string Description;
  std::string Copyright;
  std::string Jump;
  int AppNameSize = 22;  // points

  // Builds the box, shows it modally and destroys it; always true.
  bool Execute();

  // The two system-information texts, one line each separated by CR.
  [[nodiscard]] static std::string SystemCaptions(const platform::SystemFacts& facts);
  [[nodiscard]] static std::string SystemValues(const platform::SystemFacts& facts);
};
