// A canvas that records every drawing call, for asserting what a
// self-painted control draws.
#pragma once

#include <string>
#include <vector>

#include "platform/peers.h"

namespace testing_support {

class RecordingCanvas final : public platform::Canvas {
 public:
  struct Call {
    std::string op;  // "fill", "line", "frame", "focus", "text", "icon"
    platform::Rect rect;
    platform::Color color = 0;
    std::string text;
    platform::FontSpec font;
    platform::ProgramIcon icon = platform::ProgramIcon::kForm;  // "icon" calls: which
  };

  void FillRect(const platform::Rect& r, platform::Color color) override {
    calls.push_back({"fill", r, color, {}, {}});
  }
  void Line(int x1, int y1, int x2, int y2, platform::Color color) override {
    calls.push_back({"line", {x1, y1, x2 - x1, y2 - y1}, color, {}, {}});
  }
  void FrameRect(const platform::Rect& r, platform::Color color) override {
    calls.push_back({"frame", r, color, {}, {}});
  }
  void DrawFocusRect(const platform::Rect& r) override { calls.push_back({"focus", r, 0, {}, {}}); }
  void DrawString(const std::string& text, const platform::Rect& r, const platform::FontSpec& font,
                  platform::Color color, std::uint32_t /*format*/) override {
    calls.push_back({"text", r, color, text, font});
  }
  void DrawProgramIcon(const platform::Rect& r, platform::ProgramIcon icon) override {
    calls.push_back({"icon", r, 0, {}, {}, icon});
  }
  platform::Size MeasureText(const std::string& text, const platform::FontSpec& /*font*/) override {
    return {static_cast<int>(text.size()) * 6, 13};
  }

  [[nodiscard]] std::vector<Call> ofKind(const std::string& op) const {
    std::vector<Call> found;
    for (const Call& call : calls) {
      if (call.op == op) found.push_back(call);
    }
    return found;
  }

  std::vector<Call> calls;
};

}  // namespace testing_support
