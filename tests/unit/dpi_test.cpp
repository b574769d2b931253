// Scaling for the monitor's pixels per inch: the layout is drawn for 96 and
// is scaled when the window first shows on a monitor of another scale, and
// again when the user moves it onto one.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "controls/lmdlistbox.h"
#include "framework/stdctrls.h"
#include "tests/support/harness.h"

using platform::Rect;
using testing_support::Tapfinch;
using testing_support::WindowOf;

namespace {

// Every control of a window by name (and the unnamed ones by their place in
// the tree), with its bounds and font height.
using Layout = std::map<std::string, std::pair<Rect, int>>;

void Collect(const TControl& control, const std::string& path, Layout& layout) {
  const std::string key = path + "/" + (control.Name().empty() ? control.ClassName() : control.Name());
  layout[key] = {control.BoundsRect(), control.Font().height};
  if (const auto* container = dynamic_cast<const TWinControl*>(&control)) {
    int index = 0;
    for (const TControl* child : container->Controls()) Collect(*child, key + "#" + std::to_string(index++), layout);
  }
}

Layout LayoutOf(const TControl& form) {
  Layout layout;
  Collect(form, "", layout);
  return layout;
}

}  // namespace

TEST(Dpi, AtOneHundredFiftyPercentTheWindowOpensScaledWithItsFontsAndRows) {
  platform::fake::FakePlatform fake;
  fake.desktop().setDpi(144);
  Tapfinch app(fake);
  TForm1& form = app.form();
  EXPECT_EQ(form.PixelsPerInch(), 144);
  EXPECT_EQ(form.Width(), 900);
  EXPECT_EQ(form.Height(), 398) << "265 set at creation, scaled with the rest";
  EXPECT_EQ(form.testbutton->BoundsRect(), (Rect{12, 168, 122, 38}));
  EXPECT_EQ(form.testbutton->Font().height, 17);
  // Its page's windows are made when it first shows, at the scaled size.
  app.user().selectTab(*form.PageControl1, 0);
  EXPECT_EQ(WindowOf(*form.testbutton).bounds(), (Rect{12, 168, 122, 38})) << "the native window follows";

  // Labels fit their text again in the larger font.
  const TLabel& hours = *form.Label1;
  EXPECT_EQ(hours.Left(), 53);
  EXPECT_EQ(hours.Width(), fake.desktop().MeasureText("Hours", hours.Font()).width);
  EXPECT_GT(hours.Width(), 28);

  // The click list: taller rows and header, wider columns.
  TLMDListBox& list = *form.listbox1;
  EXPECT_EQ(list.List().ItemHeight(), 24);
  EXPECT_EQ(dynamic_cast<platform::fake::FakeListBox&>(WindowOf(list.List())).itemHeight(), 24);
  EXPECT_EQ(list.HeaderHeight(), 26);
  EXPECT_EQ(list.Header().Height(), 26);
  std::vector<int> widths;
  for (const auto& section : list.HeaderSections()) widths.push_back(section.width);
  EXPECT_EQ(widths, (std::vector<int>{60, 60, 45, 81}));
  EXPECT_EQ(list.List().Font().height, 17);
}

TEST(Dpi, MovingToAnotherMonitorScalesAndComingBackRestoresTheLayoutExactly) {
  Tapfinch app;
  TForm1& form = app.form();
  const Layout before = LayoutOf(form);
  const Rect outer = form.BoundsRect();
  auto& window = dynamic_cast<platform::fake::FakeTopLevel&>(WindowOf(form));

  const Rect onLarge{1400, 100, 1200, 530};
  window.moveToMonitor(192, onLarge);
  EXPECT_EQ(form.PixelsPerInch(), 192);
  EXPECT_EQ(form.BoundsRect(), onLarge) << "the system's suggestion wins";
  EXPECT_EQ(form.testbutton->BoundsRect(), (Rect{16, 224, 162, 50}));
  EXPECT_EQ(form.listbox1->List().ItemHeight(), 32);
  EXPECT_EQ(form.Panel2->Width(), form.ClientWidth()) << "aligned panels fill the new client area";

  window.moveToMonitor(96, outer);
  EXPECT_EQ(form.PixelsPerInch(), 96);
  const Layout after = LayoutOf(form);
  ASSERT_EQ(after.size(), before.size());
  for (const auto& [name, placed] : before) {
    EXPECT_EQ(after.at(name).first, placed.first) << name;
    EXPECT_EQ(after.at(name).second, placed.second) << name;
  }
}

TEST(Dpi, TheAboutBoxIsPlacedAtTheMonitorsScaleAndStaysCentred) {
  Tapfinch app;
  app.fake().desktop().setDpi(192);
  bool shown = false;
  app.fake().desktop().whenModal([&](platform::fake::FakeTopLevel& window) {
    auto& box = dynamic_cast<TForm&>(dynamic_cast<TControl&>(window.events()));
    shown = true;
    EXPECT_EQ(box.PixelsPerInch(), 192);
    EXPECT_EQ(box.Width(), 880);
    EXPECT_EQ(box.Left(), (1280 - 880) / 2);
    EXPECT_EQ(box.Top(), std::max(0, (1024 - box.Height()) / 2));
    const auto& ok = *dynamic_cast<TButton*>(box.FindComponent("OK"));
    EXPECT_EQ(ok.Width(), 150);
    EXPECT_EQ(ok.Height(), 50);
    EXPECT_EQ(ok.Font().height, 22);
    app.fake().desktop().pressKey(platform::kVkEscape);
  });
  app.form().about2->Click();
  EXPECT_TRUE(shown);
  EXPECT_EQ(app.form().PixelsPerInch(), 96) << "the main window stays on its monitor";
}
