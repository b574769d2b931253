// Text in any script at the Windows edge: a message naming a file in a
// folder outside the code page, and characters typed outside it, reach the
// user as they are. In the driver's own process, the conversions and the
// registry's strings on the real system.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/registry.h"
#include "platform/win32/text.h"
#include "tests/e2e/driver.h"

using namespace e2e;
using platform::win32::Utf8;
using platform::win32::WideText;

namespace {

constexpr const char* kTitle = "Tapfinch by BRENMOOR";

// Whether the system's code page lacks a character of the text, so that
// the ANSI functions could not carry it.
bool OutsideCodePage(const std::wstring& text) {
  BOOL lost = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                      &lost);
  return lost != FALSE;
}

// The visible dialogs' titles and static texts, for a failure's message.
std::string DialogsOf(const Tapfinch& app) {
  std::string seen;
  for (HWND w : WindowsOf(app.processId(), "#32770")) {
    if (IsWindowVisible(w) == FALSE) continue;
    seen += "[" + CaptionOf(w) + "]";
    for (const std::string& text : StaticTexts(w)) seen += " \"" + text + "\"";
    seen += "\n";
  }
  return seen;
}

void Dismiss(const Tapfinch& app, HWND box) {
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor([&] { return VisibleDialogs(app.processId()) == 0; }, 3000));
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  for (const std::string& t : texts) {
    if (t == text) return true;
  }
  return false;
}

}  // namespace

TEST(TextE2E, ABadLinesMessageNamesAFolderOutsideTheCodePageAsItIs) {
  DeleteSettings();
  // "Jürgen-Списки": a Latin letter the usual code pages have, and Cyrillic
  // that a Western one has not.
  const std::wstring folder = L"C:\\J\x00FCrgen-\x0421\x043F\x0438\x0441\x043A\x0438";
  const std::wstring file = folder + L"\\bad.txt";
  ASSERT_TRUE(OutsideCodePage(folder)) << "code page " << GetACP() << " holds the whole name: nothing to show";
  CreateDirectoryW(folder.c_str(), nullptr);  // there already is as good
  HANDLE created = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(created, INVALID_HANDLE_VALUE);
  const std::string bytes = "abc, 2, 1, 5\r\n";
  DWORD written = 0;
  WriteFile(created, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(created);
  ASSERT_EQ(written, bytes.size());

  {
    Tapfinch app;
    ASSERT_TRUE(app.started());
    HWND list = app.control("TListBox");
    ASSERT_NE(list, nullptr);
    Click(app.control("TButton", "Load List"));
    HWND opening = FileDialog(app);
    ASSERT_NE(opening, nullptr) << "no open dialog";
    ASSERT_TRUE(ChooseFile(opening, file));
    HWND box = MessageBoxOf(app, kTitle);
    ASSERT_NE(box, nullptr) << "no message box titled " << kTitle << "; dialogs:\n" << DialogsOf(app);
    const std::string expected =
        "Line 1 of " + Utf8(file) + ": 'abc' is not a valid integer value; the list is unchanged.";
    EXPECT_TRUE(Contains(StaticTexts(box), expected)) << "expected \"" << expected << "\"; dialogs:\n"
                                                      << DialogsOf(app);
    Dismiss(app, box);
    EXPECT_EQ(ListCount(list), 0) << "the list changed";
    EXPECT_EQ(app.close(), 0u);
  }
  DeleteFileW(file.c_str());
  RemoveDirectoryW(folder.c_str());
  DeleteSettings();
}

TEST(TextE2E, CharactersTypedOutsideTheCodePageStayAsTypedAndTheMessageNamesThem) {
  DeleteSettings();
  const std::string typed =
      "\xD0\x96"
      "12";  // "Ж12"
  ASSERT_TRUE(OutsideCodePage(WideText(typed))) << "code page " << GetACP() << " holds Ж: nothing to show";
  {
    Tapfinch app;
    ASSERT_TRUE(app.started());
    HWND list = app.control("TListBox");
    HWND add = app.control("TButton", "Add to List");
    ASSERT_NE(list, nullptr);
    ASSERT_NE(add, nullptr);
    // The capture enables Add to List.
    Click(app.control("TButton", "Start"));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(add) != FALSE; }, 2000));
    const auto edits = app.controls("TEdit");
    ASSERT_EQ(edits.size(), 2u);
    RetypeInto(edits[0], typed);
    RetypeInto(edits[1], "5");
    EXPECT_TRUE(WaitFor([&] { return TextOf(edits[0]) == typed; }, 2000))
        << "the X field shows \"" << TextOf(edits[0]) << "\"";
    Click(add);
    HWND box = MessageBoxOf(app, kTitle);
    ASSERT_NE(box, nullptr) << "no message box titled " << kTitle << "; dialogs:\n" << DialogsOf(app);
    const std::string expected = "'" + typed + "' is not a valid integer value.";
    EXPECT_TRUE(Contains(StaticTexts(box), expected)) << "expected \"" << expected << "\"; dialogs:\n"
                                                      << DialogsOf(app);
    Dismiss(app, box);
    EXPECT_EQ(ListCount(list), 0) << "a row was added";
    EXPECT_EQ(app.close(), 0u);
  }
  DeleteSettings();
}

