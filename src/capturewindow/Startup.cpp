// The capture window's start-up, in its fixed order.
#include <cstdio>

#include "capturewindow/CTessivueDlg.h"
#include "capturewindow/ModuleFolder.h"
#include "capturewindow/WorkFolder.h"
#include "localisation/LanguageFiles.h"
#include "settings/SettingsFile.h"
#include "resource.h"

namespace {

const char16_t kConnectFailedMessage[] =
    u"Prismel can't find TwainDS or missing configuration file.";
constexpr int kStatusBarHeight = 20;

std::u16string FormatErrorCode(const std::u16string& text, int32_t code) {
  std::u16string message = text + u": ";
  for (char c : std::to_string(code)) message.push_back(static_cast<char16_t>(c));
  return message;
}

}  // namespace

bool CTessivueDlg::OnInitDialog() {
  // Exit stays disabled until the first thumbnail, also when the start-up
  // stops early: a process without a data source must not hide itself.
  Window().Enable(IDC_EXIT, false);

  const std::u16string aboutText = platform_.ui.LoadString(IDS_ABOUTBOX);
  if (!aboutText.empty()) (void)Window().AppendSystemMenuItem(IDM_ABOUTBOX, aboutText);
  Window().SetIcon(IDR_MAINFRAME);

  if (auto moduleFile = platform_.os.ModuleFileName()) {
    moduleFolder_ = capturewindow::ModuleFolderOf(*moduleFile);
  }
  // Without the settings file the defaults stay.
  if (moduleFolder_) (void)settings::LoadSessionSettings(platform_.os, *moduleFolder_);
  FillLanguageBox();

  if (!BuildWindow()) return false;
  if (!LoadCameraLibrary()) return false;

  (void)camera_.camRegCallBackDeviceChange(
      callbacks_.SetDeviceChangeHandler([this] { OnDeviceChange(); }));
  const int32_t initResult = camera_.camInitCameraLib();
  if (initResult != 0) {
    ShowMessage(FormatErrorCode(Text("ErrCode"), initResult));
    OnCancel();
    return false;
  }

  workFolder_ = capturewindow::RecreateWorkFolder(platform_.os, camera_);
  resolutionLabels_ = capturewindow::MakeResolutionLabelTable();
  dpiList_ = capturewindow::MakeDpiList();
  tablesBuilt_ = true;
  cropModeBeforeHandCrop_ = settings::ProcessSessionSettings().cutType;
  Window().CenterWindow();
  RefreshControls(true);
  HideFixedControls();

  if (link_.Connect(this) == 0) {
    ShowMessage(kConnectFailedMessage);
    link_.Disconnect();
    OnCancel();
    return false;
  }
  Window().Show(true);
  Window().Enable(IDC_EXIT, false);
  startUpComplete_ = true;

  // A camera plugged in or removed while the start-up ran is handled now.
  if (deviceChangePending_) OnDeviceChange();
  return true;
}

bool CTessivueDlg::BuildWindow() {
  if (thumbnails_.Initialise(Window(), IDC_THUMBNAILS)) {
    thumbnails_.SetCountCallback(&CTessivueDlg::OnThumbnailCount);
    thumbnails_.EnsureVisible(thumbnails_.GetItemCount() - 1);
  }

  // The live picture of the main camera is drawn into a child window laid
  // over the placeholder.
  const platform::Rect area = Window().ControlRect(IDC_PREVIEW_AREA);
  if (mainPreviewHost_.Create(platform_.ui, IDD_MAIN_PREVIEW_HOST, GetWindow())) {
    mainPreviewHost_.Window()->SetParentWindow(GetWindow());
    mainPreviewHost_.Window()->MoveTo(area);
    mainPreviewHost_.Window()->Show(true);
  }

  Window().ClearItems(IDC_FILE_FORMAT);
  Window().InsertItem(IDC_FILE_FORMAT, 0, u"BMP(*.bmp)");
  Window().InsertItem(IDC_FILE_FORMAT, 1, u"JPEG(*.jpg)");
  Window().InsertItem(IDC_FILE_FORMAT, 2, u"PNG(*.png)");

  if (mergePreview_.Create(platform_.ui, IDD_MERGE_PREVIEW, GetWindow())) {
    mergePreview_.Window()->Show(false);
  }

  if (auto version = platform_.os.OwnProductVersion()) productVersion_ = *version;
  CreateStatusBar();

  if (secondaryPreviewHost_.Create(platform_.ui, IDD_SECONDARY_PREVIEW_HOST, GetWindow())) {
    platform::Window* host = secondaryPreviewHost_.Window();
    host->SetParentWindow(GetWindow());
    const int left = area.left + (area.Width() / 3) * 2;
    host->MoveTo({left, area.top, left + area.Width() / 3, area.top + area.Height() / 3});
    host->Show(false);
  }

  LoadStartUpLanguage();
  // The language's flags must not enable Exit: only a thumbnail does.
  const bool exitEnabled = Window().IsEnabled(IDC_EXIT);
  ApplyUiTexts();
  Window().Enable(IDC_EXIT, exitEnabled);
  return true;
}

