#include "platform/fake/fake_services.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/fake/fake_clock.h"

namespace platform::fake {

bool SameAscii(const std::string& a, const std::string& b) noexcept {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

void FakeMouse::Mouse(MouseAction action) {
  const bool left = action == MouseAction::kLeftDown || action == MouseAction::kLeftUp;
  const bool down = action == MouseAction::kLeftDown || action == MouseAction::kRightDown;
  (left ? leftHeld_ : rightHeld_) = down;
  // Windows swaps injected flags as it swaps the physical buttons.
  const Record record{action, cursor_, clock_.now(), left != swapped_, down};
  ++eventCount_;
  if (listener_) listener_(record);
  if (recording_) events_.push_back(record);
}

void FakeMouse::SetCursorPos(std::int32_t x, std::int32_t y) {
  cursor_ = {x, y};
  ++cursorMoves_;
}

int FakeDialogs::ShowMessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) {
  boxes_.push_back({text, caption, flags, clock_.now()});
  ++open_;
  mostOpen_ = std::max(mostOpen_, open_);
  // Only the outermost box runs the action, so that a program that stacks
  // boxes shows it as a second box rather than recursing without end.
  if (whileOpen_ && open_ == 1) {
    // The box's own loop serves WM_TIMER, not the program's deadline timers.
    struct Loop {
      FakeClock& clock;
      ~Loop() { clock.leaveSystemModalLoop(); }
    } loop{clock_};
    clock_.enterSystemModalLoop();
    whileOpen_();
  }
  --open_;
  return kIdOk;
}

std::optional<std::string> FakeDialogs::ShowFileDialog(const FileDialogRequest& request) {
  fileDialogs_.push_back(request);
  if (fileAnswers_.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(fileAnswers_.front());
  fileAnswers_.pop_front();
  return answer;
}

// --------------------------------------------------------------- FakeFiles

std::optional<FileStatus> FakeFiles::Status(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) return std::nullopt;
  FileStatus result;
  result.regular = fs::is_regular_file(status);
  result.readOnly = (status.permissions() &
                     (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) == fs::perms::none;
  if (result.regular) result.size = fs::file_size(path, error);
  return error ? std::nullopt : std::optional<FileStatus>(result);
}

std::optional<std::string> FakeFiles::ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream contents;
  contents << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return contents.str();
}

bool FakeFiles::Replace(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".tapfinch-saving";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.flush();
    if (!file) {
      file.close();
      std::error_code ignored;  // the failure to report is the write's
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (!error) return true;
  std::error_code ignored;  // the failure to report is the rename's
  std::filesystem::remove(temporary, ignored);
  return false;
}

// ------------------------------------------------------------ FakeRegistry

class FakeRegistry::FakeKey final : public RegistryKey {
 public:
  FakeKey(FakeRegistry& registry, RegistryRoot root, std::string path)
      : registry_(registry), root_(root), path_(std::move(path)) {}

  std::optional<RegistryValue> Read(const std::string& name) override {
    // A key deleted while open reads as empty, as Windows answers then.
    const auto key = registry_.keys_.find({root_, path_});
    if (key == registry_.keys_.end()) return std::nullopt;
    const auto value = key->second.find(name);
    if (value == key->second.end()) return std::nullopt;
    return value->second;
  }

  bool Write(const std::string& name, const RegistryValue& value) override {
    if (registry_.writesLeft_ == 0) return false;
    const auto key = registry_.keys_.find({root_, path_});
    if (key == registry_.keys_.end()) return false;  // deleted meanwhile
    if (registry_.writesLeft_ > 0) --registry_.writesLeft_;
    ++registry_.writes_;
    key->second[name] = value;
    return true;
  }

 private:
  FakeRegistry& registry_;
  RegistryRoot root_;
  std::string path_;
};

bool FakeRegistry::keyExists(RegistryRoot root, const std::string& path) const {
  return keys_.count({root, path}) != 0;
}

void FakeRegistry::makeUnwritable(RegistryRoot root, bool unwritable) { unwritable_[root] = unwritable; }

std::unique_ptr<RegistryKey> FakeRegistry::CreateKey(RegistryRoot root, const std::string& path) {
  // Full access is what is asked: a root the user may not write refuses it.
  if (unwritable_[root]) return nullptr;
  keys_[{root, path}];
  return std::make_unique<FakeKey>(*this, root, path);
}

bool FakeLocale::SameTextIgnoringCase(const std::string& a, const std::string& b) { return SameAscii(a, b); }

namespace {
struct LayoutKey {
  std::uint32_t virtualKey;
  std::uint32_t scanCode;
  const char* name;
};
constexpr LayoutKey kLayout[] = {
    {0x10, 0x2A, "Shift"},     {0x11, 0x1D, "Ctrl"},  {0x12, 0x38, "Alt"},      {0x13, 0x61, "Pause"},
    {0x14, 0x3A, "Caps Lock"}, {0x6A, 0x37, "Num *"}, {0x6B, 0x4E, "Num +"},    {0x6D, 0x4A, "Num -"},
    {0x6E, 0x53, "Num Del"},   {0x6F, 0x62, "Num /"}, {0x90, 0x45, "Num Lock"}, {0x91, 0x46, "Scroll Lock"},
    {0xBA, 0x27, ";"},         {0xBB, 0x0D, "="},     {0xBC, 0x33, ","},        {0xBD, 0x0C, "-"},
    {0xBE, 0x34, "."},         {0xBF, 0x35, "/"},     {0xC0, 0x29, "`"},        {0xDB, 0x1A, "["},
    {0xDC, 0x2B, "\\"},        {0xDD, 0x1B, "]"},     {0xDE, 0x28, "'"},
};
}  // namespace

std::uint32_t FakeKeyboardLayout::ScanCodeOf(std::uint32_t virtualKey) {
  // By table: a hotkey name is looked up among every key, and the fuzzing
  // of the settings reads hotkey names millions of times.
  static constexpr auto kScanCodes = [] {
    std::array<std::uint32_t, 256> codes{};
    for (const LayoutKey& key : kLayout) codes[key.virtualKey] = key.scanCode;
    return codes;
  }();
  return virtualKey < kScanCodes.size() ? kScanCodes[virtualKey] : 0;
}

std::string FakeKeyboardLayout::KeyName(std::uint32_t scanCode) {
  for (const LayoutKey& key : kLayout) {
    if (key.scanCode == scanCode) return key.name;
  }
  return {};
}

}  // namespace platform::fake
