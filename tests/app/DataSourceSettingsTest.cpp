// Scan settings pushed by the data source land on the capture window's
// controls through their change handlers.
#include <limits>

#include "SessionHarness.h"

namespace {

DSScanSettings Settings(int32_t pixelType, float resolution, int32_t rotation, uint8_t autoCrop) {
  DSScanSettings settings;
  settings.pixelType = pixelType;
  settings.resolution = resolution;
  settings.rotation = rotation;
  settings.autoCrop = autoCrop;
  return settings;
}

}  // namespace

class DataSourceSettingsTest : public SessionTest {
 protected:
  // The option lists as start-up fills them, every one at its first item.
  headless::HeadlessWindow& AtFirstItems() {
    auto& w = CaptureWindow();
    for (int id : {IDC_COLOR_MODE, IDC_CROP_MODE, IDC_UNIT, IDC_ROTATE}) w.SetSelection(id, 0);
    return w;
  }
  int Dpi() const { return g_TessivueDlg->Settings().DPI.ImageDPI; }
};

TEST_F(DataSourceSettingsTest, MapToTheListsAndUnusableValuesKeepTheCurrentChoices) {
  Step([&] {
    auto& w = AtFirstItems();
    // Colour (2) is item 0, black and white (0) item 3; a DPI selects the
    // DPI unit; crop only follows a set auto-crop flag. What each choice
    // then asks of the library is the image options' tests' subject.
    dataSource.SendScanSettings(Settings(2, 299.9f, 1, 0));
    EXPECT_EQ(w.Selection(IDC_COLOR_MODE), 0);
    EXPECT_EQ(w.Selection(IDC_UNIT), 1);
    EXPECT_EQ(Dpi(), 299);
    EXPECT_EQ(w.Selection(IDC_ROTATE), 1);
    EXPECT_EQ(w.Selection(IDC_CROP_MODE), 0);
    dataSource.SendScanSettings(Settings(0, 200.0f, 0, 1));
    EXPECT_EQ(w.Selection(IDC_COLOR_MODE), 3);

    // Unusable values, or a unit list without a DPI item, keep the current choices.
    dataSource.SendScanSettings(Settings(2, 300.0f, 2, 0));
    for (float bad : {-5.0f, 1e20f, std::numeric_limits<float>::quiet_NaN(),
                      std::numeric_limits<float>::infinity()}) {
      dataSource.SendScanSettings(Settings(2, bad, 7, 0));
      EXPECT_EQ(Dpi(), 300);
      EXPECT_EQ(w.Selection(IDC_ROTATE), 2);
    }
    dataSource.SendScanSettings(Settings(2, 150.0f, -1, 0));
    EXPECT_EQ(w.Selection(IDC_ROTATE), 2);
    EXPECT_EQ(Dpi(), 150);
    // A unit list without a DPI item: neither the unit nor the DPI moves.
    w.ClearItems(IDC_UNIT);
    w.AddItem(IDC_UNIT, u"Resolution");
    w.SetSelection(IDC_UNIT, 0);
    dataSource.SendScanSettings(Settings(2, 300.0f, 0, 0));
    EXPECT_EQ(w.Selection(IDC_UNIT), 0);
    EXPECT_EQ(Dpi(), 150);
  });
  Run();
}
