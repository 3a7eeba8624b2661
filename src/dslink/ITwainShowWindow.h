// How the data-source link drives the capture window. The operations keep
// their fixed order; the link itself calls only CloseTwainWindow and
// ApplyDSSettings.
#pragma once

#include "dslink/DSMessageRecord.h"

class ITwainShowWindow {
 public:
  virtual int NoOperation() = 0;
  virtual int ShowTwainWindow(int unused) = 0;
  virtual int CaptureOne() = 0;
  virtual int EnableMergeOption(int flag) = 0;
  virtual int CloseTwainWindow() = 0;
  virtual int ShowByMode() = 0;
  virtual void ApplyDSSettings(const DSScanSettings& /*settings*/) {}

 protected:
  ~ITwainShowWindow() = default;
};
