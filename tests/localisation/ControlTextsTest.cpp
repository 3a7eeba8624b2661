// Which control shows which text: every caption, list item and description
// of the capture window and of its dialogs, as a user sees them in English
// at start-up and after switching to German and to Chinese. The texts are
// those of the shipped language files, written out here.
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
  const char16_t* german = nullptr;  // null: as in English, in every language
  const char16_t* chinese = nullptr;
  Seen seen = Seen::Text;
};

const std::map<int, std::vector<Shown>> kWindows = {
    {IDD_CAPTURE_WINDOW,
     {
         {kFrame, u"Prismel"},
         {IDC_COLOR_LABEL, u"Scan Mode", u"Scanmodus", u"扫描模式"},
         {IDC_COLOR_MODE,
          u"Color|Gray|Black&White(Document)|Black&White",
          u"Farbe|Graustufen|Schwarzweiß (Dokument)|Schwarzweiß",
          u"彩色|灰度|黑白（文档优化）|黑白"},
         {IDC_CROP_LABEL, u"Cropping", u"Zuschnitt", u"裁切"},
         {IDC_CROP_MODE,
          u"No Cropping|Single|Multiple",
          u"Kein Zuschnitt|Einzeln|Mehrfach",
          u"不裁切|单图|多图"},
         {IDC_FILE_FORMAT_LABEL, u"File Format", u"Dateiformat", u"文件格式"},
         {IDC_FILE_FORMAT, u"BMP(*.bmp)|JPEG(*.jpg)|PNG(*.png)"},
         {IDC_AUTO_CAPTURE_LABEL, u"Timing", u"Serienaufnahme", u"连拍模式"},
         {IDC_AUTO_CAPTURE_MODE,
          u"Manual|Min 3 Sec|Min 5 Sec|AutoMatic",
          u"Manuell|Mind. 3 Sek.|Mind. 5 Sek.|Automatisch",
          u"手动|3秒|5秒|自动"},
         {IDC_FILL_BORDER, u"Signle(Eage Restore)", u"Einzeln (Kanten ergänzen)", u"单裁补边"},
         {IDC_HAND_CROP, u"CustCut", u"Manueller Zuschnitt", u"手动裁切"},
         {IDC_MERGE, u"Two Picetures Merge", u"Zwei Bilder zusammenfügen", u"双面合并"},
         {IDC_MERGE_HORIZONTAL, u"Horizontal", u"Horizontal", u"水平"},
         {IDC_MERGE_VERTICAL, u"Vertical", u"Vertikal", u"垂直"},
         {IDC_MEDIA_LABEL, u"Format", u"Videoformat", u"视频模式"},
         {IDC_SECONDARY_CAPTURE, u"Webcam Capture", u"Webcam-Aufnahme", u"副头拍照"},
         {IDC_AUTO_CAPTURE, u"Start", u"Start", u"连拍"},
         {IDC_SAVE, u"Save", u"Sichern", u"保存"},
         {IDC_SECONDARY_CAMERA, u"Webcam", u"Webcam", u"副头"},
         {IDC_SECONDARY_DEVICE_LABEL, u"Webcam Device", u"Webcam-Gerät", u"副头设备"},
         {IDC_MERGE_SETTINGS, u"Setting", u"Einstellungen", u"设置"},
         {IDC_AUTO_FOCUS, u"Auto Focus", u"Autofokus", u"自动对焦"},
         {IDC_SECONDARY_SIZE_LABEL, u"Resolution", u"Auflösung", u"分辨率"},
         {IDC_WATERMARK, u"Watemark", u"Wasserzeichen", u"水印"},
         {IDC_WATERMARK_SETTINGS, u"Setting", u"Einstellungen", u"设置"},
         {IDC_IMAGE_SETTINGS, u"Image Setting", u"Bildeinstellungen", u"图像设置"},
         {IDC_DEVICE_SETTINGS, u"Device Setting", u"Geräteeinstellungen", u"设备设置"},
         {IDC_SECONDARY_MERGE, u"Merge", u"Zusammenfügen", u"副窗合并"},
         {IDC_ZOOM_IN, u"+"},
         {IDC_ZOOM_OUT, u"-"},
         {IDC_ORIGINAL_SIZE, u"1:1"},
         {IDC_BEST_FIT, u"Best", u"Einpassen", u"最适"},
         {IDC_ROTATE_LABEL, u"Rotate", u"Drehen", u"旋转"},
         {IDC_ROTATE, u"0°|90°|180°|270°"},
         {IDC_DEVICE_LABEL, u"Device", u"Gerät", u"设备"},
         {IDC_UNIT_LABEL, u"Unit", u"Einheit", u"单位"},
         {IDC_UNIT, u"Resolution|DPI", u"Auflösung|DPI", u"分辨率|DPI"},
         {IDC_FRAME_SIZE_LABEL, u"Resolution", u"Auflösung", u"分辨率"},
         {IDC_LANGUAGE_LABEL, u"Language", u"Sprache", u"语言"},
         {IDC_LANGUAGE,
          u"English|简体中文|Deutsch|Nederlands|Français|Italiano|한국어|Português|Español"},
         {IDC_EXIT, u"Exit", u"Beenden", u"退出"},
         {IDC_CAPTURE, u"Capture", u"Aufnahme", u"拍照"},
         {IDC_ZOOM_IN, u"Zoom in", u"Vergrößern", u"放大", Seen::Tip},
         {IDC_ZOOM_OUT, u"Zoom out", u"Verkleinern", u"缩小", Seen::Tip},
         {IDC_ORIGINAL_SIZE, u"Actual size", u"Originalgröße", u"实际大小", Seen::Tip},
         {IDC_CAPTURE, u"Space bar: capture", u"Leertaste: Aufnahme", u"空格键：拍照", Seen::Tip},
         {IDC_PREVIEW_AREA, u"Live picture", u"Livebild", u"实时画面", Seen::Name},
     }},
    {IDD_WATERMARK,
     {
         {kFrame, u"Watermark Setting", u"Wasserzeichen-Einstellungen", u"水印设置"},
         {IDC_WM_FONT_LABEL, u"Font", u"Schriftart", u"字体"},
         {IDC_WM_SIZE_LABEL, u"Font Size", u"Schriftgröße", u"尺寸"},
         {IDC_WM_COLOR_LABEL, u"color", u"Farbe", u"颜色"},
         {IDC_WM_BOLD, u"Weight", u"Fett", u"粗体"},
         {IDC_WM_ITALIC, u"Italic", u"Kursiv", u"斜体"},
         {IDC_WM_UNDERLINE, u"Underline", u"Unterstrichen", u"下划线"},
         {IDC_WM_TRANSPARENCY_LABEL, u"Transparency", u"Transparenz", u"透明度"},
         {IDC_WM_ANGLE_LABEL, u"Angle", u"Winkel", u"角度"},
         {IDC_WM_POSITION_GROUP, u"Postion", u"Position", u"位置"},
         {IDC_WM_POS_TOP_LEFT, u"Left Top", u"Oben links", u"左上"},
         {IDC_WM_POS_TOP, u"Top", u"Oben", u"上"},
         {IDC_WM_POS_TOP_RIGHT, u"Right Top", u"Oben rechts", u"右上"},
         {IDC_WM_POS_LEFT, u"Left", u"Links", u"左"},
         {IDC_WM_POS_CENTRE, u"Middle", u"Mitte", u"中"},
         {IDC_WM_POS_RIGHT, u"Right", u"Rechts", u"右"},
         {IDC_WM_POS_BOTTOM_LEFT, u"Left Bottom", u"Unten links", u"左下"},
         {IDC_WM_POS_BOTTOM, u"Bottom", u"Unten", u"下"},
         {IDC_WM_POS_BOTTOM_RIGHT, u"Right Bottom", u"Unten rechts", u"右下"},
         {IDC_WM_TEXT_LABEL, u"Content", u"Inhalt", u"水印内容"},
         {IDC_WM_TIME_STAMP, u"Time Stamp", u"Zeitstempel", u"时间戳"},
         {IDOK, u"Ok", u"OK", u"确定"},
         {IDCANCEL, u"Cancel", u"Abbrechen", u"取消"},
     }},
    {IDD_MERGE_OPTIONS,
     {
         {kFrame, u"Webcam Merge Setting", u"Webcam-Zusammenführung", u"副头设置"},
         {IDC_OUTSIDE_MODE, u"Outside", u"Außen", u"外部合并"},
         {IDC_INSIDE_MODE, u"Inside", u"Innen", u"内部合并"},
         {IDOK, u"Ok", u"OK", u"确定"},
         {IDCANCEL, u"Cancel", u"Abbrechen", u"取消"},
     }},
    {IDD_AUTO_CAPTURE,
     {
         {kFrame, u"Timing", u"Serienaufnahme", u"连拍模式"},
         {IDC_AC_COUNTDOWN, u"0 Sec", u"0 Sek.", u"0 秒"},
         {IDC_AC_SHOT_COUNT, u"Page 0", u"0 Seite", u"0 张"},
         {IDC_AC_END, u"Exit", u"Beenden", u"退出"},
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
  int language = 0;  // English, German, Chinese
  std::vector<int> seen;
  const auto check = [&](const headless::HeadlessWindow& window) {
    seen.push_back(window.TemplateId());
    for (const Shown& shown : kWindows.at(window.TemplateId())) {
      const char16_t* texts[] = {shown.english, shown.german, shown.chinese};
      EXPECT_EQ(WhatIsSeen(window, shown), texts[language] ? texts[language] : shown.english)
          << "language " << language << ", window " << window.TemplateId() << ", control "
          << shown.id;
    }
  };
  // Each dialog is read as it opens, then closed.
  host.ui.onModalOpened = [&](headless::HeadlessWindow& window) {
    check(window);
    if (window.TemplateId() != IDD_CAPTURE_WINDOW) window.UserClose();
  };
  const int listIndex[] = {0, 2, 1};  // German and Chinese in the language box
  const char16_t* const start[] = {u"Start", u"Start", u"连拍"};
  for (int next = 1; next <= 3; ++next) {
    host.ui.AddStep([&, next] {
      headless::HeadlessWindow& window = *host.ui.LastModal(IDD_CAPTURE_WINDOW);
      window.Handler().OnCommand(IDC_WATERMARK_SETTINGS, platform::kNotifyClicked);
      window.Handler().OnCommand(IDC_MERGE_SETTINGS, platform::kNotifyClicked);
      window.UserSysCommand(IDM_ABOUTBOX);
      ASSERT_TRUE(window.UserSelect(IDC_AUTO_CAPTURE_MODE, 2));
      EXPECT_EQ(window.Text(IDC_CAPTURE), start[language]);
      ASSERT_TRUE(window.UserClick(IDC_CAPTURE));
      ASSERT_TRUE(window.UserSelect(IDC_AUTO_CAPTURE_MODE, 0));
      if (next == 3) return;
      language = next;
      ASSERT_TRUE(window.UserSelect(IDC_LANGUAGE, listIndex[next]));
      check(window);
    });
  }
  dialog.DoModal();
  const std::vector<int> dialogs = {IDD_WATERMARK, IDD_MERGE_OPTIONS, IDD_ABOUTBOX,
                                    IDD_AUTO_CAPTURE};
  std::vector<int> expected;
  for (int i = 0; i < 3; ++i) {
    expected.push_back(IDD_CAPTURE_WINDOW);
    expected.insert(expected.end(), dialogs.begin(), dialogs.end());
  }
  EXPECT_EQ(seen, expected);
}
