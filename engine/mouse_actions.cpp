#include "engine/mouse_actions.h"

#include <algorithm>

using platform::MouseAction;

void MouseActions::Press(Button button) {
  input_.Mouse(button == Button::kLeft ? MouseAction::kLeftDown : MouseAction::kRightDown);
}

void MouseActions::Lift(Button button) {
  input_.Mouse(button == Button::kLeft ? MouseAction::kLeftUp : MouseAction::kRightUp);
  // Whoever lifts a held button, it is no longer ours to let go.
  Held(button) = false;
}

void MouseActions::Click(Button button) {
  Press(button);
  Lift(button);
}

void MouseActions::singleclick() { Click(Primary()); }

void MouseActions::clickhold() {
  const Button primary = Primary();
  Press(primary);
  Held(primary) = true;
  lastHeld_ = primary;
}

void MouseActions::releaseclick() {
  if (Held(lastHeld_)) {
    Lift(lastHeld_);
  } else if (heldLeft_ || heldRight_) {
    Lift(heldLeft_ ? Button::kLeft : Button::kRight);
  } else {
    Lift(Primary());
  }
}

void MouseActions::releaseHeldButton() {
  if (heldLeft_) Lift(Button::kLeft);
  if (heldRight_) Lift(Button::kRight);
}

void MouseActions::rightclick() { Click(Secondary()); }

void MouseActions::doubleclick() {
  singleclick();
  singleclick();
}

void MouseActions::clickOption(int option) {
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

std::optional<std::string> WhereClicksCannotGo(platform::Process& process, const std::vector<platform::Point>& points) {
  std::vector<std::string> titles;
  for (const platform::Point& at : points) {
    const auto title = process.HigherRightsWindowAt(at);
    if (title && std::find(titles.begin(), titles.end(), *title) == titles.end()) titles.push_back(*title);
  }
  if (titles.empty()) return std::nullopt;
  std::string named;
  for (const std::string& title : titles) {
    if (!named.empty()) named += ", ";
    named += "\"" + (title.empty() ? std::string("(no title)") : title) + "\"";
  }
  const bool one = titles.size() == 1;
  return std::string("Windows does not let Tapfinch click ") + named + (one ? ", a window" : ", windows") +
         " of a program running as administrator: clicks there do nothing.\r\n"
         "To click there, start Tapfinch as administrator.";
}