// The conversions themselves, on the system the program runs on.
TEST(Win32TextE2E, NamesConvertStrictlyAndShownTextLeniently) {
  std::wstring wide;
  EXPECT_TRUE(platform::win32::Wide("J\xC3\xBCrgen", wide));
  EXPECT_EQ(wide, L"J\x00FCrgen");
  // A stray byte, a cut character and a byte no UTF-8 has: a name is refused.
  for (const std::string bad : {"a\x80z", "a\xE2\x82", "a\xFFz"}) {
    EXPECT_FALSE(platform::win32::Wide(bad, wide)) << "a name of bytes that are not UTF-8 converted";
  }
  // Shown, each becomes one U+FFFD and the rest stays; nulls are kept.
  EXPECT_EQ(WideText("a\x80z"), L"a\xFFFDz");
  EXPECT_EQ(WideText("a\xE2\x82"), L"a\xFFFD");
  EXPECT_EQ(WideText(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
  EXPECT_EQ(WideText("\xD0\x96\xF0\x9F\x98\x80"), L"\x0416\xD83D\xDE00");  // Ж and an emoji's surrogate pair
  // Back: a lone surrogate becomes U+FFFD (EF BF BD), a pair its character.
  EXPECT_EQ(Utf8(std::wstring(L"a\xD800z")), "a\xEF\xBF\xBDz");
  EXPECT_EQ(Utf8(std::wstring(L"\xDC00")), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf8(std::wstring(L"\xD83D\xDE00\0x", 4)), std::string("\xF0\x9F\x98\x80\0x", 6));
}

// The framework writes a string with its terminating zero and cuts what it
// reads at the first zero; it must see UTF-8 bytes exactly where the
// registry holds UTF-16.
TEST(Win32TextE2E, RegistryStringsAreUtf16InTheRegistryAndUtf8InTheProgram) {
  const wchar_t* path = L"Software\\Brenmoorsoft\\Tapfinch e2e text";
  RegDeleteTreeW(HKEY_CURRENT_USER, path);
  platform::win32::Win32Registry registry;
  auto key = registry.CreateKey(platform::RegistryRoot::kCurrentUser, Utf8(std::wstring(path)));
  ASSERT_NE(key, nullptr);
  HKEY raw = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &raw), ERROR_SUCCESS);

  const std::string name = "J\xC3\xBCrgen \xD0\x96";  // "Jürgen Ж"
  const std::vector<std::uint8_t> utf8(name.c_str(), name.c_str() + name.size() + 1);
  ASSERT_TRUE(key->Write("Text", {platform::kRegSz, utf8}));
  wchar_t stored[32] = {};
  DWORD type = 0;
  DWORD size = sizeof stored;
  ASSERT_EQ(RegQueryValueExW(raw, L"Text", nullptr, &type, reinterpret_cast<BYTE*>(stored), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::wstring(stored, size / sizeof(wchar_t)), std::wstring(L"J\x00FCrgen \x0416", 9));
  auto read = key->Read("Text");
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->type, static_cast<std::uint32_t>(platform::kRegSz));
  EXPECT_EQ(read->data, utf8);

  // ASCII reads as the ANSI call gave it: the same bytes, zero included.
  const std::wstring ascii(L"Ctrl+F5", 8);
  ASSERT_EQ(RegSetValueExW(raw, L"Ascii", 0, REG_SZ, reinterpret_cast<const BYTE*>(ascii.data()),
                           static_cast<DWORD>(ascii.size() * sizeof(wchar_t))),
            ERROR_SUCCESS);
  read = key->Read("Ascii");
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(std::string(read->data.begin(), read->data.end()), std::string("Ctrl+F5", 8));

  // Half a character at the end is left out; a lone surrogate shows as U+FFFD.
  const BYTE odd[] = {'a', 0, 0x00, 0xD8, 'b', 0, 'c'};
  ASSERT_EQ(RegSetValueExW(raw, L"Odd", 0, REG_EXPAND_SZ, odd, sizeof odd), ERROR_SUCCESS);
  read = key->Read("Odd");
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->type, static_cast<std::uint32_t>(platform::kRegExpandSz));
  EXPECT_EQ(std::string(read->data.begin(), read->data.end()),
            "a\xEF\xBF\xBD"
            "b");

  // Other types are bytes either way.
  const std::vector<std::uint8_t> number{0x2A, 0x00, 0x00, 0x80};
  ASSERT_TRUE(key->Write("Number", {platform::kRegDword, number}));
  DWORD value = 0;
  size = sizeof value;
  ASSERT_EQ(RegQueryValueExW(raw, L"Number", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
  EXPECT_EQ(value, 0x8000002Au);
  const std::vector<std::uint8_t> blob{'J', 0xC3, 0xBC, 0, 0xFF};
  ASSERT_TRUE(key->Write("Blob", {platform::kRegBinary, blob}));
  read = key->Read("Blob");
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->data, blob);

  RegCloseKey(raw);
  key.reset();
  RegDeleteTreeW(HKEY_CURRENT_USER, path);
}
