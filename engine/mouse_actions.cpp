// Every click the program makes goes through these: one mouse_event flag
// per call, back to back, acting wherever the cursor is at that moment.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/input.h"
#include "platform/process.h"
#include "ui/Unit1.h"

using platform::kMouseLeftDown;
using platform::kMouseLeftUp;
using platform::kMouseRightDown;
using platform::kMouseRightUp;

void TForm1::singleclick() {
  auto& input = Platform().input();
  input.MouseEvent(kMouseLeftDown);
  input.MouseEvent(kMouseLeftUp);
  leftButtonHeld = false;
}

void TForm1::clickhold() {
  Platform().input().MouseEvent(kMouseLeftDown);
  leftButtonHeld = true;
}

void TForm1::releaseclick() {
  Platform().input().MouseEvent(kMouseLeftUp);
  leftButtonHeld = false;
}

void TForm1::releaseHeldButton() {
  if (leftButtonHeld) releaseclick();
}

void TForm1::rightclick() {
  auto& input = Platform().input();
  input.MouseEvent(kMouseRightDown);
  input.MouseEvent(kMouseRightUp);
}

void TForm1::doubleclick() {
  singleclick();
  singleclick();
}

// The single-point run's click: Double click is read afresh every time.
void TForm1::mclick() {
  singleclick();
  if (doubleclickbox->Checked()) singleclick();
}

void TForm1::clickOption(int option) {
  switch (option) {
    case 1:
      singleclick();
      break;
    case 2:
      clickhold();
      break;
    case 3:
      releaseclick();
      break;
    case 4:
      rightclick();
      break;
    case 5:
      doubleclick();
      break;
    default:
      break;  // not a click option: no event at all
  }
}

void TForm1::sayWhereClicksCannotGo(const std::vector<platform::Point>& points) {
  std::vector<std::string> titles;
  for (const platform::Point& at : points) {
    const auto title = Platform().process().HigherRightsWindowAt(at);
    if (title && std::find(titles.begin(), titles.end(), *title) == titles.end()) titles.push_back(*title);
  }
  if (titles.empty()) return;
  std::string named;
  for (const std::string& title : titles) {
    if (!named.empty()) named += ", ";
    named += "\"" + (title.empty() ? std::string("(no title)") : title) + "\"";
  }
  const bool one = titles.size() == 1;
  ShowInformation(Application(), std::string("Windows does not let Tapfinch click ") + named +
                                     (one ? ", a window" : ", windows") +
                                     " of a program running as administrator: clicks there do nothing.\r\n"
                                     "To click there, start Tapfinch as administrator.");
}
