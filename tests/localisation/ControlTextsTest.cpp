// Which control shows which text: every caption, list item and description
// of the capture window and of its dialogs, as a user sees them in English
// at start-up and after switching to Chinese. The texts are those of the
// shipped language files, written out here; switching between languages is
// the capture window's UiTexts tests'.
#include <gtest/gtest.h>

#include <map>

#include "capturewindow/CTessivueDlg.h"
#include "resource.h"
#include "support/CheckedPlatform.h"
#include "support/DataSourceTwin.h"
#include "support/ProgramFolder.h"

namespace {

// A caption (or a list's items joined by '|'), a tip or an accessible name.
enum class Seen { Text, Tip, Name };
constexpr int kFrame = 0;  // the window's own caption

struct Shown {
  int id;
  const char16_t* english;
  const char16_t* chinese = nullptr;  // null: as in English, in every language
  Seen seen = Seen::Text;
};

const std::map<int, std::vector<Shown>> kWindows = {
    {IDD_CAPTURE_WINDOW,
     {
         {kFrame, u"Prismel"},
         {IDC_COLOR_LABEL, u"Scan Mode", u"扫描模式"},
         {IDC_COLOR_MODE, u"Color|Gray|Black&White(Document)|Black&White",
          u"彩色|灰度|黑白（文档优化）|黑白"},
         {IDC_CROP_LABEL, u"Cropping", u"裁切"},
         {IDC_CROP_MODE, u"No Cropping|Single|Multiple", u"不裁切|单图|多图"},
         {IDC_FILE_FORMAT_LABEL, u"File Format", u"文件格式"},
         {IDC_FILE_FORMAT, u"BMP(*.bmp)|JPEG(*.jpg)|PNG(*.png)"},
         {IDC_AUTO_CAPTURE_LABEL, u"Timing", u"连拍模式"},
         {IDC_AUTO_CAPTURE_MODE, u"Manual|Min 3 Sec|Min 5 Sec|AutoMatic", u"手动|3秒|5秒|自动"},
         {IDC_FILL_BORDER, u"Signle(Eage Restore)", u"单裁补边"},
         {IDC_HAND_CROP, u"CustCut", u"手动裁切"},
         {IDC_MERGE, u"Two Picetures Merge", u"双面合并"},
         {IDC_MERGE_HORIZONTAL, u"Horizontal", u"水平"},
         {IDC_MERGE_VERTICAL, u"Vertical", u"垂直"},
         {IDC_MEDIA_LABEL, u"Format", u"视频模式"},
         {IDC_SECONDARY_CAPTURE, u"Webcam Capture", u"副头拍照"},
         {IDC_AUTO_CAPTURE, u"Start", u"连拍"},
         {IDC_SAVE, u"Save", u"保存"},
         {IDC_SECONDARY_CAMERA, u"Webcam", u"副头"},
         {IDC_SECONDARY_DEVICE_LABEL, u"Webcam Device", u"副头设备"},
         {IDC_MERGE_SETTINGS, u"Setting", u"设置"},
         {IDC_AUTO_FOCUS, u"Auto Focus", u"自动对焦"},
         {IDC_SECONDARY_SIZE_LABEL, u"Resolution", u"分辨率"},
         {IDC_WATERMARK, u"Watemark", u"水印"},
         {IDC_WATERMARK_SETTINGS, u"Setting", u"设置"},
         {IDC_IMAGE_SETTINGS, u"Image Setting", u"图像设置"},
         {IDC_DEVICE_SETTINGS, u"Device Setting", u"设备设置"},
         {IDC_SECONDARY_MERGE, u"Merge", u"副窗合并"},
         {IDC_ZOOM_IN, u"+"},
         {IDC_ZOOM_OUT, u"-"},
         {IDC_ORIGINAL_SIZE, u"1:1"},
         {IDC_BEST_FIT, u"Best", u"最适"},
         {IDC_ROTATE_LABEL, u"Rotate", u"旋转"},
         {IDC_ROTATE, u"0°|90°|180°|270°"},
         {IDC_DEVICE_LABEL, u"Device", u"设备"},
         {IDC_UNIT_LABEL, u"Unit", u"单位"},
         {IDC_UNIT, u"Resolution|DPI", u"分辨率|DPI"},
         {IDC_FRAME_SIZE_LABEL, u"Resolution", u"分辨率"},
         {IDC_LANGUAGE_LABEL, u"Language", u"语言"},
         {IDC_LANGUAGE,
          u"English|简体中文|Deutsch|Nederlands|Français|Italiano|한국어|Português|Español"},
         {IDC_EXIT, u"Exit", u"退出"},
         {IDC_CAPTURE, u"Capture", u"拍照"},
         {IDC_ZOOM_IN, u"Zoom in", u"放大", Seen::Tip},
         {IDC_ZOOM_OUT, u"Zoom out", u"缩小", Seen::Tip},
         {IDC_ORIGINAL_SIZE, u"Actual size", u"实际大小", Seen::Tip},
         {IDC_CAPTURE, u"Space bar: capture", u"空格键：拍照", Seen::Tip},
         {IDC_PREVIEW_AREA, u"Live picture", u"实时画面", Seen::Name},
     }},
    {IDD_WATERMARK,
     {
         {kFrame, u"Watermark Setting", u"水印设置"},
         {IDC_WM_FONT_LABEL, u"Font", u"字体"},
         {IDC_WM_SIZE_LABEL, u"Font Size", u"尺寸"},
         {IDC_WM_COLOR_LABEL, u"color", u"颜色"},
         {IDC_WM_BOLD, u"Weight", u"粗体"},
         {IDC_WM_ITALIC, u"Italic", u"斜体"},
         {IDC_WM_UNDERLINE, u"Underline", u"下划线"},
         {IDC_WM_TRANSPARENCY_LABEL, u"Transparency", u"透明度"},
         {IDC_WM_ANGLE_LABEL, u"Angle", u"角度"},
         {IDC_WM_POSITION_GROUP, u"Postion", u"位置"},
         {IDC_WM_POS_TOP_LEFT, u"Left Top", u"左上"},
         {IDC_WM_POS_TOP, u"Top", u"上"},
         {IDC_WM_POS_TOP_RIGHT, u"Right Top", u"右上"},
         {IDC_WM_POS_LEFT, u"Left", u"左"},
         {IDC_WM_POS_CENTRE, u"Middle", u"中"},
         {IDC_WM_POS_RIGHT, u"Right", u"右"},
         {IDC_WM_POS_BOTTOM_LEFT, u"Left Bottom", u"左下"},
         {IDC_WM_POS_BOTTOM, u"Bottom", u"下"},
         {IDC_WM_POS_BOTTOM_RIGHT, u"Right Bottom", u"右下"},
         {IDC_WM_TEXT_LABEL, u"Content", u"水印内容"},
         {IDC_WM_TIME_STAMP, u"Time Stamp", u"时间戳"},
         {IDOK, u"Ok", u"确定"},
         {IDCANCEL, u"Cancel", u"取消"},
     }},
    {IDD_MERGE_OPTIONS,
     {
         {kFrame, u"Webcam Merge Setting", u"副头设置"},
         {IDC_OUTSIDE_MODE, u"Outside", u"外部合并"},
         {IDC_INSIDE_MODE, u"Inside", u"内部合并"},
         {IDOK, u"Ok", u"确定"},
         {IDCANCEL, u"Cancel", u"取消"},
     }},
    {IDD_AUTO_CAPTURE,
     {
         {kFrame, u"Timing", u"连拍模式"},
         {IDC_AC_COUNTDOWN, u"0 Sec", u"0 秒"},
         {IDC_AC_SHOT_COUNT, u"Page 0", u"0 张"},
         {IDC_AC_END, u"Exit", u"退出"},
     }},
    {IDD_ABOUTBOX,
     {
         {kFrame, u"About Prismel"},
         {IDC_ABOUT_NAME, u"Prismel, Version 1.2.3.4"},
         {IDC_ABOUT_COPYRIGHT, u"Copyright (C) 2026 The Prismel developers"},
         {IDOK, u"OK"},
     }},

};

std::u16string WhatIsSeen(const headless::HeadlessWindow& window, const Shown& shown) {
  if (shown.seen == Seen::Tip) return window.ToolTip(shown.id);
  if (shown.seen == Seen::Name) return window.AccessibleName(shown.id);
  if (shown.id == kFrame) return window.Caption();
  std::u16string items = window.ItemCount(shown.id) == 0 ? window.Text(shown.id) : u"";
  for (int i = 0; i < window.ItemCount(shown.id); ++i) {
    items += (i > 0 ? u"|" : u"") + window.ItemText(shown.id, i);
  }
  return items;
}

}  // namespace

