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
  form().listPos = 3;
  fake().boxes().answerFileDialog(path("list.txt"));
  form().SaveClickList1->Click();
  EXPECT_EQ(read("list.txt"), "512, 384, 1, 5\r\n-200, 40, 1, 5.5\r\n7, 9, 1, 5.2\r\n");
  const auto& saving = fake().boxes().fileDialogs().back();
  EXPECT_TRUE(saving.save);
  EXPECT_EQ(saving.title, "Save Click List - Tapfinch");
  EXPECT_EQ(saving.fileName, "tapfinchlist");
  EXPECT_EQ(saving.defaultExt, "txt");
  EXPECT_EQ(saving.options & platform::kOfnOverwritePrompt, platform::kOfnOverwritePrompt);

  app.user().click(*form().mclearlistbtn);
  load("list.txt");
  EXPECT_EQ(rows(), (std::vector<std::string>{"512, 384, 1, 5", "-200, 40, 1, 5.5", "7, 9, 1, 5.2"}));
  EXPECT_EQ(form().listCount, 4);
  EXPECT_EQ(form().clickList[1].x, -200);
  EXPECT_DOUBLE_EQ(form().clickList[2].delay, 5.2);
  EXPECT_EQ(form().listPos, 1) << "Clear reset it; Load leaves it";
  EXPECT_FALSE(fake().boxes().fileDialogs().back().save);
  EXPECT_EQ(fake().boxes().fileDialogs().back().title, "") << "the dialog's standard title";

  // An empty list saves nothing and shows no dialog.
  app.user().click(*form().mclearlistbtn);
  const auto dialogs = fake().boxes().fileDialogs().size();
  app.user().click(*form().msavelistbtn);
  EXPECT_EQ(fake().boxes().fileDialogs().size(), dialogs);
}

TEST_F(ListFile, LinesEndAtCrLfOrCrOrLfAndANulEndsTheText) {
  write("lf.txt", "1, 2, 3, 4\n5, 6, 1, 0.5");
  load("lf.txt");
  EXPECT_EQ(rows(), (std::vector<std::string>{"1, 2, 3, 4", "5, 6, 1, 0.5"}));
  write("mixed.txt", "1, 2, 3, 4\r5, 6, 1, 0.5\r\n9, 9, 9, 9, 9\r\n");
  load("mixed.txt");
  EXPECT_EQ(rows().size(), 3u);
  EXPECT_EQ(form().clickList[2].option, 9) << "taken as it is";
  EXPECT_EQ(form().clickList[2].delay, 9) << "the fifth part is ignored";
  write("nul.txt", std::string("1, 1, 1, 1\r\n2, 2, 2, 2\0 3, 3, 3, 3\r\n", 32));
  load("nul.txt");
  EXPECT_EQ(rows(), (std::vector<std::string>{"1, 1, 1, 1", "2, 2, 2, 2"}));
  write("empty.txt", "");
  load("empty.txt");
  EXPECT_TRUE(rows().empty());
  EXPECT_EQ(form().listCount, 1);
  EXPECT_TRUE(fake().messageBoxes().empty());
}

TEST_F(ListFile, ABadLineLeavesTheListAsItWasWithTheConversionError) {
  add("10", "20", 0);
  write("extra.txt", "1, 2, 3, 4\r\n\r\n");
  load("extra.txt");
  ASSERT_EQ(fake().messageBoxes().size(), 1u);
  EXPECT_EQ(fake().messageBoxes()[0].text, "'' is not a valid integer value.");
  EXPECT_EQ(rows(), (std::vector<std::string>{"10, 20, 1, 5"}));
  EXPECT_EQ(form().listCount, 2);
  EXPECT_EQ(form().clickList[0].x, 10);

  write("word.txt", "1, 2, 3, soon\r\n");
  load("word.txt");
  ASSERT_EQ(fake().messageBoxes().size(), 2u);
  EXPECT_EQ(fake().messageBoxes()[1].text, "' soon' is not a valid floating point value.");
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
  EXPECT_EQ(form().listCount, 2);
}

TEST_F(ListFile, CancellingTheDialogStillRebuildsEveryEntryFromItsRow) {
  add("3", "4", 0);
  form().clickList[0].x = 999;
  app.user().click(*form().mloadlistbtn);  // no answer: cancelled
  EXPECT_EQ(form().clickList[0].x, 3);
  EXPECT_EQ(form().listCount, 2);
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
  EXPECT_DOUBLE_EQ(form().clickList[0].delay, 1.25);
  write("period.txt", "7, 8, 1, 2.5\r\n");
  load("period.txt");
  EXPECT_DOUBLE_EQ(form().clickList[0].delay, 2.5) << "a file written on a period system";
  fake().setDecimalSeparator('.');
  load("comma.txt");
  EXPECT_DOUBLE_EQ(form().clickList[0].delay, 1.25) << "and the other way round";
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
  const char* const messages[] = {
      "Line 2: the delay -1 is not between 0 and 2147483.647 seconds; the list is unchanged.",
      "Line 1: the delay 1E308 is not between 0 and 2147483.647 seconds; the list is unchanged.",
      "Line 3: the delay 2592000 is not between 0 and 2147483.647 seconds; the list is unchanged.",
  };
  for (std::size_t i = 0; i < std::size(files); ++i) {
    SCOPED_TRACE(files[i].first);
    write(files[i].first, files[i].second);
    fake().clearMessageBoxes();
    load(files[i].first);
    ASSERT_EQ(fake().messageBoxes().size(), 1u);
    EXPECT_EQ(fake().messageBoxes()[0].text, messages[i]);
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(form().listCount, 2);
  }
  // The longest wait itself loads.
  write("longest.txt", "5, 5, 1, 2147483.647\r\n");
  fake().clearMessageBoxes();
  load("longest.txt");
  EXPECT_TRUE(fake().messageBoxes().empty());
  EXPECT_EQ(form().clickList[0].delay, 2147483.647);
}
