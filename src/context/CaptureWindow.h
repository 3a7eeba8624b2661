// What the capture window offers the components it owns: its controls, the
// one way to set a control and run its change handler, and the cameras that
// are open. The capture window implements it; a component never sees more
// of the window than this.
#pragma once

#include "platform/Ui.h"

class CaptureWindow {
 public:
  // The capture window's own controls. Valid from the window's creation
  // until it is destroyed.
  virtual platform::Window& Controls() const = 0;

  // Selects item `index` of a list and runs the list's change handler, as a
  // user's choice would. False, and nothing selected or run, when the list
  // has no such item.
  virtual bool SelectAndRun(int controlId, int index) = 0;
  // The same for a stored value that the list may not offer: an index the
  // list lacks leaves it without selection, and the handler runs anyway.
  virtual void SetSelectionAndRun(int controlId, int index) = 0;
  // Sets a check box or radio button and runs its handler.
  virtual void CheckAndRun(int controlId, bool checked) = 0;
  // Runs a control's handler for the state the control shows now.
  virtual void RunHandler(int controlId) = 0;

  // The open cameras, as indices in the library's device order; -1 for none.
  virtual int MainDeviceIndex() const = 0;
  virtual int SecondaryDeviceIndex() const = 0;

  // Before a shot of the main camera: a watermark that is on with its time
  // stamp is sent again, so that the picture carries its own capture time.
  virtual void RefreshWatermarkTimeStamp() = 0;

 protected:
  ~CaptureWindow() = default;
};
