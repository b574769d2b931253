// Saving and loading the click list: the bytes on disk, the reading rules,
// and a list that is never left half loaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/harness.h"

using testing_support::Tapfinch;

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
  void TearDown() override { std::filesystem::remove_all(folder); }

  TForm1& form() { return app.form(); }
  platform::fake::FakePlatform& fake() { return app.fake(); }

  std::string path(const std::string& name) { return (folder / name).string(); }
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(path(name), std::ios::binary) << bytes;
  }
  std::string read(const std::string& name) {
    std::ifstream file(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  void add(const std::string& x, const std::string& y, int tenths) {
    form().mtenth->SetValue(tenths);
    form().mxpostext->SetText(x);
    form().mypostext->SetText(y);
    form().addtolistbuttonClick(nullptr);
  }
  void load(const std::string& name) {
    fake().boxes().answerFileDialog(path(name));
    app.user().click(*form().mloadlistbtn);
  }
  std::vector<std::string> rows() {
    std::vector<std::string> all;
    for (int i = 0; i < form().listbox1->Items().Count(); ++i) all.push_back(form().listbox1->Items()[i]);
    return all;
  }

  std::filesystem::path folder;
  Tapfinch app;
};

}  // namespace

TEST_F(ListFile, SavedRowsLoadBackAsTheSameRowsAndEntries) {
  add("512", "384", 0);
  add("-200", "40", 5);
  add("7", "9", 2);
  // A run moves the position on, which Clear resets and Load leaves.
  app.user().click(*form().mclicklistbtn);
  while (form().session->ListPosition() != 3) fake().advance(100);
  app.user().click(*form().mclicklistbtn);
  fake().boxes().answerFileDialog(path("list.txt"));
  form().SaveClickList1->Click();
  EXPECT_EQ(read("list.txt"), "512, 384, 1, 5\r\n-200, 40, 1, 5.5\r\n7, 9, 1, 5.2\r\n");
  const auto& saving = fake().boxes().fileDialogs().back();
  EXPECT_TRUE(saving.save);
  EXPECT_EQ(saving.title, "Save Click List - Tapfinch");
  EXPECT_EQ(saving.fileName, "tapfinchlist");
  EXPECT_EQ(saving.defaultExt, "txt");
  EXPECT_TRUE(saving.options.overwritePrompt);

  app.user().click(*form().mclearlistbtn);
  load("list.txt");
  EXPECT_EQ(rows(), (std::vector<std::string>{"512, 384, 1, 5", "-200, 40, 1, 5.5", "7, 9, 1, 5.2"}));
  EXPECT_EQ(form().session->List().Count(), 3);
  EXPECT_EQ(form().session->List().At(2).x, -200);
  EXPECT_DOUBLE_EQ(form().session->List().At(3).delay, 5.2);
  EXPECT_EQ(form().session->ListPosition(), 1) << "Clear reset it; Load leaves it";
  EXPECT_FALSE(fake().boxes().fileDialogs().back().save);
  EXPECT_EQ(fake().boxes().fileDialogs().back().title, "") << "the dialog's standard title";

  // An empty list saves nothing and shows no dialog.
  app.user().click(*form().mclearlistbtn);
  const auto dialogs = fake().boxes().fileDialogs().size();
  app.user().click(*form().msavelistbtn);
  EXPECT_EQ(fake().boxes().fileDialogs().size(), dialogs);
}

TEST_F(ListFile, LinesEndAtCrLfOrCrOrLfAndTheBlankLinesAtTheEndAreNoEntries) {
  write("lf.txt", "1, 2, 3, 4\n5, 6, 1, 0.5");
  load("lf.txt");
  EXPECT_EQ(rows(), (std::vector<std::string>{"1, 2, 3, 4", "5, 6, 1, 0.5"}));
  write("mixed.txt", "1, 2, 3, 4\r5, 6, 1, 0.5\r\n9, 9, 9, 9, 9\r\n");
  load("mixed.txt");
  EXPECT_EQ(rows().size(), 3u);
  EXPECT_EQ(form().session->List().At(3).option, 9) << "taken as it is";
  EXPECT_EQ(form().session->List().At(3).delay, 9) << "the fifth part is ignored";
  write("editor.txt", "1, 1, 1, 1\r\n2, 2, 2, 2\r\n\r\n  \r\n\t\n");
  load("editor.txt");
  EXPECT_EQ(rows(), (std::vector<std::string>{"1, 1, 1, 1", "2, 2, 2, 2"}));
  std::string hundred;
  for (int i = 0; i < 100; ++i) hundred += "1, 1, 1, 1\r\n";
  write("hundred.txt", hundred + "\r\n");
  load("hundred.txt");
  EXPECT_EQ(rows().size(), 100u) << "a blank 101st line is no 101st point";
  write("empty.txt", "");
  load("empty.txt");
  EXPECT_TRUE(rows().empty());
  EXPECT_EQ(form().session->List().Count(), 0);
  EXPECT_TRUE(fake().messageBoxes().empty());
}

