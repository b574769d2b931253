// The about box: its layout by the placing rules, the picture, the system
// lines, the link, and a modal run that leaves the program clicking.
#include <gtest/gtest.h>

#include <string>

#include "controls/lmdaboutdlg.h"
#include "controls/z3dlabel.h"
#include "framework/stdctrls.h"
#include "tests/support/harness.h"
#include "tests/support/recording_canvas.h"

using testing_support::Tapfinch;
using testing_support::WindowOf;

namespace {

class About : public ::testing::Test {
 protected:
  TLMDAboutDlg& dialog() { return *app.form().aboutdlg; }
  template <class T>
  static T& Part(TForm& box, const char* name) {
    return *dynamic_cast<T*>(box.FindComponent(name));
  }
  // Shows the box, runs check on it while it is up, and closes it with Esc.
  void show(const std::function<void(TForm&)>& check) {
    app.fake().desktop().whenModal([&](platform::fake::FakeTopLevel& window) {
      auto& box = dynamic_cast<TForm&>(dynamic_cast<TControl&>(window.events()));
      check(box);
      app.fake().desktop().pressKey(platform::kVkEscape);
    });
    app.form().about2->Click();
  }
  Tapfinch app;
};

}  // namespace

TEST_F(About, TextsArePlacedDownTheColumnWithTheirGaps) {
  bool shown = false;
  show([&](TForm& box) {
    shown = true;
    EXPECT_EQ(box.Caption(), "About Tapfinch");
    EXPECT_EQ(box.Border(), platform::FormBorder::kDialog) << "a dialog: the close button alone";
    EXPECT_EQ(box.Width(), 440) << "the outer width as laid out";
    // The fake's dialog frame is 6 pixels wide in all: a client 434 wide.
    ASSERT_EQ(box.ClientWidth(), 434);
    const auto& name = Part<Tz3DLabel>(box, "Name");
    EXPECT_EQ(name.BoundsRect().left, 128);
    EXPECT_EQ(name.BoundsRect().top, 24);
    EXPECT_EQ(name.Caption(), "Tapfinch by Brenmoor");
    EXPECT_EQ(name.Font().name, "Arial");
    const auto& version = Part<TLabel>(box, "Version");
    EXPECT_EQ(version.Top(), 112) << "below the picture";
    const auto& description = Part<TLabel>(box, "Description");
    EXPECT_EQ(description.Top(), version.Top() + version.Height() + 4);
    EXPECT_GT(description.Height(), 13) << "wrapped";
    EXPECT_EQ(description.Width(), 434 - 128 - 6);
    const auto& copyright = Part<TLabel>(box, "Copyright");
    EXPECT_EQ(copyright.Top(), description.Top() + description.Height() + 24);
    const auto& link = Part<TLinkLabel>(box, "Link");
    EXPECT_EQ(link.Top(), copyright.Top() + copyright.Height() + 1);
    const auto& edge = Part<TControl>(box, "Edge");
    EXPECT_EQ(edge.Top(), link.Top() + link.Height() + 6);
    const auto& captions = Part<TLabel>(box, "SystemCaptions");
    const auto& values = Part<TLabel>(box, "SystemValues");
    EXPECT_EQ(captions.Top(), edge.Top() + 9);
    EXPECT_EQ(values.Left(), captions.Left() + captions.Width());
    EXPECT_EQ(values.Caption(), "3145728 KB\r2x Intel Pentium or compatible");
    const auto& ok = Part<TButton>(box, "OK");
    EXPECT_EQ(ok.Top(), captions.Top() + std::max(captions.Height(), values.Height()) + 24);
    EXPECT_EQ(ok.Left() + ok.Width(), 434 - 6);
    EXPECT_EQ(box.ClientHeight(), ok.Top() + ok.Height() + 6);
    EXPECT_TRUE(ok.Focused());
    EXPECT_FALSE(app.form().Enabled()) << "modal";
  });
  EXPECT_TRUE(shown);
  EXPECT_TRUE(app.form().Enabled());
  EXPECT_EQ(app.fake().topLevelWindows().size(), 3u) << "destroyed after closing";
}

