// The reference data source's in-process twin: a window on the headless
// desktop under the data source's title that logs every record it receives,
// sends records to the capture process, and answers a finished batch.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dslink/DSMessageRecord.h"
#include "platform/headless/HeadlessDesktop.h"

namespace testing_support {

struct ReceivedRecord {
  uint32_t kind = 0;
  uint32_t size = 0;
  int32_t code = 0;
  std::u16string text;
  // For a file record (208): whether the file named existed when it arrived.
  bool fileExisted = false;
};

class DataSourceTwin {
 public:
  explicit DataSourceTwin(headless::HeadlessDesktop& desktop,
                          std::u16string title = u"TWAINDSWINDOWS");
  ~DataSourceTwin();
  DataSourceTwin(const DataSourceTwin&) = delete;
  DataSourceTwin& operator=(const DataSourceTwin&) = delete;

  // Sends to the capture process's receiving window. False when there is none.
  bool SendCode(int32_t code, const std::u16string& text = u"");
  bool SendScanSettings(const DSScanSettings& settings);
  bool SendRaw(uint32_t kind, const void* data, uint32_t size);

  // Answer to a finished batch ("BEGIN" ... "END"): 212, 211 or nothing.
  std::optional<int32_t> batchAnswer;

  const std::vector<ReceivedRecord>& Received() const { return received_; }
  // The received text records as "code text" lines, e.g. "207 END".
  std::vector<std::string> Transcript() const;
  void ClearReceived() { received_.clear(); }

 private:
  intptr_t OnRecord(uint32_t kind, const void* data, uint32_t size);

  headless::HeadlessDesktop& desktop_;
  std::u16string title_;
  int token_ = 0;
  std::vector<ReceivedRecord> received_;
  bool inBatch_ = false;
};

}  // namespace testing_support
