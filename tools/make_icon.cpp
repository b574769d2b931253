// Draws the program's icon, a grey computer mouse with its cable, as a
// 32 x 32, 16-colour .ico file: built and run on the build machine, so the
// picture lives here as code and needs no drawing program. The forms carry
// the icon; the application's own (taskbar entry, about box) is the same
// mouse with its cable curling the other way.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kSize = 32;
// The 16 colours of the standard palette, as the .ico stores them.
constexpr std::array<std::uint32_t, 16> kPalette = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                                    0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                    0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
constexpr int kBlack = 0;
constexpr int kSilver = 7;
constexpr int kGrey = 8;
constexpr int kWhite = 15;
constexpr int kClear = -1;

using Picture = std::array<std::array<int, kSize>, kSize>;  // [y][x], top row first

// Inside the mouse's body: a rounded shape, wider at the back.
bool InBody(double x, double y) {
  const double cx = 15.5;
  const double top = 8.5;
  const double bottom = 30.5;
  if (y < top || y > bottom) return false;
  const double t = (y - top) / (bottom - top);
  const double halfWidth =
      6.5 + 1.5 * std::sin(t * 3.14159) - (t > 0.85 ? (t - 0.85) * 14 : 0) - (t < 0.12 ? (0.12 - t) * 22 : 0);
  return std::fabs(x - cx) <= halfWidth;
}

enum class Variant { kForms, kApplication };

Picture Draw(Variant variant) {
  Picture p{};
  for (auto& row : p) row.fill(kClear);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (!InBody(x, y)) continue;
      const bool edge = !InBody(x - 1, y) || !InBody(x + 1, y) || !InBody(x, y - 1) || !InBody(x, y + 1);
      if (edge) {
        p[y][x] = kBlack;
      } else if (!InBody(x - 2, y) || !InBody(x, y - 2)) {
        p[y][x] = kWhite;  // light from the top left
      } else if (!InBody(x + 2, y) || !InBody(x, y + 2)) {
        p[y][x] = kGrey;
      } else {
        p[y][x] = kSilver;
      }
    }
  }
  // The two buttons: a line across and a line between them.
  for (int x = 9; x <= 22; ++x) {
    if (InBody(x, 16)) p[16][x] = kBlack;
  }
  for (int y = 9; y <= 16; ++y) p[y][15] = kBlack;
  // The cable, from the front of the mouse up and away to the left; the
  // application's curls to the right, mirrored about the column it leaves by.
  const std::array<std::pair<int, int>, 11> cable = {
      {{15, 8}, {15, 7}, {15, 6}, {14, 5}, {13, 4}, {12, 4}, {11, 4}, {10, 3}, {9, 2}, {8, 1}, {7, 0}}};
  for (const auto& [x, y] : cable) p[y][variant == Variant::kApplication ? 30 - x : x] = kBlack;
  return p;
}

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

std::vector<std::uint8_t> Icon(const Picture& p) {
  constexpr std::uint32_t kHeader = 40;
  constexpr std::uint32_t kColours = 16 * 4;
  constexpr std::uint32_t kPixels = kSize * kSize / 2;
  constexpr std::uint32_t kMask = kSize * kSize / 8;
  std::vector<std::uint8_t> out;
  // The directory: one image.
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  out.push_back(kSize);
  out.push_back(kSize);
  out.push_back(16);
  out.push_back(0);
  Put16(out, 1);
  Put16(out, 4);
  Put32(out, kHeader + kColours + kPixels + kMask);
  Put32(out, 22);
  // The image: its header (twice the height: colours, then the mask).
  Put32(out, kHeader);
  Put32(out, kSize);
  Put32(out, kSize * 2);
  Put16(out, 1);
  Put16(out, 4);
  Put32(out, 0);
  Put32(out, kPixels + kMask);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 16);
  Put32(out, 0);
  for (std::uint32_t rgb : kPalette) {
    out.push_back(static_cast<std::uint8_t>(rgb));
    out.push_back(static_cast<std::uint8_t>(rgb >> 8));
    out.push_back(static_cast<std::uint8_t>(rgb >> 16));
    out.push_back(0);
  }
  // Rows bottom to top; a clear pixel is black in the colours, set in the mask.
  for (int y = kSize - 1; y >= 0; --y) {
    for (int x = 0; x < kSize; x += 2) {
      const int left = p[y][x] == kClear ? 0 : p[y][x];
      const int right = p[y][x + 1] == kClear ? 0 : p[y][x + 1];
      out.push_back(static_cast<std::uint8_t>(left << 4 | right));
    }
  }
  for (int y = kSize - 1; y >= 0; --y) {
    for (int x = 0; x < kSize; x += 8) {
      std::uint8_t bits = 0;
      for (int b = 0; b < 8; ++b) {
        if (p[y][x + b] == kClear) bits |= static_cast<std::uint8_t>(0x80 >> b);
      }
      out.push_back(bits);
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  const bool application = argc == 3 && std::string(argv[1]) == "--application";
  if (argc != 2 && !application) {
    std::fprintf(stderr, "usage: make_icon [--application] FILE.ico\n");
    return 2;
  }
  const std::vector<std::uint8_t> bytes = Icon(Draw(application ? Variant::kApplication : Variant::kForms));
  std::ofstream file(argv[argc - 1], std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return file ? 0 : 1;
}
