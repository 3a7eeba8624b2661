#include "dslink/CScanTwainControl.h"

#include "dslink/DSWindowTitle.h"
#include "dslink/HandOffOrder.h"

CScanTwainControl* g_ScanTwainControl = nullptr;

namespace {

constexpr uint32_t kDisconnectPauseMs = 500;

}  // namespace

CScanTwainControl::CScanTwainControl(platform::Platform& platform)
    : platform_(platform), sender_(platform.link), receiverTitle_(kReceivingWindowTitle) {
  g_ScanTwainControl = this;
}

CScanTwainControl::~CScanTwainControl() {
  if (receiver_) receiver_->DestroyWindow();
  if (g_ScanTwainControl == this) g_ScanTwainControl = nullptr;
}

int CScanTwainControl::OnDSMessage(const DSMessageRecord& /*record*/) { return 1; }

int CScanTwainControl::Connect(ITwainShowWindow* window) {
  m_TwainWindow = window;
  if (window == nullptr) {
    platform_.ui.ShowMessageBox(nullptr, u"m_TwainWindow = null");
    return 0;
  }
  sender_.m_DSWindowTitle = DSWindowTitleFromCommandLine(platform_.os.CommandLine());

  auto receiver = std::make_unique<CReceiveDSMsg>();
  if (!receiver->Create(platform_.ui, receiverTitle_)) return 0;
  receiver->SetCallback(&DispatchDSMessage);
  receiver_ = std::move(receiver);

  platform_.link.AllowCopyDataFromAnyProcess();
  connected_ = true;
  return 1;
}

int CScanTwainControl::TransferFile(std::u16string path) {
  if (m_TwainWindow == nullptr) return -1;
  if (!FitsDSMessageRecord(path)) return -1;
  if (m_OneByOne) {
    SendRecord(What::FileAnnouncement);
    SendRecord(What::File, path);
  } else {
    QueueFile(path);
  }
  return 0;
}

int CScanTwainControl::Disconnect() {
  // A data source that never heard from this side is told nothing.
  if (!connected_) return 1;
  SendRecord(What::End);
  SendRecord(What::Finishing);
  platform_.os.Sleep(kDisconnectPauseMs);
  if (receiver_) {
    receiver_->DestroyWindow();
    receiver_.reset();
  }
  return 1;
}

void CScanTwainControl::SendRecord(What what, const std::u16string& text) {
  DSMessageRecord record;
  switch (what) {
    case What::Begin: record = MakeDSMessageRecord(kDSCodeBracket, u"BEGIN"); break;
    case What::FileAnnouncement: record = MakeDSMessageRecord(kDSCodeFileAnnouncement, u""); break;
    case What::File: record = MakeDSMessageRecord(kDSCodeFile, text); break;
    case What::Finishing: record = MakeDSMessageRecord(kDSCodeFinishing, u""); break;
    case What::End: record = MakeDSMessageRecord(kDSCodeBracket, u"END"); break;
    case What::Connected: record = MakeDSMessageRecord(kDSCodeConnected, u"CONNECTED"); break;
  }
  (void)sender_.SendToDS(sender_.m_DSWindowTitle, record);
}

void CScanTwainControl::QueueFile(const std::u16string& path) { pendingFiles_.push_back(path); }

void CScanTwainControl::SendPendingFiles() {
  SendRecord(What::Begin);
  if (pendingFiles_.empty()) return;
  const std::vector<std::u16string> files =
      fileOrder_ ? ArrangeQueuedFiles(pendingFiles_, fileOrder_()) : pendingFiles_;
  for (const std::u16string& path : files) {
    if (!platform_.os.FileExists(path)) continue;
    SendRecord(What::FileAnnouncement);
    SendRecord(What::File, path);
  }
  SendRecord(What::End);
}

bool CScanTwainControl::FinishSession() {
  // The one-by-one flag is the only place that decides the mode: it is set
  // at start-up for the setting 1 alone, so every other value means batch,
  // here as there.
  if (m_OneByOne) {
    (void)Disconnect();
    return true;
  }
  if (handedOver_) return false;
  handedOver_ = true;
  SendPendingFiles();
  return false;
}

void CScanTwainControl::Dispatch(uint32_t kind, const void* data, uint32_t size) {
  switch (kind) {
    case kDSKindTextMessage:
      if (auto message = ReadTextMessage(data, size)) OnTextMessage(*message);
      break;
    case kDSKindScanSettings:
      // The block is valid only during the message: work on a copy.
      if (auto settings = ReadScanSettings(data, size)) {
        if (m_TwainWindow != nullptr) m_TwainWindow->ApplyDSSettings(*settings);
      }
      break;
    default:  // 1004 and unknown kinds
      break;
  }
}

void CScanTwainControl::OnTextMessage(const IncomingTextMessage& message) {
  switch (message.code) {
    case kDSCodeConnect:
      SendRecord(What::Connected);
      break;
    case kDSCodeUiMode:
      if (message.text == u"NOUI") m_UiMode = kUiModeNoUi;
      if (message.text == u"SHOWUI") m_UiMode = kUiModeShowUi;
      break;
    case kDSCodeFinishRequest:
      if (m_OneByOne) break;
      if (m_TwainWindow != nullptr) m_TwainWindow->CloseTwainWindow();
      SendRecord(What::Finishing);
      break;
    case kDSCodeFinishing:
      if (m_TwainWindow != nullptr) m_TwainWindow->CloseTwainWindow();
      break;
    default:
      break;
  }
}

void DispatchDSMessage(uint32_t kind, const void* data, uint32_t size) {
  if (g_ScanTwainControl != nullptr) g_ScanTwainControl->Dispatch(kind, data, size);
}
