#include "support/DataSourceTwin.h"

#include <cstring>
#include <filesystem>

#include "platform/headless/HeadlessOs.h"
#include "platform/headless/TextConversions.h"

namespace testing_support {

constexpr char16_t kReceiverTitle[] = u"TWAINDSUIWINDOWS";

DataSourceTwin::DataSourceTwin(headless::HeadlessDesktop& desktop, std::u16string title)
    : desktop_(desktop), title_(std::move(title)) {
  token_ = desktop_.Add([this] { return title_; },
                        [this](uint32_t kind, const void* data, uint32_t size) {
                          return OnRecord(kind, data, size);
                        });
}

DataSourceTwin::~DataSourceTwin() { desktop_.Remove(token_); }

bool DataSourceTwin::SendCode(int32_t code, const std::u16string& text) {
  const DSMessageRecord record = MakeDSMessageRecord(code, text);
  return SendRaw(kDSKindTextMessage, &record, sizeof record);
}

bool DataSourceTwin::SendScanSettings(const DSScanSettings& settings) {
  return SendRaw(kDSKindScanSettings, &settings, sizeof settings);
}

bool DataSourceTwin::SendRaw(uint32_t kind, const void* data, uint32_t size) {
  return desktop_.Send(kReceiverTitle, kind, data, size).delivered;
}

intptr_t DataSourceTwin::OnRecord(uint32_t kind, const void* data, uint32_t size) {
  ReceivedRecord record;
  record.kind = kind;
  record.size = size;
  if (auto message = ReadTextMessage(data, size)) {
    record.code = message->code;
    record.text = message->text;
    if (record.code == kDSCodeFile) {
      record.fileExisted = std::filesystem::is_regular_file(
          headless::NativePath(headless::Utf16ToUtf8(record.text)));
    }
  }
  received_.push_back(record);

  if (kind == kDSKindTextMessage && record.code == kDSCodeBracket) {
    if (record.text == u"BEGIN") inBatch_ = true;
    if (record.text == u"END" && inBatch_) {
      inBatch_ = false;
      if (batchAnswer) SendCode(*batchAnswer);
    }
  }
  return 1;
}

std::vector<std::string> DataSourceTwin::Transcript() const {
  std::vector<std::string> lines;
  for (const ReceivedRecord& r : received_) {
    std::string line = std::to_string(r.code);
    if (!r.text.empty()) line += " " + headless::Utf16ToUtf8(r.text);
    lines.push_back(line);
  }
  return lines;
}

}  // namespace testing_support
