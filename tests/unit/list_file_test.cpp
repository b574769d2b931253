// The click list file on its own: the bytes Save writes, the rules Load
// reads by, and a file refused with a message that names it. Real files in
// a temporary folder, through the fake platform's files, with no window.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/list_file.h"
#include "framework/exceptions.h"
#include "platform/fake/fake_platform.h"

namespace {

class ListFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("tapfinch-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  std::string path(const std::string& name) const { return (folder / name).string(); }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
  }
  std::string read(const std::string& name) const {
    std::ifstream file(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  ClickList load(const std::string& name, char separator = '.') {
    return ReadListFile(fake.files(), path(name), separator);
  }
  // What a load that fails says; "loaded" when it did not fail.
  std::string refusal(const std::string& name, char separator = '.') {
    try {
      static_cast<void>(load(name, separator));
    } catch (const Exception& e) {
      return e.what();
    }
    return "loaded";
  }
  void save(const std::string& name, const std::vector<std::string>& rows) {
    SaveListFile(fake.files(), path(name), rows);
  }

  platform::fake::FakePlatform fake;
  std::filesystem::path folder;
};

}  // namespace

TEST_F(ListFile, SavedRowsLoadBackAsTheSameRowsAndEntries) {
  const std::vector<std::string> rows = {"512, 384, 1, 5", "-200, 40, 5, 5.5", " 7, 9, 2, 5.2"};
  save("list.txt", rows);
  EXPECT_EQ(read("list.txt"), "512, 384, 1, 5\r\n-200, 40, 5, 5.5\r\n 7, 9, 2, 5.2\r\n") << "CR LF after every row";
  const ClickList list = load("list.txt");
  EXPECT_EQ(list.Rows(), rows) << "the rows as they were, a leading blank kept";
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.At(2), (ClickEntry{-200, 40, 5, 5.5}));
  EXPECT_EQ(list.At(3).x, 7);
}

TEST_F(ListFile, LinesEndAtCrLfOrCrOrLfAndTheBlankLinesAtTheEndAreNoEntries) {
  write("lf.txt", "1, 2, 3, 4\n5, 6, 1, 0.5");
  EXPECT_EQ(load("lf.txt").Rows(), (std::vector<std::string>{"1, 2, 3, 4", "5, 6, 1, 0.5"}));
  write("mixed.txt", "1, 2, 3, 4\r5, 6, 1, 0.5\r\n9, 9, 9, 9, 9\r\n");
  const ClickList mixed = load("mixed.txt");
  ASSERT_EQ(mixed.Count(), 3);
  EXPECT_EQ(mixed.At(3).option, 9) << "taken as it is";
  EXPECT_EQ(mixed.At(3).delay, 9) << "the fifth part is ignored";
  write("editor.txt", "1, 1, 1, 1\r\n2, 2, 2, 2\r\n\r\n  \r\n\t\n");
  EXPECT_EQ(load("editor.txt").Rows(), (std::vector<std::string>{"1, 1, 1, 1", "2, 2, 2, 2"}));
  std::string hundred;
  for (int i = 0; i < 100; ++i) hundred += "1, 1, 1, 1\r\n";
  write("hundred.txt", hundred + "\r\n");
  EXPECT_EQ(load("hundred.txt").Count(), 100) << "a blank 101st line is no 101st point";
  write("empty.txt", "");
  EXPECT_EQ(load("empty.txt").Count(), 0);
}

TEST_F(ListFile, ALineOrAFileThatCannotBeReadIsNamed) {
  write("gap.txt", "1, 2, 3, 4\r\n\r\n5, 6, 1, 1\r\n");
  write("word.txt", "1, 2, 3, soon\r\n");
  std::string many;
  for (int i = 0; i < 101; ++i) many += "1, 1, 1, 1\r\n";
  write("many.txt", many);
  const std::pair<const char*, std::string> table[] = {
      {"gap.txt", "Line 2 of " + path("gap.txt") + ": '' is not a valid integer value; the list is unchanged"},
      {"word.txt",
       "Line 1 of " + path("word.txt") + ": ' soon' is not a valid floating point value; the list is unchanged"},
      {"many.txt", path("many.txt") + " holds more than 100 click points; the list is unchanged"},
      {"missing.txt", "Cannot open file " + path("missing.txt")},
  };
  for (const auto& [name, message] : table) EXPECT_EQ(refusal(name), message) << name;
}

