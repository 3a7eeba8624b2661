#include "dslink/CReceiveDSMsg.h"

#include "resource.h"

bool CReceiveDSMsg::Create(platform::Ui& ui, const std::u16string& title) {
  window_ = ui.CreateModeless(IDD_RECEIVE_DS_MESSAGES, *this, nullptr);
  if (!window_) return false;
  window_->SetCaption(title);
  window_->Show(false);
  return true;
}

void CReceiveDSMsg::DestroyWindow() {
  if (window_) window_->Destroy();
  window_.reset();
}

void CReceiveDSMsg::OnCopyData(uint32_t kind, const void* data, uint32_t size) {
  if (callback_ != nullptr) callback_(kind, data, size);
}
