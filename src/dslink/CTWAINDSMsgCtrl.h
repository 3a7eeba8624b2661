// The sender: delivers records to the data source's window, found by title.
#pragma once

#include <string>

#include "dslink/DSMessageRecord.h"
#include "platform/Link.h"

class CTWAINDSMsgCtrl {
 public:
  explicit CTWAINDSMsgCtrl(platform::Link& link) : link_(link) {}
  virtual ~CTWAINDSMsgCtrl() = default;

  // Sends one text message record to the top-level window titled `title`,
  // looked up again for each record. False when no title is known yet, no
  // such window exists, or its answer is negative; the record is then lost.
  bool SendToDS(const std::u16string& title, const DSMessageRecord& record);

  // The data source's window title.
  std::u16string m_DSWindowTitle;

 private:
  platform::Link& link_;
};