TEST_F(ListFile, DelaysReadTheSameWhicheverDecimalSeparatorWroteThem) {
  write("comma.txt", "7, 8, 1, 1,25\r\n");
  write("period.txt", "7, 8, 1, 2.5\r\n");
  for (const char separator : {',', '.'}) {
    SCOPED_TRACE(separator);
    EXPECT_DOUBLE_EQ(load("comma.txt", separator).At(1).delay, 1.25);
    EXPECT_DOUBLE_EQ(load("period.txt", separator).At(1).delay, 2.5);
  }
}

TEST_F(ListFile, ASaveThatCannotCompleteKeepsTheFileThatWasThereAndNamesIt) {
  write("keep.txt", "old contents");
  write("full.txt", "old list\r\n");
  write("locked.txt", "locked list\r\n");
  std::filesystem::create_directory(path("taken"));
  write("taken/inside.txt", "x");
  // /dev/full takes the new file's bytes as a full disk does.
  std::filesystem::create_symlink("/dev/full", path("full.txt") + ".tapfinch-saving");
  // Marked read-only: refused for every user, as Windows refuses it.
  std::filesystem::permissions(path("locked.txt"), std::filesystem::perms::owner_read |
                                                       std::filesystem::perms::group_read |
                                                       std::filesystem::perms::others_read);
  for (const char* name : {"taken", "no-such-folder/list.txt", "full.txt", "locked.txt"}) {
    SCOPED_TRACE(name);
    try {
      save(name, {"1, 1, 1, 5"});
      ADD_FAILURE() << "saved";
    } catch (const EFCreateError& e) {
      EXPECT_STREQ(e.what(), ("Cannot create file " + path(name)).c_str());
    }
  }
  EXPECT_EQ(read("taken/inside.txt"), "x");
  EXPECT_EQ(read("full.txt"), "old list\r\n");
  EXPECT_EQ(read("locked.txt"), "locked list\r\n");
  EXPECT_FALSE(std::filesystem::exists(path("taken") + ".tapfinch-saving")) << "nothing left behind";
  EXPECT_FALSE(std::filesystem::is_symlink(path("full.txt") + ".tapfinch-saving"));
  EXPECT_TRUE(std::filesystem::exists("/dev/full"));
  save("keep.txt", {"1, 1, 1, 5"});
  EXPECT_EQ(read("keep.txt"), "1, 1, 1, 5\r\n") << "replaced whole when the write succeeds";
}

TEST_F(ListFile, ADelayTheTimerCannotWaitIsRefusedWithItsLine) {
  const struct {
    const char* name;
    const char* bytes;
    int line;
    const char* delay;
  } table[] = {
      {"negative.txt", "5, 5, 1, 1\r\n6, 6, 1, -1\r\n", 2, "-1"},
      {"huge.txt", "5, 5, 1, 1e308\r\n", 1, "1E308"},
      {"month.txt", "5, 5, 1, 1\r\n6, 6, 1, 2\r\n7, 7, 1, 2592000\r\n", 3, "2592000"},
  };
  for (const auto& row : table) {
    write(row.name, row.bytes);
    EXPECT_EQ(refusal(row.name), "Line " + std::to_string(row.line) + " of " + path(row.name) + ": the delay " +
                                     row.delay + " is not between 0 and 2147483.647 seconds; the list is unchanged");
  }
  write("longest.txt", "5, 5, 1, 2147483.647\r\n");
  EXPECT_EQ(load("longest.txt").At(1).delay, 2147483.647) << "the longest wait itself loads";
}