TEST(ControlTexts, EveryControlShowsItsOwnTextInEachLanguage) {
  testing_support::CheckedPlatform host;
  testing_support::ProgramFolder program(host.os);
  program.WriteFile("Kelpra.ini", "[Library]\nTickMs=0\n");  // auto capture stays still
  testing_support::DataSourceTwin dataSource(host.desktop);
  CTessivueDlg dialog(host.platform);
  int language = 0;  // English, Chinese
  std::vector<int> seen;
  const auto check = [&](const headless::HeadlessWindow& window) {
    seen.push_back(window.TemplateId());
    for (const Shown& shown : kWindows.at(window.TemplateId())) {
      EXPECT_EQ(WhatIsSeen(window, shown),
                language == 1 && shown.chinese ? shown.chinese : shown.english)
          << "language " << language << ", window " << window.TemplateId() << ", control "
          << shown.id;
    }
  };
  // Each dialog is read as it opens, then closed.
  host.ui.onModalOpened = [&](headless::HeadlessWindow& window) {
    check(window);
    if (window.TemplateId() != IDD_CAPTURE_WINDOW) window.UserClose();
  };
  const char16_t* const start[] = {u"Start", u"连拍"};
  for (int next = 1; next <= 2; ++next) {
    host.ui.AddStep([&, next] {
      headless::HeadlessWindow& window = *host.ui.LastModal(IDD_CAPTURE_WINDOW);
      window.Handler().OnCommand(IDC_WATERMARK_SETTINGS, platform::kNotifyClicked);
      window.Handler().OnCommand(IDC_MERGE_SETTINGS, platform::kNotifyClicked);
      window.UserSysCommand(IDM_ABOUTBOX);
      ASSERT_TRUE(window.UserSelect(IDC_AUTO_CAPTURE_MODE, 2));
      EXPECT_EQ(window.Text(IDC_CAPTURE), start[language]);
      ASSERT_TRUE(window.UserClick(IDC_CAPTURE));
      ASSERT_TRUE(window.UserSelect(IDC_AUTO_CAPTURE_MODE, 0));
      if (next == 2) return;
      language = next;
      ASSERT_TRUE(window.UserSelect(IDC_LANGUAGE, 1));  // Chinese, second in the box
      check(window);
    });
  }
  dialog.DoModal();
  EXPECT_EQ(seen, (std::vector<int>{IDD_CAPTURE_WINDOW, IDD_WATERMARK, IDD_MERGE_OPTIONS,
                                    IDD_ABOUTBOX, IDD_AUTO_CAPTURE, IDD_CAPTURE_WINDOW,
                                    IDD_WATERMARK, IDD_MERGE_OPTIONS, IDD_ABOUTBOX,
                                    IDD_AUTO_CAPTURE}));
}