TEST_F(ListFile, ABadLineLeavesTheListAsItWasWithTheConversionError) {
  add("10", "20", 0);
  write("gap.txt", "1, 2, 3, 4\r\n\r\n5, 6, 1, 1\r\n");
  load("gap.txt");
  ASSERT_EQ(fake().messageBoxes().size(), 1u);
  EXPECT_EQ(fake().messageBoxes()[0].text,
            "Line 2 of " + path("gap.txt") + ": '' is not a valid integer value; the list is unchanged.");
  EXPECT_EQ(rows(), (std::vector<std::string>{"10, 20, 1, 5"}));
  EXPECT_EQ(form().session->List().Count(), 1);
  EXPECT_EQ(form().session->List().At(1).x, 10);

  write("word.txt", "1, 2, 3, soon\r\n");
  load("word.txt");
  ASSERT_EQ(fake().messageBoxes().size(), 2u);
  EXPECT_EQ(fake().messageBoxes()[1].text,
            "Line 1 of " + path("word.txt") + ": ' soon' is not a valid floating point value; the list is unchanged.");
  EXPECT_EQ(rows().size(), 1u);

  std::string many;
  for (int i = 0; i < 101; ++i) many += "1, 1, 1, 1\r\n";
  write("many.txt", many);
  load("many.txt");
  ASSERT_EQ(fake().messageBoxes().size(), 3u);
  EXPECT_NE(fake().messageBoxes()[2].text.find("more than 100 click points"), std::string::npos);
  EXPECT_EQ(rows().size(), 1u);

  load("missing.txt");
  ASSERT_EQ(fake().messageBoxes().size(), 4u);
  EXPECT_EQ(fake().messageBoxes()[3].text, "Cannot open file " + path("missing.txt") + ".");
  EXPECT_EQ(form().session->List().Count(), 1);
}

TEST_F(ListFile, CancellingTheDialogLeavesTheListAsItWas) {
  add("3", "4", 0);
  app.user().click(*form().mloadlistbtn);  // no answer: cancelled
  EXPECT_EQ(form().session->List().At(1).x, 3);
  EXPECT_EQ(form().session->List().Count(), 1);
  EXPECT_EQ(rows(), (std::vector<std::string>{"3, 4, 1, 5"}));
  EXPECT_TRUE(fake().messageBoxes().empty());
}

TEST_F(ListFile, DelaysSurviveASystemWhoseDecimalSeparatorIsTheComma) {
  fake().setDecimalSeparator(',');
  form().mseconds->SetValue(1);
  form().mtenth->SetValue(2);
  form().mhundreth->SetValue(5);
  form().mxpostext->SetText("7");
  form().mypostext->SetText("8");
  form().addtolistbuttonClick(nullptr);
  EXPECT_EQ(rows(), (std::vector<std::string>{"7, 8, 1, 1,25"}));
  fake().boxes().answerFileDialog(path("comma.txt"));
  app.user().click(*form().msavelistbtn);
  load("comma.txt");
  EXPECT_DOUBLE_EQ(form().session->List().At(1).delay, 1.25);
  write("period.txt", "7, 8, 1, 2.5\r\n");
  load("period.txt");
  EXPECT_DOUBLE_EQ(form().session->List().At(1).delay, 2.5) << "a file written on a period system";
  fake().setDecimalSeparator('.');
  load("comma.txt");
  EXPECT_DOUBLE_EQ(form().session->List().At(1).delay, 1.25) << "and the other way round";
  EXPECT_TRUE(fake().messageBoxes().empty());
}

TEST_F(ListFile, ASaveThatFailsLeavesTheFileThatWasThere) {
  add("1", "1", 0);
  write("keep.txt", "old contents");
  std::filesystem::create_directory(path("taken"));
  write("taken/inside.txt", "x");
  fake().boxes().answerFileDialog(path("taken"));  // a folder: it cannot become the file
  app.user().click(*form().msavelistbtn);
  ASSERT_EQ(fake().messageBoxes().size(), 1u);
  EXPECT_EQ(fake().messageBoxes()[0].text, "Cannot create file " + path("taken") + ".");
  EXPECT_EQ(read("taken/inside.txt"), "x");
  EXPECT_FALSE(std::filesystem::exists(path("taken") + ".tapfinch-saving")) << "nothing left behind";
  fake().boxes().answerFileDialog(path("no-such-folder/list.txt"));
  app.user().click(*form().msavelistbtn);
  EXPECT_EQ(fake().messageBoxes().size(), 2u);
  fake().boxes().answerFileDialog(path("keep.txt"));
  app.user().click(*form().msavelistbtn);
  EXPECT_EQ(read("keep.txt"), "1, 1, 1, 5\r\n") << "replaced whole when the write succeeds";
}

