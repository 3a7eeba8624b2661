#include "ScriptedSession.h"

#include <algorithm>
#include <iterator>
#include <random>
#include <regex>
#include <set>

#include "HostileRecords.h"
#include "capturewindow/SessionSteps.h"
#include "platform/headless/TextConversions.h"
#include "resource.h"
#include "settings/SettingsFile.h"
#include "support/CameraExportList.h"
#include "support/FolderNames.h"

namespace reliability {

namespace {

// The reference library's devices for these sessions: small frame sizes, so
// that a session of hundreds of shots stays quick, two documents on the desk
// for the multiple crop, and a webcam for the secondary camera; auto capture
// without a clock, its values handed out by the test
// (kelpraTestAutoCaptureTick). `libraryLines` go into the [Library] section.
std::string SessionLibrary(const std::string& libraryLines) {
  return "[Library]\nTickMs=0\n" + libraryLines +
         "[Device]\nName=Desk Camera\nDpi=150\nDocuments=2\n"
         "Format=MJPG\nSize=640x480\nSize=800x600\nFormat=YUY2\nSize=640x480\n"
         "[Device]\nName=Desk Webcam\nDpi=96\nFormat=MJPG\nSize=320x240\nSize=640x480\n";
}

// The buttons of the preview and the camera's own dialogs.
const int kButtons[] = {IDC_ZOOM_IN,    IDC_ZOOM_OUT,        IDC_ORIGINAL_SIZE, IDC_BEST_FIT,
                        IDC_AUTO_FOCUS, IDC_DEVICE_SETTINGS, IDC_IMAGE_SETTINGS};

const std::u16string kWatermarkText = u"Reliability";

std::string Ascii(const std::u16string& text) { return headless::Utf16ToUtf8(text); }

bool IsPicture(const std::string& name) {
  static const std::regex picture(".*\\.(bmp|jpg|png|tif)");
  return std::regex_match(name, picture);
}

// The name of a work-folder file with its numbers as '#': "1_#_#.bmp".
std::string NameWithoutNumbers(const std::u16string& path) {
  const std::string name = Ascii(path.substr(path.find_last_of(u"\\/") + 1));
  static const std::regex number("[0-9]+");
  std::string result = std::regex_replace(name, number, "#");
  // The session's first name numbers start with the digit of the camera.
  if (result.rfind("#_", 0) == 0) result = name.substr(0, 1) + result.substr(1);
  return result;
}

}  // namespace

ScriptedSession::ScriptedSession(const SessionSetup& setup)
    : h(CaptureWindowHarness::Options{/*withLibrary=*/true, /*partialLibrary=*/false,
                                      setup.library}),
      hasFailureRules_(!setup.libraryLines.empty()),
      hostileRecords_(setup.hostileRecords) {
  h.WriteProgramFile("Kelpra.ini", SessionLibrary(setup.libraryLines));
  settings::SessionSettings saved;
  saved.ShowUIUpdataOneByOne = setup.handOff;
  h.SaveSettings(saved);
  settingsBefore_ = h.SettingsFileText();
  h.dataSource.batchAnswer = 212;
}

void ScriptedSession::Then(Step step) {
  h.Then([this, step = std::move(step)] {
    // A user takes a moment between two actions.
    h.host.os.tickCount += 250;
    step();
  });
}

void ScriptedSession::InDialog(int dialog, std::function<void(headless::HeadlessWindow&)> step) {
  Then([this, dialog, step = std::move(step)] {
    headless::HeadlessWindow* d = h.host.ui.ActiveModal();
    if (d != nullptr && d->TemplateId() == dialog) step(*d);
  });
}

std::vector<std::u16string> ScriptedSession::HandedOverSoFar() const {
  if (!h.dialog->Link().IsOneByOne()) return h.dialog->Link().PendingFiles();
  std::vector<std::u16string> files;
  for (const auto& record : h.dataSource.Received()) {
    if (record.code == kDSCodeFile) files.push_back(record.text);
  }
  return files;
}

std::string ScriptedSession::PublishedSince(size_t mark) const {
  std::string line;
  const std::vector<std::u16string> files = HandedOverSoFar();
  for (size_t i = mark; i < files.size(); ++i) line += " " + NameWithoutNumbers(files[i]);
  return line;
}

void ScriptedSession::ThenPublishing(const std::string& what, Step step) {
  Then([this, what, step = std::move(step)] {
    const size_t before = HandedOverSoFar().size();
    step();
    published_.push_back(what + ":" + PublishedSince(before));
  });
}

bool ScriptedSession::Select(int id, int index) {
  headless::HeadlessWindow& w = h.Window();
  if (!w.IsEnabled(id) || index < 0 || index >= w.ItemCount(id)) return false;
  if (w.IsControlVisible(id)) return w.UserSelect(id, index);
  steps::CommandSelect(h, id, index);
  return true;
}

bool ScriptedSession::Click(int id) {
  headless::HeadlessWindow& w = h.Window();
  if (!w.IsEnabled(id)) return false;
  if (w.IsControlVisible(id)) return w.UserClick(id);
  h.ClickHidden(id);
  return true;
}

bool ScriptedSession::SetCheck(int id, bool checked) {
  return h.Window().IsChecked(id) == checked || Click(id);
}

// Every control of the dialog, then OK or Cancel.
void ScriptedSession::QueueWatermark(const std::u16string& text, int font, int angle, int place,
                                     bool ok) {
  Then([this] { Click(IDC_WATERMARK_SETTINGS); });
  InDialog(IDD_WATERMARK, [=](headless::HeadlessWindow& d) {
    d.UserType(IDC_WM_TEXT, text);
    d.UserSelect(IDC_WM_FONT, font % std::max(1, d.ItemCount(IDC_WM_FONT)));
    d.UserSelect(IDC_WM_SIZE, 3);
    for (int id : {IDC_WM_BOLD, IDC_WM_ITALIC, IDC_WM_UNDERLINE, IDC_WM_TIME_STAMP, place}) {
      d.UserClick(id);
    }
    d.UserMoveSlider(IDC_WM_TRANSPARENCY, 40);
    d.UserMoveSlider(IDC_WM_ANGLE, angle);
    d.UserPickColor(IDC_WM_COLOR, 0x00FF8000u);
    d.UserClick(ok ? IDOK : IDCANCEL);
  });
}

void ScriptedSession::QueueMergeOptions(int mode, int place) {
  Then([this] { Click(IDC_MERGE_SETTINGS); });
  InDialog(IDD_MERGE_OPTIONS, [=](headless::HeadlessWindow& d) {
    d.UserClick(mode);
    d.UserClick(place);
    d.UserClick(IDOK);
  });
}

void ScriptedSession::QueueListCommand(int item, int command) {
  Then([this, item, command] {
    headless::HeadlessListView& list = steps::Thumbnails(h);
    if (item >= 0) {
      list.UserSelectOnly(item);
      list.UserDoubleClick(item);
    }
    list.menuChooser = [command](const headless::HeadlessListView::MenuShown&) { return command; };
    list.UserRightClick(item);
  });
}

// Auto capture, timed with a target of 5: `rounds` shots of values 0 .. 5.
// The values arrive once the step that hands them out returns; the run's
// hidden Stop and Start buttons and its End button follow.
void ScriptedSession::QueueAutoCapture(int rounds) {
  Then([this] {
    autoCaptureMark_ = HandedOverSoFar().size();
    SetCheck(IDC_MERGE, true);
    Select(IDC_AUTO_CAPTURE_MODE, 1);
    Click(IDC_CAPTURE);
  });
  Then([this, rounds] {
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    (void)hooks.AutoCaptureTick(h.dialog->MainDeviceIndex(), 6 * rounds);
  });
  InDialog(IDD_AUTO_CAPTURE, [](headless::HeadlessWindow& d) {
    d.Handler().OnCommand(IDC_AC_STOP, platform::kNotifyClicked);
    d.Handler().OnCommand(IDC_AC_START, platform::kNotifyClicked);
    d.UserClick(IDC_AC_END);
  });
  Then([this] {
    Select(IDC_AUTO_CAPTURE_MODE, 0);
    published_.push_back("auto capture:" + PublishedSince(autoCaptureMark_));
  });
}

void ScriptedSession::QueueCaptures() {
  // The secondary camera is on from the cameras' step.
  ThenPublishing("plain", [this] { Click(IDC_CAPTURE); });
  ThenPublishing("secondary button", [this] { Click(IDC_SECONDARY_CAPTURE); });
  ThenPublishing("multiple crop", [this] {
    Select(IDC_CROP_MODE, 2);
    Click(IDC_CAPTURE);
    Select(IDC_CROP_MODE, 0);
  });
  // The library keeps cropping although the list says none: its crop files
  // are published, and the secondary camera's picture after them. (A
  // session whose library already fails exports keeps its own rules.)
  ThenPublishing("crop the library kept", [this] {
    Select(IDC_CROP_MODE, 2);
    if (!hasFailureRules_) {
      (void)testing_support::KelpraHooks(h.dialog->Camera()).FailNext("camSetImageAutoCrop", 1, -5);
    }
    Select(IDC_CROP_MODE, 0);
    Click(IDC_CAPTURE);
    Select(IDC_CROP_MODE, 2);
    Select(IDC_CROP_MODE, 0);
  });
  ThenPublishing("both cameras merged", [this] {
    SetCheck(IDC_MERGE, true);
    Click(IDC_MERGE_HORIZONTAL);
    Click(IDC_CAPTURE);
    SetCheck(IDC_SECONDARY_CAMERA, false);
  });
  ThenPublishing("pair, first", [this] { Click(IDC_CAPTURE); });
  ThenPublishing("pair, second", [this] { Click(IDC_CAPTURE); });
  ThenPublishing("vertical pair", [this] {
    Click(IDC_MERGE_VERTICAL);
    Click(IDC_CAPTURE);
    Click(IDC_CAPTURE);
    SetCheck(IDC_MERGE, false);
  });
  ThenPublishing("secondary merge", [this] {
    SetCheck(IDC_SECONDARY_CAMERA, true);
    SetCheck(IDC_SECONDARY_MERGE, true);
    Click(IDC_CAPTURE);
    SetCheck(IDC_SECONDARY_MERGE, false);
    SetCheck(IDC_SECONDARY_CAMERA, false);
  });
  ThenPublishing("data source's request", [this] { h.dialog->CaptureOne(); });
  QueueAutoCapture(3);
}

void ScriptedSession::QueueProbeAndExit() {
  Then([this] {
    // The window still does what a user asks of it.
    headless::HeadlessWindow& w = h.Window();
    const bool rotates = w.UserSelect(IDC_ROTATE, 1) && w.Selection(IDC_ROTATE) == 1;
    (void)w.UserSelect(IDC_ROTATE, 0);
    headless::HeadlessWindow* window = h.host.ui.LastModal(IDD_CAPTURE_WINDOW);
    outcome_.usableAtEnd = window != nullptr && !window->IsModalEnded() && window->IsVisible() &&
                           rotates && w.ItemCount(IDC_LANGUAGE) > 0 && w.IsEnabled(IDC_CAPTURE) &&
                           w.IsControlVisible(IDC_CAPTURE);
  });
  Then([this] {
    if (h.Window().IsEnabled(IDC_EXIT)) {
      outcome_.reachedExit = h.Window().UserClick(IDC_EXIT);
    } else {
      h.Window().UserSysCommand(0xF060u);  // the close box
    }
  });
}

// Records of random kinds, sizes and contents, sent in turn to the
// receiving window and to the capture window: only the probes among them
// are answered, and the mode stays (204 changes it only for the exact
// keywords, which random text does not spell). That nothing else had an
// effect shows in the rest of the session, which publishes, asks and saves
// exactly what it does without them.
void ScriptedSession::SendHostileRecords() {
  std::mt19937 random(20260417);
  const int32_t uiMode = h.dialog->Link().UiMode();
  const size_t answeredBefore = h.dataSource.Received().size();
  size_t probes = 0;
  for (long i = 0; i < hostileRecords_; ++i) {
    const HostileRecord record = NextHostileRecord(random);
    const bool toLink = i % 2 == 0;
    probes += toLink && record.kind == kDSKindTextMessage && record.hasCode &&
              record.code == kDSCodeConnect;
    h.host.desktop.Send(toLink ? u"TWAINDSUIWINDOWS" : u"Prismel", record.kind,
                        record.data.empty() ? nullptr : record.data.data(),
                        static_cast<uint32_t>(record.data.size()));
    ASSERT_EQ(h.dialog->Link().UiMode(), uiMode) << "record " << i;
  }
  const std::vector<testing_support::ReceivedRecord>& received = h.dataSource.Received();
  ASSERT_EQ(received.size() - answeredBefore, probes);
  for (size_t i = answeredBefore; i < received.size(); ++i) {
    EXPECT_EQ(received[i].code, kDSCodeConnected);
  }
}

void ScriptedSession::QueueScript() {
  Then([this] {
    h.dataSource.SendCode(kDSCodeConnect);
    h.dataSource.SendCode(kDSCodeUiMode, u"SHOWUI");
    SendHostileRecords();
    DSScanSettings scan;
    scan.pixelType = 1;
    scan.resolution = 300.0f;
    scan.rotation = 2;
    scan.autoCrop = 1;
    h.dataSource.SendScanSettings(scan);
  });
  for (int id : {IDC_COLOR_MODE, IDC_CROP_MODE, IDC_ROTATE, IDC_FILE_FORMAT, IDC_UNIT,
                 IDC_FRAME_SIZE, IDC_AUTO_CAPTURE_MODE}) {
    Then([this, id] {
      for (int i = 0; i < h.Window().ItemCount(id); ++i) Select(id, i);
      Select(id, 0);
    });
  }
  Then([this] {
    for (int id : {IDC_HAND_CROP, IDC_FILL_BORDER}) {
      SetCheck(id, true);
      SetCheck(id, false);
    }
    SetCheck(IDC_FILL_BORDER, true);
    for (int id : kButtons) Click(id);
    // The choices the settings file is checked for at the end.
    Select(IDC_COLOR_MODE, 1);
    Select(IDC_FILE_FORMAT, 2);
  });
  // The thumbnail list: open, delete the last, clear.
  ThenPublishing("before delete", [this] {
    Click(IDC_CAPTURE);
    Click(IDC_CAPTURE);
  });
  QueueListCommand(1, CImageListCtrl::kDeleteCommand);
  ThenPublishing("before clear", [this] { Click(IDC_CAPTURE); });
  QueueListCommand(-1, CImageListCtrl::kClearCommand);
  ThenPublishing("after clear", [this] {
    Click(IDC_CAPTURE);
    Click(IDC_CAPTURE);
  });
  // Both cameras through every entry of their lists, the last ones first.
  Then([this] {
    const auto everyEntry = [this](int id) {
      for (int i = h.Window().ItemCount(id) - 1; i >= 0; --i) Select(id, i);
    };
    everyEntry(IDC_DEVICE);
    everyEntry(IDC_MEDIA_TYPE);
    SetCheck(IDC_SECONDARY_CAMERA, true);
    everyEntry(IDC_SECONDARY_DEVICE);
    everyEntry(IDC_SECONDARY_FRAME_SIZE);
  });
  Then([this] { SetCheck(IDC_WATERMARK, true); });
  QueueWatermark(kWatermarkText, 1, 90, IDC_WM_POS_TOP_LEFT, true);
  QueueWatermark(u"not kept", 0, 0, IDC_WM_POS_TOP, false);
  QueueMergeOptions(IDC_OUTSIDE_MODE, 1062);
  QueueMergeOptions(IDC_INSIDE_MODE, 1050);
  QueueCaptures();
  Then([this] {
    Select(IDC_LANGUAGE, h.LanguageIndex(u"DE"));
    Click(IDC_SAVE);
    h.dialog->OnMoving();
  });
  // The About box, from the system menu.
  Then([this] { h.Window().UserSysCommand(IDM_ABOUTBOX); });
  InDialog(IDD_ABOUTBOX, [](headless::HeadlessWindow& d) { d.UserClick(IDOK); });
  ThenPublishing("last", [this] { Click(IDC_CAPTURE); });
  QueueProbeAndExit();
}

void ScriptedSession::CheckPromises(const std::string& label) {
  SCOPED_TRACE(label);
  outcome_.started = h.dialog->IsStartUpComplete();
  const std::vector<testing_support::ReceivedRecord>& received = h.dataSource.Received();

  if (!outcome_.started) {
    // A window that did not start leaves the settings as they were.
    EXPECT_EQ(h.SettingsFileText(), settingsBefore_);
    for (const auto& record : received) EXPECT_NE(record.code, kDSCodeFile);
    return;
  }

  EXPECT_TRUE(outcome_.usableAtEnd) << "the window no longer did what it was asked";

  // The records: each file announced, the session ended with "END" and 212.
  std::vector<std::u16string> delivered;
  for (size_t i = 0; i < received.size(); ++i) {
    if (received[i].code != kDSCodeFile) continue;
    EXPECT_TRUE(i > 0 && received[i - 1].code == kDSCodeFileAnnouncement) << i;
    EXPECT_TRUE(received[i].fileExisted) << Ascii(received[i].text) << " did not exist";
    delivered.push_back(received[i].text);
  }
  const std::vector<std::u16string> published = h.dialog->Link().PendingFiles();
  outcome_.filesDelivered = delivered.size();
  ASSERT_GE(received.size(), 2u);
  EXPECT_EQ(received[received.size() - 2].code, kDSCodeBracket);
  EXPECT_EQ(received[received.size() - 2].text, u"END");
  EXPECT_EQ(received.back().code, kDSCodeFinishing);

  // Every published file that still exists reached the data source, once,
  // in order: at Exit in batch mode, at once one by one.
  std::vector<std::u16string> expected;
  std::copy_if(published.begin(), published.end(), std::back_inserter(expected),
               [this](const std::u16string& path) { return h.host.os.FileExists(path); });
  if (!h.dialog->Link().IsOneByOne()) {
    EXPECT_TRUE(outcome_.reachedExit || expected.empty()) << "files captured but never handed over";
    EXPECT_EQ(delivered, expected);
  }
  const std::set<std::u16string> unique(delivered.begin(), delivered.end());
  EXPECT_EQ(unique.size(), delivered.size()) << "a file was handed over twice";
  for (const std::u16string& path : delivered) {
    if (h.host.os.FileExists(path)) {
      EXPECT_TRUE(h.host.imaging.ReadImageSize(path).has_value()) << Ascii(path);
    }
  }
  // Every picture left in the work folder was handed over, or is one the
  // program keeps back by design: a source of a merge (given to
  // camCombineImage, whether that worked or not), the first picture of a
  // pair still waiting, or the secondary camera's shot of a multiple crop
  // ("2_N" beside a published "1_N_k").
  if (outcome_.reachedExit && h.dialog->Pipeline().WorkFolder()) {
    std::set<std::string> kept;
    const std::regex combine("camCombineImage\\(\"([^\"]*)\",\"([^\"]*)\".*");
    for (const std::string& line : h.CallLines()) {
      std::smatch sources;
      if (std::regex_match(line, sources, combine)) kept.insert({sources[1], sources[2]});
    }
    kept.insert(h.dialog->Pipeline().Pair().FirstPicture());
    std::set<std::string> cropped;
    for (const std::vector<std::u16string>& list : {published, delivered}) {
      for (const std::u16string& path : list) {
        if (NameWithoutNumbers(path).rfind("1_#_#", 0) != 0) continue;
        const std::string text = Ascii(path.substr(path.find_last_of(u"\\/") + 3));
        cropped.insert(text.substr(0, text.find('_')));
      }
    }
    const std::string& folder = *h.dialog->Pipeline().WorkFolder();
    for (const std::string& name : testing_support::SortedNames(headless::NativePath(folder))) {
      const std::string path = folder + "\\" + name;
      if (!IsPicture(name) || unique.count(h.host.os.AnsiToWide(path)) || kept.count(path)) {
        continue;
      }
      const bool cropSecondary =
          name.rfind("2_", 0) == 0 && cropped.count(name.substr(2, name.find('.') - 2));
      EXPECT_TRUE(cropSecondary) << name << " was captured but never handed over";
    }
  }

  // The settings file: present, readable, exactly as the writer writes it.
  const std::string text = h.SettingsFileText();
  settings::SessionSettings saved;
  ASSERT_TRUE(settings::LoadSessionSettingsFile(h.host.os,
                                                h.ProgramFile("LastSetting.xml").string(), saved))
      << text;
  EXPECT_EQ(text, settings::FormatSessionSettings(saved, h.host.os));
  EXPECT_EQ(saved.ShowUIUpdataOneByOne, h.dialog->Link().IsOneByOne() ? 1 : 0);
  // The choices of the scripted session, none of which needs the camera.
  EXPECT_EQ(saved.Language, "DE");
  EXPECT_EQ(saved.WaterMark.text, Ascii(kWatermarkText));
  EXPECT_EQ(saved.fileType, 2);
  EXPECT_EQ(saved.colorType, 1);
}

}  // namespace reliability
