#include "dslink/CTWAINDSMsgCtrl.h"

bool CTWAINDSMsgCtrl::SendToDS(const std::u16string& title, const DSMessageRecord& record) {
  if (title.empty()) return false;
  const platform::SendResult sent =
      link_.SendCopyData(title, kDSKindTextMessage, &record, sizeof record);
  return sent.delivered && sent.result >= 0;
}