TEST_F(ListFile, ADelayTheTimerCannotWaitIsRefusedWithItsLineAndTheListKept) {
  add("1", "2", 0);
  const std::vector<std::string> before = rows();
  const std::pair<const char*, const char*> files[] = {
      {"negative.txt", "5, 5, 1, 1\r\n6, 6, 1, -1\r\n"},
      {"huge.txt", "5, 5, 1, 1e308\r\n"},
      {"month.txt", "5, 5, 1, 1\r\n6, 6, 1, 2\r\n7, 7, 1, 2592000\r\n"},
  };
  const std::pair<int, const char*> messages[] = {{2, "-1"}, {1, "1E308"}, {3, "2592000"}};
  for (std::size_t i = 0; i < std::size(files); ++i) {
    SCOPED_TRACE(files[i].first);
    write(files[i].first, files[i].second);
    fake().clearMessageBoxes();
    load(files[i].first);
    ASSERT_EQ(fake().messageBoxes().size(), 1u);
    EXPECT_EQ(fake().messageBoxes()[0].text, "Line " + std::to_string(messages[i].first) + " of " +
                                                 path(files[i].first) + ": the delay " + messages[i].second +
                                                 " is not between 0 and 2147483.647 seconds; the list is unchanged.");
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(form().session->List().Count(), 1);
  }
  // The longest wait itself loads.
  write("longest.txt", "5, 5, 1, 2147483.647\r\n");
  fake().clearMessageBoxes();
  load("longest.txt");
  EXPECT_TRUE(fake().messageBoxes().empty());
  EXPECT_EQ(form().session->List().At(1).delay, 2147483.647);
}

TEST_F(ListFile, ANameInAnyScriptReachesTheFileSystemUnchanged) {
  add("3", "4", 0);
  for (const char* name : {"caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x93.txt",
                           "\xD1\x81\xD0\xBF\xD0\xB8\xD1\x81\xD0\xBE\xD0\xBA.txt", "\xE6\x97\xA5\xE6\x9C\xAC.txt"}) {
    SCOPED_TRACE(name);
    fake().boxes().answerFileDialog(path(name));
    app.user().click(*form().msavelistbtn);
    EXPECT_EQ(read(name), "3, 4, 1, 5\r\n");
    app.user().click(*form().mclearlistbtn);
    load(name);
    EXPECT_EQ(rows(), std::vector<std::string>{"3, 4, 1, 5"});
  }
  EXPECT_TRUE(fake().messageBoxes().empty());
}

TEST_F(ListFile, TextWithAMarkOrInUtf16LoadsAndBinaryIsRefused) {
  const std::string rowsText = "1, 2, 1, 0.5\r\n3, 4, 2, 1\r\n";
  auto utf16 = [&](bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : rowsText) {
      bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return bytes;
  };
  const std::pair<const char*, std::string> texts[] = {
      {"mark.txt", "\xEF\xBB\xBF" + rowsText}, {"utf16le.txt", utf16(false)}, {"utf16be.txt", utf16(true)}};
  for (const auto& [name, bytes] : texts) {
    SCOPED_TRACE(name);
    write(name, bytes);
    load(name);
    EXPECT_TRUE(fake().messageBoxes().empty());
    EXPECT_EQ(rows(), (std::vector<std::string>{"1, 2, 1, 0.5", "3, 4, 2, 1"}));
  }

  const std::vector<std::string> before = rows();
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
    SCOPED_TRACE(name);
    write(name, bytes);
    fake().clearMessageBoxes();
    load(name);
    ASSERT_EQ(fake().messageBoxes().size(), 1u);
    EXPECT_EQ(fake().messageBoxes()[0].text,
              path(name) + " is not a click list: it is not plain text; the list is unchanged.");
    EXPECT_EQ(rows(), before);
  }
}

TEST_F(ListFile, ALongValueIsQuotedShort) {
  write("long.txt", "1, 2, 3, " + std::string(5000, '9') + "x\r\n");
  load("long.txt");
  ASSERT_EQ(fake().messageBoxes().size(), 1u);
  EXPECT_EQ(fake().messageBoxes()[0].text, "Line 1 of " + path("long.txt") + ": ' " + std::string(39, '9') +
                                               "...' is not a valid floating point value; the list is unchanged.");
  // Cut at a whole character, not inside one.
  write("wide.txt", "\xC3\xA9" + std::string(38, 'a') + "\xE2\x82\xAC\xE2\x82\xAC, 1, 1, 1\r\n");
  load("wide.txt");
  ASSERT_EQ(fake().messageBoxes().size(), 2u);
  EXPECT_EQ(fake().messageBoxes()[1].text, "Line 1 of " + path("wide.txt") + ": '\xC3\xA9" + std::string(38, 'a') +
                                               "...' is not a valid integer value; the list is unchanged.");
}