TEST_F(ListFile, ANameInAnyScriptReachesTheFileSystemUnchanged) {
  for (const char* name : {"caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x93.txt",
                           "\xD1\x81\xD0\xBF\xD0\xB8\xD1\x81\xD0\xBE\xD0\xBA.txt", "\xE6\x97\xA5\xE6\x9C\xAC.txt"}) {
    SCOPED_TRACE(name);
    save(name, {"3, 4, 1, 5"});
    EXPECT_TRUE(std::filesystem::exists(folder / std::filesystem::u8path(name)));
    EXPECT_EQ(load(name).Rows(), std::vector<std::string>{"3, 4, 1, 5"});
  }
}

TEST_F(ListFile, TextWithAMarkOrInUtf16LoadsAndBinaryIsRefused) {
  const std::string rowsText = "1, 2, 1, 0.5\r\n3, 4, 2, 1\r\n";
  auto utf16 = [&](bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : rowsText) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return bytes;
  };
  const std::pair<const char*, std::string> texts[] = {
      {"mark.txt", "\xEF\xBB\xBF" + rowsText}, {"utf16le.txt", utf16(false)}, {"utf16be.txt", utf16(true)}};
  for (const auto& [name, bytes] : texts) {
    write(name, bytes);
    EXPECT_EQ(load(name).Rows(), (std::vector<std::string>{"1, 2, 1, 0.5", "3, 4, 2, 1"})) << name;
  }
  const std::pair<const char*, std::string> binaries[] = {
      {"icon.ico", std::string("\0\0\1\0\1\0  \0\0", 10)},
      {"nul.txt", std::string("1, 1, 1, 1\r\n2, 2, 2, 2\0 3, 3, 3, 3\r\n", 32)},
      {"control.txt", "1, 1, 1, 1\x1B[0m\r\n"},
      {"odd.txt", std::string("\xFF\xFE"
                              "1\0,",
                              5)},
      {"surrogate.txt", std::string("\xFF\xFE\x00\xDC", 4)},
  };
  for (const auto& [name, bytes] : binaries) {
    write(name, bytes);
    EXPECT_EQ(refusal(name), path(name) + " is not a click list: it is not plain text; the list is unchanged") << name;
  }
}

TEST_F(ListFile, ALongValueIsQuotedShortAndAHugeFileIsRefusedUnread) {
  write("long.txt", "1, 2, 3, " + std::string(5000, '9') + "x\r\n");
  EXPECT_EQ(refusal("long.txt"), "Line 1 of " + path("long.txt") + ": ' " + std::string(39, '9') +
                                     "...' is not a valid floating point value; the list is unchanged");
  // Cut at a whole character, not inside one.
  write("wide.txt", "\xC3\xA9" + std::string(38, 'a') + "\xE2\x82\xAC\xE2\x82\xAC, 1, 1, 1\r\n");
  EXPECT_EQ(refusal("wide.txt"), "Line 1 of " + path("wide.txt") + ": '\xC3\xA9" + std::string(38, 'a') +
                                     "...' is not a valid integer value; the list is unchanged");

  // 100 MB whose first line is a good row, a line of a million digits,
  // ten thousand rows: refused by their size before a byte is read; and
  // junk, refused as no text. Each message one can read.
  write("huge.txt", "1, 1, 1, 1\r\n");
  std::filesystem::resize_file(path("huge.txt"), 100u << 20);
  write("long-line.txt", "1, 1, 1, " + std::string(1'000'000, '5') + "\r\n");
  std::string tenThousand;
  for (int i = 0; i < 10'000; ++i) tenThousand += "1, 1, 1, 1\r\n";
  write("ten-thousand.txt", tenThousand);
  for (const char* name : {"huge.txt", "long-line.txt", "ten-thousand.txt"}) {
    EXPECT_EQ(refusal(name), path(name) + " is too large for a click list; the list is unchanged");
  }
  std::string junk;
  std::uint32_t seed = 12345;
  for (int i = 0; i < 4096; ++i) {
    seed = seed * 1664525u + 1013904223u;
    junk += static_cast<char>(1 + (seed >> 24) % 255);  // no zero: all of it is read
  }
  write("junk.bin", junk);
  EXPECT_EQ(refusal("junk.bin"),
            path("junk.bin") + " is not a click list: it is not plain text; the list is unchanged");
}