// The user can finish only while at least one captured picture is listed.
void CTessivueDlg::OnThumbnailCount(int count) {
  if (g_TessivueDlg != nullptr && g_TessivueDlg->GetWindow() != nullptr) {
    g_TessivueDlg->Window().Enable(IDC_EXIT, count > 0);
  }
}

void CTessivueDlg::CreateStatusBar() {
  const platform::Rect client = Window().ClientRect();
  (void)Window().CreateStatusBar(
      {0, client.bottom - kStatusBarHeight, client.right, client.bottom});
  Window().SetStatusText(VersionText(false));
}

std::u16string CTessivueDlg::VersionText(bool allFourParts) const {
  char numbers[64];
  const auto& v = productVersion_;
  if (allFourParts) {
    std::snprintf(numbers, sizeof numbers, " : %d.%d.%d.%d", v[0], v[1], v[2], v[3]);
  } else {
    std::snprintf(numbers, sizeof numbers, " : %d.%d.%d", v[0], v[1], v[2]);
  }
  std::u16string text = Text("Version");
  for (const char* c = numbers; *c != '\0'; ++c) text.push_back(static_cast<char16_t>(*c));
  return text;
}

bool CTessivueDlg::LoadCameraLibrary() {
  // The library is loaded with the program's folder as the current folder,
  // so that what it loads itself is found there too.
  if (!moduleFolder_) {
    platform_.os.WriteStandardOutput("LoadLibrary failed\n");
    return false;
  }
  const std::u16string previousFolder = platform_.os.CurrentDirectory();
  (void)platform_.os.ChangeDirectory(*moduleFolder_);
  if (!camera_.Load(*moduleFolder_ + "\\Kelpra.dll")) return false;
  (void)platform_.os.ChangeDirectory(previousFolder);
  return true;
}

void CTessivueDlg::FillLanguageBox() {
  localisation::LanguageList& languages = localisation::ProcessLanguageList();
  languages.clear();
  if (moduleFolder_) {
    (void)localisation::LoadLanguageList(localisation::LanguageListPath(*moduleFolder_),
                                         platform_.os, languages);
  }
  Window().ClearItems(IDC_LANGUAGE);
  for (size_t i = 0; i < languages.size(); ++i) {
    Window().InsertItem(IDC_LANGUAGE, static_cast<int>(i), languages[i].name);
  }
  // The last entry's flags decide the state of the whole box.
  for (const localisation::LanguageEntry& entry : languages) {
    Window().Enable(IDC_LANGUAGE, entry.IsEnable != 0);
    Window().ShowControl(IDC_LANGUAGE, entry.IsShow != 0);
  }
}

void CTessivueDlg::LoadStartUpLanguage() {
  const std::string& code = settings::ProcessSessionSettings().Language;
  if (moduleFolder_) {
    (void)localisation::LoadUiTexts(localisation::LanguageFilePath(*moduleFolder_, code),
                                    platform_.os, localisation::ProcessUiTextTable());
  }
  const localisation::LanguageList& languages = localisation::ProcessLanguageList();
  if (Window().ItemCount(IDC_LANGUAGE) != static_cast<int>(languages.size())) return;
  const std::u16string wideCode = platform_.os.AnsiToWide(code);
  int selection = -1;
  for (size_t i = 0; i < languages.size() && selection < 0; ++i) {
    if (languages[i].code == wideCode) selection = static_cast<int>(i);
  }
  Window().SetSelection(IDC_LANGUAGE, selection);
}
