// The window contract: what the native tests take for granted of the
// headless window is what a real Win32 window does. WindowContractTest.cpp
// states each expectation once against platform::Window; it is built twice,
// with HeadlessContract.cpp natively and with Win32Contract.cpp for Windows,
// where the windows come from the .rc built of the same dialog tables.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ListView.h"
#include "platform/Ui.h"

namespace contract {

// A platform's windows and what a user does with them there: the headless
// platform's own user actions, or the messages a real control sends and
// receives when a user acts on it.
class ContractPlatform {
 public:
  virtual ~ContractPlatform() = default;
  virtual platform::Ui& Ui() = 0;

  // A mouse click on a button, a check box or a radio button.
  virtual void Click(platform::Window& window, int id) = 0;
  // The user picks item `index` of a drop-down list.
  virtual void Select(platform::Window& window, int id, int index) = 0;
  // End (or Home) pressed on a slider.
  virtual void SlideToEnd(platform::Window& window, int id, bool end) = 0;
  // A key pressed and released with the focus on control `focusId`.
  virtual void PressKey(platform::Window& window, int focusId, int key) = 0;
  // The window moved to a monitor of `dpi`.
  virtual void MoveToDpi(platform::Window& window, int dpi) = 0;
  // A key pressed in a list view, with or without Ctrl held.
  virtual void ListKey(platform::Window& window, int id, int key, bool control) = 0;
  // An item of a list view dragged with the mouse and dropped before `place`.
  virtual void ListDrag(platform::Window& window, int id, int item, int place) = 0;

  // The controls Tab can stop at, in order, hidden and disabled ones too.
  virtual std::vector<int> TabStops(platform::Window& window) = 0;
  // What assistive technology reads for a control (kWholeWindow: the window).
  virtual std::u16string AccessibleName(platform::Window& window, int id) = 0;
  // The tip shown over a control; empty without one.
  virtual std::u16string ToolTip(platform::Window& window, int id) = 0;
  // Whether the pointer over the window is the wait cursor.
  virtual bool ShowsWaitCursor(platform::Window& window) = 0;
};

std::unique_ptr<ContractPlatform> MakeContractPlatform();

}  // namespace contract
