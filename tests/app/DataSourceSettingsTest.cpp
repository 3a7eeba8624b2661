// Scan settings pushed by the data source land on the capture window's
// controls through their change handlers.
#include <limits>

#include "SessionHarness.h"

namespace {

void FillList(headless::HeadlessWindow& window, int id, int count) {
  window.ClearItems(id);
  for (int i = 0; i < count; ++i) window.AddItem(id, u"item " + std::u16string(1, u'0' + i));
}

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
  void FillOptionLists() {
    auto& w = CaptureWindow();
    FillList(w, IDC_COLOR_MODE, 4);
    FillList(w, IDC_CROP_MODE, 3);
    FillList(w, IDC_UNIT, 2);
    FillList(w, IDC_ROTATE, 4);
    for (int id : {IDC_COLOR_MODE, IDC_CROP_MODE, IDC_UNIT, IDC_ROTATE}) w.SetSelection(id, 0);
  }
};

TEST_F(DataSourceSettingsTest, SelectsColourDpiAndRotationAndLeavesCrop) {
  Step([&] {
    FillOptionLists();
    dataSource.SendScanSettings(Settings(2, 299.9f, 1, 0));
    auto& w = CaptureWindow();
    EXPECT_EQ(w.Selection(IDC_COLOR_MODE), 0);
    EXPECT_EQ(w.Selection(IDC_UNIT), 1);
    EXPECT_EQ(g_TessivueDlg->Settings().DPI.ImageDPI, 299);
    EXPECT_EQ(w.Selection(IDC_ROTATE), 1);
    EXPECT_EQ(w.Selection(IDC_CROP_MODE), 0);
  });
  Run();
}

TEST_F(DataSourceSettingsTest, MapsPixelTypesAndAutoCrop) {
  Step([&] {
    FillOptionLists();
    dataSource.SendScanSettings(Settings(0, 200.0f, 0, 1));
    EXPECT_EQ(CaptureWindow().Selection(IDC_COLOR_MODE), 3);
    EXPECT_EQ(CaptureWindow().Selection(IDC_CROP_MODE), 1);
    dataSource.SendScanSettings(Settings(1, 200.0f, 0, 0));
    EXPECT_EQ(CaptureWindow().Selection(IDC_COLOR_MODE), 1);
    EXPECT_EQ(CaptureWindow().Selection(IDC_CROP_MODE), 1);
  });
  Run();
}

TEST_F(DataSourceSettingsTest, UnusableValuesKeepTheCurrentChoices) {
  Step([&] {
    FillOptionLists();
    dataSource.SendScanSettings(Settings(2, 300.0f, 2, 0));
    for (float bad : {-5.0f, 1e20f, std::numeric_limits<float>::quiet_NaN(),
                      std::numeric_limits<float>::infinity()}) {
      dataSource.SendScanSettings(Settings(2, bad, 7, 0));
      EXPECT_EQ(g_TessivueDlg->Settings().DPI.ImageDPI, 300);
      EXPECT_EQ(CaptureWindow().Selection(IDC_ROTATE), 2);
    }
    dataSource.SendScanSettings(Settings(2, 150.0f, -1, 0));
    EXPECT_EQ(CaptureWindow().Selection(IDC_ROTATE), 2);
    EXPECT_EQ(g_TessivueDlg->Settings().DPI.ImageDPI, 150);
  });
  Run();
}

TEST_F(DataSourceSettingsTest, UnitIsLeftAloneWhenTheListHasNoDpiItem) {
  Step([&] {
    FillOptionLists();
    FillList(CaptureWindow(), IDC_UNIT, 1);
    CaptureWindow().SetSelection(IDC_UNIT, 0);
    dataSource.SendScanSettings(Settings(2, 300.0f, 0, 0));
    EXPECT_EQ(CaptureWindow().Selection(IDC_UNIT), 0);
    EXPECT_EQ(g_TessivueDlg->Settings().DPI.ImageDPI, 200);  // the default stays
  });
  Run();
}
