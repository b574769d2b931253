// The click list: up to 100 entries and the rows of listbox1 that show
// them, always changed together so that row k is the text of entry k.
#include <string>

#include "engine/click_interval.h"
#include "framework/exceptions.h"
#include "framework/sysutils.h"
#include "ui/Unit1.h"

namespace {
constexpr const char* kFullListMessage =
    "Currently, only 100 click points can be specified\r\n"
    "Delete one or more click points by selecting it from the list, and pressing the delete key.";
}  // namespace

std::string TForm1::rowText(const std::string& x, const std::string& y, std::int32_t option, double delay) const {
  return x + ", " + y + ", " + IntToStr(option) + ", " + FloatToStr(delay, Application().DecimalSeparator());
}

void TForm1::addtolistbuttonClick(TObject* /*Sender*/) {
  if (listCount >= kClickListCapacity + 1) {
    ShowInformation(Application(), kFullListMessage);
    return;
  }
  // A text that is not a number stops here, with nothing stored.
  const std::int32_t x = StrToInt(mxpostext->Text());
  const std::int32_t y = StrToInt(mypostext->Text());
  const double delay = entryDelay();
  if (!DelayIsWaitable(delay)) {
    throw Exception("A delay of " + FloatToStr(delay, Application().DecimalSeparator()) +
                    " seconds is longer than the longest wait of " + kLongestWaitText + " seconds; nothing was added");
  }
  clickList[static_cast<std::size_t>(listCount - 1)] = {static_cast<double>(x), static_cast<double>(y),
                                                        static_cast<double>(currentOption), delay};
  listbox1->Items().Add(rowText(mxpostext->Text(), mypostext->Text(), currentOption, delay));
  ++listCount;
  sayWhereClicksCannotGo({{x, y}});
  // Ready for the space bar to lock the next point.
  focusCaptureStart();
}

void TForm1::focusCaptureStart() {
  // Only where the user could put it: a capture hotkey pressed while
  // another tab shows adds its entry without an error.
  if (mstartspecify->CanFocus()) mstartspecify->SetFocus();
}

void TForm1::listbox1Click(TObject* /*Sender*/) {
  // Only the user's clicks and keys raise it; a run's highlight does not.
  pickedRow = -1;
  for (int i = 0; i < listbox1->Items().Count(); ++i) {
    if (listbox1->Selected(i)) pickedRow = i;
  }
}

void TForm1::mclearlistbtnClick(TObject* /*Sender*/) {
  pickedRow = -1;
  listbox1->Clear();
  listCount = 1;
  listPos = 1;
  restartListWaits();
}

void TForm1::listbox1KeyDown(TObject* /*Sender*/, std::uint16_t& Key, TShiftState /*Shift*/) {
  constexpr std::uint16_t kVkDelete = 46;
  if (Key != kVkDelete) return;
  // The row the user picked, not the one a run highlights meanwhile.
  const int row = pickedRow;
  if (row < 0 || row >= listbox1->Items().Count()) return;
  pickedRow = -1;
  listbox1->Items().Delete(row);
  // Later entries move up one place; the run position stays as it is.
  for (std::int32_t k = row + 1; k < listCount - 1; ++k) {
    clickList[static_cast<std::size_t>(k - 1)] = clickList[static_cast<std::size_t>(k)];
  }
  --listCount;
}
