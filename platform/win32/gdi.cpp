#include "platform/win32/gdi.h"

#include <cwchar>
#include <utility>

#include "platform/win32/text.h"

namespace platform::win32 {

COLORREF Resolve(Color color) noexcept {
  if ((color & kSystemColorFlag) != 0) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

int DpiOf(HWND window) noexcept {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  // Windows 10 1607 and later; looked up so the program still starts on older ones.
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr && window != nullptr) {
    if (const UINT dpi = getDpiForWindow(window); dpi != 0) return static_cast<int>(dpi);
  }
  const WindowDc screen(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : 96;
}

namespace {

HFONT CreateFontOf(const FontSpec& font, const std::wstring& face, int height) {
  return CreateFontW(-height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, font.underline, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     face.c_str());
}

// The layout was drawn for "MS Sans Serif", and its controls are only as
// wide as that font's captions. Where the system lacks it (Wine without its
// own fonts gives DejaVu Sans, a sixth wider), a stand-in is only taken at a
// height whose text is about as wide as the layout's font would make it:
// within 2 % of this sample's 211 pixels in MS Sans Serif at 11 pixels.
constexpr const wchar_t* kLayoutFace = L"MS Sans Serif";
constexpr const wchar_t* kSample = L"The quick brown fox jumps over the lazy dog";
constexpr long kSampleWidth = 211;
constexpr long kSampleHeight = 11;
constexpr long kTolerancePercent = 2;

struct Probe {
  std::wstring face;
  int width = 0;
};

Probe ProbeFont(HDC dc, HFONT font) {
  Probe probe;
  const SelectGuard selected(dc, font);
  wchar_t face[LF_FACESIZE] = {};
  if (GetTextFaceW(dc, LF_FACESIZE, face) > 0) probe.face = face;
  SIZE extent{};
  if (GetTextExtentPoint32W(dc, kSample, static_cast<int>(std::wcslen(kSample)), &extent) != 0) probe.width = extent.cx;
  return probe;
}

// A stand-in for the layout's face, narrowed to the layout's widths; the
// font as asked when it is the real face or cannot be probed.
HFONT FittedFont(const FontSpec& font) {
  const std::wstring face = WideText(font.name);
  HFONT created = CreateFontOf(font, face, font.height);
  if (created == nullptr || _wcsicmp(face.c_str(), kLayoutFace) != 0 || font.height <= 1) return created;
  const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc) return created;
  Probe probe = ProbeFont(dc.get(), created);
  if (probe.width == 0 || _wcsicmp(probe.face.c_str(), kLayoutFace) == 0) return created;
  const long allowed = kSampleWidth * font.height * (100 + kTolerancePercent) / (kSampleHeight * 100);
  // Never below two thirds of the asked height: small text beats no text.
  for (int height = font.height - 1; probe.width > allowed && height * 3 >= font.height * 2; --height) {
    HFONT smaller = CreateFontOf(font, face, height);
    if (smaller == nullptr) break;
    DeleteObject(created);
    created = smaller;
    probe = ProbeFont(dc.get(), created);
  }
  return created;
}

}  // namespace

HFONT GdiCache::Font(const FontSpec& font) {
  auto key = std::make_tuple(font.name, font.height, font.bold, font.underline);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    HFONT created = FittedFont(font);
    // Without the font the system's serves; not cached, so a later call may still get it.
    if (created == nullptr) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    it = fonts_.emplace(std::move(key), UniqueGdiObject(created)).first;
  }
  return static_cast<HFONT>(it->second.get());
}

HBRUSH GdiCache::Brush(Color color) {
  auto it = brushes_.find(color);
  if (it == brushes_.end()) {
    HBRUSH created = CreateSolidBrush(Resolve(color));
    if (created == nullptr) return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    it = brushes_.emplace(color, UniqueGdiObject(created)).first;
  }
  return static_cast<HBRUSH>(it->second.get());
}

}  // namespace platform::win32
