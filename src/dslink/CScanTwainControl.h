// The link controller: owns the conversation with the data source.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dslink/CReceiveDSMsg.h"
#include "dslink/CTWAINDSMsgCtrl.h"
#include "dslink/DSMessageRecord.h"
#include "dslink/ITwainShowWindow.h"
#include "platform/Platform.h"

// Receives an incoming text message record.
class _MK_TWAINDS_CALLBACK {
 public:
  virtual int OnDSMessage(const DSMessageRecord& record) = 0;

 protected:
  ~_MK_TWAINDS_CALLBACK() = default;
};

// UI mode the data source announced.
constexpr int32_t kUiModeUnknown = -1;
constexpr int32_t kUiModeShowUi = 0;  // "SHOWUI"
constexpr int32_t kUiModeNoUi = 1;    // "NOUI"

// State every link controller shares.
class CTwainControl : public _MK_TWAINDS_CALLBACK {
 public:
  virtual ~CTwainControl() = default;
  int32_t UiMode() const { return m_UiMode; }
  bool IsOneByOne() const { return m_OneByOne; }

 protected:
  int32_t m_UiMode = kUiModeUnknown;
  bool m_OneByOne = false;
};

class CScanTwainControl : public CTwainControl {
 public:
  // What SendRecord sends.
  enum class What { Begin, FileAnnouncement, File, Finishing, End, Connected };

  explicit CScanTwainControl(platform::Platform& platform);
  ~CScanTwainControl() override;
  CScanTwainControl(const CScanTwainControl&) = delete;
  CScanTwainControl& operator=(const CScanTwainControl&) = delete;

  // Accepts and ignores a record; the receiving window acts on records.
  int OnDSMessage(const DSMessageRecord& record) override;
  // 1 when connected, 0 without a capture window.
  virtual int Connect(ITwainShowWindow* window);
  virtual int NoOperation1() { return 1; }
  // 0 when sent or queued; -1 when not connected, or when the path cannot
  // travel whole in a file record.
  virtual int TransferFile(std::u16string path);
  virtual int NoOperation2() { return 1; }
  virtual int NoOperation3() { return 1; }
  // Ends the session: "END", 212, a 500 ms pause, the receiving window
  // destroyed (once). Every call after a successful Connect sends the two
  // records again; a link that never connected sends nothing. Always 1.
  virtual int Disconnect();
  virtual void SetOneByOne(bool oneByOne) { m_OneByOne = oneByOne; }

  void SendRecord(What what, const std::u16string& text = std::u16string());
  void QueueFile(const std::u16string& path);
  // Where the batch takes its order from: the files in the order the user
  // arranged them (the thumbnail list). Queued files it does not name keep
  // their places; without it the batch keeps the order of the queue.
  using FileOrder = std::function<std::vector<std::u16string>()>;
  void SetFileOrder(FileOrder order) { fileOrder_ = std::move(order); }
  // The batch hand-off: "BEGIN", then 209 and 208 for each queued file that
  // still exists, in the file order, then "END" (no "END" for an empty list).
  void SendPendingFiles();
  // The user finished (the Exit action, once the windows are hidden). Batch:
  // hands the queued files over, once per session however often the user
  // finishes. One-by-one: ends the link and returns true, because then the
  // capture window closes itself; false otherwise.
  bool FinishSession();

  // Acts on one incoming WM_COPYDATA block.
  void Dispatch(uint32_t kind, const void* data, uint32_t size);

  const std::vector<std::u16string>& PendingFiles() const { return pendingFiles_; }
  bool IsReceiving() const { return receiver_ != nullptr; }

 private:
  void OnTextMessage(const IncomingTextMessage& message);

  platform::Platform& platform_;
  std::vector<std::u16string> pendingFiles_;
  FileOrder fileOrder_;
  CTWAINDSMsgCtrl sender_;

 public:
  ITwainShowWindow* m_TwainWindow = nullptr;

 private:
  std::unique_ptr<CReceiveDSMsg> receiver_;
  std::u16string receiverTitle_;
  bool connected_ = false;
  bool handedOver_ = false;
};

// The one controller of this process, reached by the receiving window's
// plain callback.
extern CScanTwainControl* g_ScanTwainControl;

// The receiving window's callback: dispatches to g_ScanTwainControl.
void DispatchDSMessage(uint32_t kind, const void* data, uint32_t size);