TEST_F(About, EmptyTextsLeaveNoGapButBlankOnesKeepTheirs) {
  dialog().Version = "";
  dialog().Description = "   ";
  dialog().Copyright = "";
  dialog().Jump = " ";
  show([&](TForm& box) {
    const auto& name = Part<Tz3DLabel>(box, "Name");
    EXPECT_EQ(name.Top(), 24);
    EXPECT_FALSE(Part<TLinkLabel>(box, "Link").Visible());
    // 112 below the picture, 24 for the blank description, 6 for the link.
    EXPECT_EQ(Part<TControl>(box, "Edge").Top(), 112 + 24 + 6);
  });
}

TEST_F(About, ThePictureIsTheApplicationsIconInsideItsFrame) {
  show([&](TForm& box) {
    testing_support::RecordingCanvas canvas;
    Part<TControl>(box, "Picture").PeerPaint(canvas);
    const auto icons = canvas.ofKind("icon");
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].icon, platform::ProgramIcon::kApplication) << "not the forms' icon";
    const auto frames = canvas.ofKind("frame");
    ASSERT_EQ(frames.size(), 1u);
    const platform::Rect& icon = icons[0].rect;
    const platform::Rect& frame = frames[0].rect;
    EXPECT_EQ(icon.left, frame.left + 1);
    EXPECT_EQ(icon.top, frame.top + 1);
    EXPECT_EQ(icon.right(), frame.right() - 1);
    EXPECT_EQ(icon.bottom(), frame.bottom() - 1);
    EXPECT_EQ(canvas.calls.back().op, "frame") << "drawn over the icon's edge";
  });
}

TEST_F(About, TheSystemLinesFollowTheMachine) {
  platform::SystemFacts facts{3ull << 30, 4, 21064, true, 0};
  EXPECT_EQ(TLMDAboutDlg::SystemValues(facts), "3145728 KB\r4x Alpha 21064 or compatible");
  facts.processorType = 3000;
  EXPECT_EQ(TLMDAboutDlg::SystemValues(facts), "3145728 KB\r4x Mips R3000 or compatible");
  facts.processorType = 8664;
  EXPECT_EQ(TLMDAboutDlg::SystemValues(facts), "3145728 KB\r4x 8664 or compatible");
  EXPECT_EQ(TLMDAboutDlg::SystemCaptions(facts), "Available Memory:\rPlatform, CPU:");
  facts.ntFamily = false;
  facts.freeResourcesPercent = 71;
  EXPECT_EQ(TLMDAboutDlg::SystemValues(facts), "3145728 KB\r71% free");
  EXPECT_EQ(TLMDAboutDlg::SystemCaptions(facts), "Available Memory:\rSystem Resources:");
}

TEST_F(About, TheLinkOpensItsTextAndASwitchedOffLinkStaysOff) {
  show([&](TForm& box) {
    auto& link = Part<TLinkLabel>(box, "Link");
    EXPECT_EQ(WindowOf(link).cursor(), platform::CursorShape::kHand);
    app.user().click(link);
    EXPECT_TRUE(link.Visited());
    ASSERT_EQ(app.fake().processes().opened().size(), 1u);
    EXPECT_EQ(app.fake().processes().opened()[0], "https://tapfinch.example");
    EXPECT_TRUE(link.Enabled());
    app.fake().processes().setShellResult(2);  // no handler for it
    app.user().click(link);
    EXPECT_FALSE(link.Enabled());
    EXPECT_EQ(WindowOf(link).cursor(), platform::CursorShape::kArrow) << "no longer reacts to the pointer";
  });
  dialog().Jump = "mail@tapfinch.example";
  app.fake().processes().setShellResult(42);
  show([&](TForm& box) {
    app.user().click(Part<TLinkLabel>(box, "Link"));
    EXPECT_EQ(app.fake().processes().opened().back(), "mailto:mail@tapfinch.example");
  });
}

TEST_F(About, ARunGoesOnClickingWhileTheBoxIsOpen) {
  app.user().selectTab(*app.form().PageControl1, 0);
  app.user().click(*app.form().singclickstartbtn);
  show([&](TForm&) { app.fake().advance(15000); });
  EXPECT_EQ(app.form().countlabel->Caption(), "3");
}
