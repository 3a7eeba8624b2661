// The table that a save walks to collect the controls: each control lands in
// the element of the settings file that the capture window restores it from.
// What a list without a selection or on its first video format keeps is the
// capture window's (StartupTest, FrameSizeListTest): a save there must not
// change the stored value.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "platform/headless/HeadlessPlatform.h"
#include "resource.h"
#include "settings/SettingsControls.h"
#include "settings/SettingsFile.h"

namespace {

// The lines of the saved file that differ from the defaults' file.
std::set<std::string> ChangedLines(const settings::SessionSettings& record) {
  headless::HeadlessOs os;
  auto lines = [](const std::string& text) {
    std::multiset<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.insert(line);
    return result;
  };
  const auto before = lines(settings::FormatSessionSettings(settings::SessionSettings{}, os));
  std::set<std::string> changed;
  for (const std::string& line : lines(settings::FormatSessionSettings(record, os))) {
    if (before.count(line) == 0) changed.insert(line);
  }
  return changed;
}

}  // namespace

// The table entry of one control.
const settings::SettingsControlField& FieldOf(int controlId) {
  for (int i = 0; i < settings::kSettingsControlFieldCount; ++i) {
    if (settings::kSettingsControlFields[i].controlId == controlId)
      return settings::kSettingsControlFields[i];
  }
  ADD_FAILURE() << "no entry for " << controlId;
  return settings::kSettingsControlFields[0];
}

TEST(SettingsControls, EachControlOfTheWindowIsCollectedIntoItsOwnElement) {
  const std::map<int, std::string> expected = {
      {1004, "    <colorType>3</colorType>\r"},      {1005, "    <cutType>3</cutType>\r"},
      {1006, "    <fileType>3</fileType>\r"},        {1026, "    <rotateType>3</rotateType>\r"},
      {1095, "    <autoCaptureType>3</autoCaptureType>\r"}, {1098, "    <SizeUnit>3</SizeUnit>\r"},
      {1020, "    <MediaType>3</MediaType>\r"},      {1007, "        <isEnable>1</isEnable>\r"},
      {1014, "        <isEnable>1</isEnable>\r"},    {1073, "        <isMerge>1</isMerge>\r"},
      {1010, "        <isEnable>1</isEnable>\r"},
  };
  EXPECT_EQ(settings::kSettingsControlFieldCount, static_cast<int>(expected.size()));
  headless::HeadlessPlatform host;
  struct : platform::DialogHandler {
    bool OnInitDialog() override { return true; }
  } handler;
  for (const auto& [id, line] : expected) {
    // A fresh window: lists without a selection, check boxes clear.
    const auto window = host.ui.CreateModeless(IDD_CAPTURE_WINDOW, handler, nullptr);
    ASSERT_NE(window, nullptr);
    const bool check = id == 1007 || id == 1014 || id == 1073 || id == 1010;
    if (check) window->SetChecked(id, true);
    for (int item = 0; !check && item < 4; ++item) window->InsertItem(id, item, u"item");
    if (!check) window->SetSelection(id, 3);
    settings::SessionSettings record;
    settings::CollectControlValues(*window, record);
    EXPECT_EQ(ChangedLines(record), std::set<std::string>{line}) << id;
  }
  // The three check boxes named isEnable sit in different groups.
  settings::SessionSettings record;
  settings::StoreControlValue(FieldOf(1007), 1, record);
  EXPECT_TRUE(record.MergeHV.isEnable);
  EXPECT_FALSE(record.Webcam.isEnable);
  EXPECT_FALSE(record.WaterMark.isEnable);
  // A list's first item is stored as 0; the video formats from the second on.
  record.colorType = 2;
  settings::StoreControlValue(FieldOf(1004), 0, record);
  settings::StoreControlValue(FieldOf(1020), 1, record);
  EXPECT_EQ(std::make_pair(record.colorType, record.MediaType), std::make_pair(0, 1));
}
