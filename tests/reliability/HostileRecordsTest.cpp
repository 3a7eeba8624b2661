// Another process sends thousands of WM_COPYDATA records of random kinds,
// sizes and contents to the receiving window and to the capture window:
// only the documented records have an effect, and the session then
// finishes normally.
#include <random>

#include "Figures.h"
#include "HostileRecords.h"
#include "ScriptedSession.h"
#include "platform/headless/TextConversions.h"
#include "resource.h"

namespace reliability {
namespace {

// Every control of the capture window as a user sees it.
std::vector<std::string> ControlStates(headless::HeadlessWindow& w) {
  std::vector<std::string> states;
  for (const headless::HeadlessControl& c : w.Controls()) {
    std::string state = std::to_string(c.id) + (c.visible ? " shown" : " hidden") +
                        (c.enabled ? " enabled" : " disabled") + (c.checked ? " checked" : "") +
                        " " + std::to_string(c.selection) + " " + headless::Utf16ToUtf8(c.text);
    for (const std::u16string& item : c.items) state += "|" + headless::Utf16ToUtf8(item);
    states.push_back(state);
  }
  return states;
}

TEST(HostileRecords, OnlyTheDocumentedRecordsHaveAnEffectAndTheSessionFinishes) {
  const long records = RunLength("HOSTILE_RECORDS", 10000);
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", SessionLibrary());
  h.dataSource.batchAnswer = 212;
  std::mt19937 random(20260417);
  std::vector<std::string> before;
  long probes = 0, scanSettings = 0;
  h.Then([&] {
    h.dataSource.SendCode(kDSCodeUiMode, u"SHOWUI");
    ASSERT_TRUE(h.host.desktop.HasWindowTitled(u"Prismel"));
    before = ControlStates(h.Window());
    const int32_t uiMode = h.dialog->Link().UiMode();
    for (long i = 0; i < records; ++i) {
      const HostileRecord record = NextHostileRecord(random);
      // Records to the capture window have no effect at all.
      const std::u16string title = i % 2 ? u"Prismel" : u"TWAINDSUIWINDOWS";
      if (title != u"Prismel") {
        probes += record.kind == kDSKindTextMessage && record.hasCode &&
                  record.code == kDSCodeConnect;
        scanSettings += record.kind == kDSKindScanSettings && record.data.size() >= 60;
      }
      h.host.desktop.Send(title, record.kind, record.data.empty() ? nullptr : record.data.data(),
                          static_cast<uint32_t>(record.data.size()));
      // 204 changes the mode only for the exact keywords, which random
      // text does not spell.
      ASSERT_EQ(h.dialog->Link().UiMode(), uiMode) << "record " << i;
    }
    ASSERT_TRUE(h.Window().IsVisible());
    EXPECT_FALSE(h.Window().IsModalEnded());
  });
  h.Then([&] {
    // The scan settings records change the four option lists they name
    // (and what those lists refill); nothing else changed.
    const std::vector<std::string> after = ControlStates(h.Window());
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
      const int id = std::stoi(after[i]);
      if (id == IDC_CROP_MODE || id == IDC_UNIT || id == IDC_COLOR_MODE || id == IDC_ROTATE ||
          id == IDC_FRAME_SIZE) {
        continue;
      }
      EXPECT_EQ(after[i], before[i]);
    }
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
    for (const auto& record : h.dataSource.Received()) EXPECT_EQ(record.code, kDSCodeConnected);
    EXPECT_EQ(static_cast<long>(h.dataSource.Received().size()), probes);
    h.dataSource.ClearReceived();
    // The session goes on as usual.
    h.Window().UserSelect(IDC_CROP_MODE, 0);
    h.Window().UserSelect(IDC_COLOR_MODE, 0);
    ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
  });
  h.Then([&] { ASSERT_TRUE(h.Window().UserClick(IDC_EXIT)); });
  h.Run();
  ASSERT_EQ(h.dataSource.Transcript().size(), 6u);
  EXPECT_EQ(h.dataSource.Transcript()[0], "207 BEGIN");
  EXPECT_EQ(h.dataSource.Received()[2].code, kDSCodeFile);
  EXPECT_TRUE(h.dataSource.Received()[2].fileExisted);
  settings::SessionSettings saved;
  EXPECT_TRUE(settings::LoadSessionSettingsFile(h.host.os, h.ProgramFile("LastSetting.xml").string(),
                                                saved));
  RecordFigure("Hostile records, native", std::to_string(records) + " records",
               std::to_string(probes) + " probes answered, " + std::to_string(scanSettings) +
                   " scan settings applied, nothing else changed, session finished");
}

}  // namespace
}  // namespace reliability
