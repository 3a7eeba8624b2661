// What a window built from a dialog template does, the same on the headless
// platform and on real Win32 windows: lists and their selection, check and
// radio groups, sliders and progress bars, states and texts, the tab order,
// the click key, a change of DPI, open lists as wide as their items, the
// wait cursor, names and tips, and the list view's keys and drops. Where the
// platforms may differ (the dialog font's size, texts measured or estimated)
// it asserts a relation.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "contract/ContractPlatform.h"
#include "resource.h"

namespace {

using Commands = std::vector<std::pair<int, int>>;
using Texts = std::vector<std::u16string>;
using platform::kKeySpace;
using platform::kNotifyClicked;
using namespace std::string_literals;

struct Recorder : platform::DialogHandler {
  bool OnInitDialog() override { return true; }
  void OnCommand(int id, int code) override { commands.emplace_back(id, code); }
  void OnDpiChanged() override { ++dpiChanges; }
  Commands commands;
  int dpiChanges = 0;
};

class WindowContract : public ::testing::Test {
 protected:
  void TearDown() override {
    while (!windows_.empty()) windows_.pop_back();
  }
  // A shown window of the template, with a handler of its own.
  platform::Window& Open(int templateId, platform::Window* owner = nullptr) {
    handlers_.push_back(std::make_unique<Recorder>());
    windows_.push_back(p->Ui().CreateModeless(templateId, *handlers_.back(), owner));
    if (windows_.back() == nullptr) ADD_FAILURE() << "no window of template " << templateId;
    windows_.back()->Show(true);
    return *windows_.back();
  }
  Commands& CommandsOf(size_t window) { return handlers_[window]->commands; }
  static Texts Items(platform::Window& w, int id) {
    Texts items;
    for (int i = 0; i < w.ItemCount(id); ++i) items.push_back(w.ItemText(id, i));
    return items;
  }
  // A list's selection and the text it shows.
  static std::pair<int, std::u16string> Chosen(platform::Window& w, int id) {
    return {w.Selection(id), w.Text(id)};
  }

  std::unique_ptr<contract::ContractPlatform> p = contract::MakeContractPlatform();
  std::vector<std::unique_ptr<Recorder>> handlers_;

 private:
  std::vector<std::unique_ptr<platform::Window>> windows_;
};

}  // namespace

// Dialog units become pixels by the base units of the dialog's font: 6 x 13
// natively, the font's own on Windows. They are measured from the capture
// window's size (739 x 369 units); the other frames and the controls then
// lie where their units put them.
TEST_F(WindowContract, TemplatesGiveTheirSizesCaptionsPlacesAndStates) {
  platform::Window& w = Open(IDD_CAPTURE_WINDOW);
  const double x = w.ClientRect().Width() / 739.0, y = w.ClientRect().Height() / 369.0;
  EXPECT_TRUE(x > 1.2 && x < 2.1 && y > 1.4 && y < 2.1) << x << " x " << y;
  const auto near = [](int pixels, int units, double scale) {
    EXPECT_NEAR(pixels, units * scale, 2.0) << units << " units";
  };
  for (const auto& [id, caption, width, height] :
       {std::tuple{IDD_ABOUTBOX, u"About Prismel", 200, 62},
        std::tuple{IDD_MERGE_OPTIONS, u"Webcam Merge Setting", 220, 172},
        std::tuple{IDD_WATERMARK, u"Watermark Setting", 250, 224},
        std::tuple{IDD_AUTO_CAPTURE, u"Auto Capture", 200, 74},
        std::tuple{IDD_MERGE_PREVIEW, u"", 300, 123}}) {
    platform::Window& other = Open(id);
    EXPECT_EQ(other.Caption(), caption);
    near(other.ClientRect().Width(), width, x);
    near(other.ClientRect().Height(), height, y);
  }
  near(w.ControlRect(IDC_PREVIEW_AREA).left, 183, x);
  near(w.ControlRect(IDC_PREVIEW_AREA).bottom, 7 + 297, y);
  near(w.ControlRect(IDC_CAPTURE).right, 684 + 42, x);
  // An open list's width, measured through the window alone: the difference
  // two lists of one item each make is the width of the text one adds.
  const int control = w.ControlRect(IDC_FRAME_SIZE).Width();
  const auto openWith = [&](const Texts& items) {
    w.ClearItems(IDC_FRAME_SIZE);
    for (const auto& item : items) w.InsertItem(IDC_FRAME_SIZE, 0, item);
    return w.DroppedListWidth(IDC_FRAME_SIZE);
  };
  const std::u16string item(30, u'm');
  const int once = openWith({item});
  const int text = openWith({item + item}) - once;
  EXPECT_GT(once, control);
  EXPECT_GE(once, text + 16) << "room for the text, its margins and a scroll bar";
  EXPECT_LE(once, text + 40);
  EXPECT_EQ(openWith({u"1x1", item, u"640x480"}), once) << "the longest item decides";
  EXPECT_EQ(openWith({u"1x1"}), control) << "never narrower than the control";
  EXPECT_EQ(openWith({}), control);

  openWith({item});
  const platform::Rect area = w.ControlRect(IDC_PREVIEW_AREA);
  p->MoveToDpi(w, 144);
  EXPECT_EQ(handlers_[0]->dpiChanges, 1);
  const platform::Rect scaled = w.ControlRect(IDC_PREVIEW_AREA);
  EXPECT_NEAR(scaled.left, area.left * 1.5, 1);
  EXPECT_NEAR(scaled.bottom, area.bottom * 1.5, 1);
  const int larger = w.DroppedListWidth(IDC_FRAME_SIZE);
  EXPECT_TRUE(larger > once * 13 / 10 && larger < once * 17 / 10) << larger << " after " << once;
  EXPECT_TRUE(w.IsControlVisible(IDC_CAPTURE) && w.IsEnabled(IDC_CAPTURE));
  EXPECT_TRUE(!w.IsControlVisible(IDC_AUTO_CAPTURE) && w.IsEnabled(IDC_AUTO_CAPTURE));
  EXPECT_TRUE(!w.IsControlVisible(IDC_DEVICE_SETTINGS) && !w.IsEnabled(IDC_DEVICE_SETTINGS));
  w.Enable(IDC_CAPTURE, false);
  w.ShowControl(IDC_SAVE, false);
  w.ShowControl(IDC_AUTO_CAPTURE, true);
  w.Show(false);
  EXPECT_FALSE(w.IsVisible() || w.IsEnabled(IDC_CAPTURE) || w.IsControlVisible(IDC_SAVE));
  EXPECT_TRUE(w.IsControlVisible(IDC_AUTO_CAPTURE)) << "a control keeps its own state";
  // An id the template lacks reads as nothing.
  w.SetText(4711, u"x");
  EXPECT_FALSE(w.HasControl(4711) || w.IsEnabled(4711) || w.IsControlVisible(4711) ||
               w.IsChecked(4711) || w.ItemCount(4711) || w.SliderPosition(4711) ||
               w.DroppedListWidth(4711) || w.ListViewControl(IDC_SAVE));
  EXPECT_EQ(Chosen(w, 4711), std::make_pair(-1, u""s));
}

// Texts long enough for any path, in every script, of every kind of control.
TEST_F(WindowContract, ListsKeepTheirSelectionEditableOnesTheirTextAndTextsComeBackWhole) {
  platform::Window& w = Open(IDD_CAPTURE_WINDOW);
  EXPECT_EQ(Chosen(w, IDC_ROTATE), std::make_pair(-1, u""s));
  EXPECT_EQ(w.AddItem(IDC_ROTATE, u"0°"), 0);
  EXPECT_EQ(w.AddItem(IDC_ROTATE, u"90°"), 1);
  EXPECT_EQ(w.InsertItem(IDC_ROTATE, 0, u"270°"), 0);
  w.SetSelection(IDC_ROTATE, 2);
  // An item inserted before the selected one moves the selection with it.
  EXPECT_EQ(w.InsertItem(IDC_ROTATE, 1, u"180°"), 1);
  EXPECT_EQ(Chosen(w, IDC_ROTATE), std::make_pair(3, u"90°"s));
  EXPECT_EQ(Items(w, IDC_ROTATE), (Texts{u"270°", u"180°", u"0°", u"90°"}));
  EXPECT_EQ(w.ItemText(IDC_ROTATE, 4) + w.ItemText(IDC_ROTATE, -1), u"") << "no such items";
  w.SetSelection(IDC_ROTATE, 4);
  EXPECT_EQ(w.Selection(IDC_ROTATE), 3) << "past the list the selection stays";
  w.SetSelection(IDC_ROTATE, -1);
  EXPECT_EQ(Chosen(w, IDC_ROTATE), std::make_pair(-1, u""s));
  p->Select(w, IDC_ROTATE, 1);
  // Code's selections were silent.
  EXPECT_EQ(CommandsOf(0), (Commands{{IDC_ROTATE, platform::kNotifySelectionChange}}));
  EXPECT_EQ(Chosen(w, IDC_ROTATE), std::make_pair(1, u"180°"s));
  w.ClearItems(IDC_ROTATE);
  EXPECT_EQ(Chosen(w, IDC_ROTATE), std::make_pair(-1, u""s));
  EXPECT_EQ(w.ItemCount(IDC_ROTATE), 0);

  platform::Window& d = Open(IDD_WATERMARK);
  std::u16string text;
  while (text.size() < 1000) text += u"Entwurf \u00E4 \u6C34\u5370 ";
  for (int id : {IDC_WM_TEXT, IDC_WM_FONT_LABEL, IDC_WM_BOLD, IDOK, IDC_WM_FONT}) {
    d.SetText(id, text);
    EXPECT_EQ(d.Text(id), text) << id;
  }
  d.SetCaption(text);
  EXPECT_EQ(d.Caption(), text);
  d.SetChosenColor(IDC_WM_COLOR, 0xFF123456u);
  EXPECT_EQ(d.ChosenColor(IDC_WM_COLOR), 0x00123456u);

  for (const char16_t* size : {u"8", u"10", u"12"}) d.AddItem(IDC_WM_SIZE, size);
  d.SetSelection(IDC_WM_SIZE, 1);
  EXPECT_EQ(d.Text(IDC_WM_SIZE), u"10");
  d.SetText(IDC_WM_SIZE, u"48");
  EXPECT_EQ(d.Text(IDC_WM_SIZE), u"48");
  p->Select(d, IDC_WM_SIZE, 2);
  EXPECT_EQ(Chosen(d, IDC_WM_SIZE), std::make_pair(2, u"12"s));
  d.SetSelection(IDC_WM_SIZE, -1);
  EXPECT_EQ(d.Text(IDC_WM_SIZE), u"");
  d.SetText(IDC_WM_SIZE, u"48");
  d.ClearItems(IDC_WM_SIZE);
  EXPECT_EQ(d.Text(IDC_WM_SIZE), u"");

  d.AddSystemFontNames(IDC_WM_FONT);
  Texts names = Items(d, IDC_WM_FONT);
  ASSERT_GE(names.size(), 2u);
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_NE(names[i][0], u'@') << "no vertical variants";
    for (char16_t& c : names[i]) c = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    EXPECT_TRUE(i == 0 || names[i - 1] < names[i]) << "sorted without case, once";
  }
}

TEST_F(WindowContract, ClicksToggleCheckBoxesAndRadioGroupsAndSlidersKeepToTheirRanges) {
  const struct {
    int templateId, first, second;
  } groups[] = {{IDD_WATERMARK, IDC_WM_POS_TOP_LEFT, IDC_WM_POS_BOTTOM_RIGHT},
                {IDD_MERGE_OPTIONS, IDC_OUTSIDE_LEFT_UPPER, IDC_INSIDE_BOTTOM_LEFT},
                {IDD_CAPTURE_WINDOW, IDC_MERGE_VERTICAL, IDC_MERGE_HORIZONTAL}};
  for (size_t i = 0; i < 3; ++i) {
    const auto [templateId, first, second] = groups[i];
    platform::Window& w = Open(templateId);
    // Code's check is silent and unchecks the group as a click does.
    w.SetChecked(first, true);
    w.SetChecked(second, true);
    EXPECT_FALSE(w.IsChecked(first)) << templateId;
    w.SetChecked(second, false);
    EXPECT_FALSE(w.IsChecked(first) || w.IsChecked(second)) << templateId;
    w.SetChecked(first, true);
    p->Click(w, second);
    EXPECT_TRUE(w.IsChecked(second) && !w.IsChecked(first)) << templateId;
    EXPECT_EQ(CommandsOf(i), (Commands{{second, kNotifyClicked}}));
  }
  platform::Window& w = Open(IDD_WATERMARK);
  p->Click(w, IDC_WM_BOLD);
  EXPECT_TRUE(w.IsChecked(IDC_WM_BOLD));
  p->Click(w, IDC_WM_BOLD);
  p->Click(w, IDOK);
  EXPECT_FALSE(w.IsChecked(IDC_WM_BOLD) || w.IsChecked(IDOK));

  // Sliders and progress bars stay within their ranges.
  platform::Window& a = Open(IDD_AUTO_CAPTURE);
  w.SetSliderRange(IDC_WM_ANGLE, 0, 360);
  a.SetProgressRange(IDC_AC_PROGRESS, 0, 5);
  EXPECT_EQ(a.ProgressPosition(IDC_AC_PROGRESS), 0);
  for (const auto& [set, slider, progress] : {std::tuple{3, 3, 3}, std::tuple{400, 360, 5},
                                              std::tuple{-5, 0, 0}, std::tuple{300, 300, 5}}) {
    w.SetSliderPosition(IDC_WM_ANGLE, set);
    a.SetProgressPosition(IDC_AC_PROGRESS, set);
    EXPECT_EQ(w.SliderPosition(IDC_WM_ANGLE), slider) << set;
    EXPECT_EQ(a.ProgressPosition(IDC_AC_PROGRESS), progress) << set;
  }
  w.SetSliderRange(IDC_WM_ANGLE, 0, 100);
  EXPECT_EQ(w.SliderPosition(IDC_WM_ANGLE), 100);
  p->SlideToEnd(w, IDC_WM_ANGLE, false);
  EXPECT_EQ(w.SliderPosition(IDC_WM_ANGLE), 0);
  p->SlideToEnd(w, IDC_WM_ANGLE, true);
  EXPECT_EQ(w.SliderPosition(IDC_WM_ANGLE), 100);
  // The user's clicks and two moves, and none of the code's changes.
  EXPECT_EQ(CommandsOf(3), (Commands{{IDC_WM_BOLD, kNotifyClicked},
                                     {IDC_WM_BOLD, kNotifyClicked},
                                     {IDOK, kNotifyClicked},
                                     {IDC_WM_ANGLE, platform::kNotifyPositionChange},
                                     {IDC_WM_ANGLE, platform::kNotifyPositionChange}}));
}

// The lists, the colour button, the check boxes, the sliders, the radios,
// the fields and the buttons take the focus; labels, groups, frames, panes
// and progress bars do not.
TEST_F(WindowContract, TabTakesTheGivenOrderThenTheTemplatesOwnAndTheClickKeyClicksItsControl) {
  EXPECT_EQ(p->TabStops(Open(IDD_AUTO_CAPTURE)),
            (std::vector<int>{IDC_AC_START, IDC_AC_END, IDC_AC_STOP}));
  EXPECT_EQ(p->TabStops(Open(IDD_MERGE_PREVIEW)), std::vector<int>{});
  const std::vector<int> watermark = p->TabStops(Open(IDD_WATERMARK));
  ASSERT_EQ(watermark.size(), 21u);
  EXPECT_EQ(std::vector<int>(watermark.begin(), watermark.begin() + 8),
            (std::vector<int>{IDC_WM_FONT, IDC_WM_SIZE, IDC_WM_COLOR, IDC_WM_BOLD, IDC_WM_ITALIC,
                              IDC_WM_UNDERLINE, IDC_WM_TRANSPARENCY, IDC_WM_ANGLE}));
  platform::Window& w = Open(IDD_CAPTURE_WINDOW);
  w.SetTabOrder({IDC_ROTATE, IDC_MERGE_VERTICAL, IDC_MERGE_HORIZONTAL, IDC_SAVE});
  const std::vector<int> stops = p->TabStops(w);
  ASSERT_EQ(stops.size(), 36u);
  EXPECT_EQ(std::vector<int>(stops.begin(), stops.begin() + 6),
            (std::vector<int>{IDC_ROTATE, IDC_MERGE_VERTICAL, IDC_MERGE_HORIZONTAL, IDC_SAVE,
                              IDC_COLOR_MODE, IDC_CROP_MODE}));
  EXPECT_EQ(stops.back(), IDC_FILL_BORDER);
  // The click key clicks its control, except in typing and only in its window.
  w.SetClickKey(kKeySpace, IDC_CAPTURE);
  p->PressKey(w, IDC_COLOR_MODE, kKeySpace);
  p->PressKey(w, IDC_HAND_CROP, kKeySpace);
  w.Enable(IDC_CAPTURE, false);
  p->PressKey(w, IDC_HAND_CROP, kKeySpace);
  EXPECT_FALSE(w.IsChecked(IDC_HAND_CROP)) << "the key clicks Capture instead";
  EXPECT_EQ(CommandsOf(3), (Commands(2, {IDC_CAPTURE, kNotifyClicked})));
  platform::Window& d = Open(IDD_WATERMARK, &w);
  d.SetText(IDC_WM_TEXT, u"Draft");
  p->PressKey(d, IDC_WM_TEXT, kKeySpace);
  EXPECT_EQ(d.Text(IDC_WM_TEXT), u"Draft ");
  p->PressKey(d, IDC_WM_BOLD, kKeySpace);
  EXPECT_TRUE(d.IsChecked(IDC_WM_BOLD));
  EXPECT_EQ(CommandsOf(4), (Commands{{IDC_WM_BOLD, kNotifyClicked}}));
  // Without the click key Space presses the button that has the focus.
  w.SetClickKey(0, IDC_CAPTURE);
  p->PressKey(w, IDC_SAVE, kKeySpace);
  EXPECT_EQ(CommandsOf(3).size(), 3u);
  EXPECT_EQ(CommandsOf(3).back(), std::make_pair(IDC_SAVE, kNotifyClicked));
}



TEST_F(WindowContract, TheWaitCursorNamesTipsAndListViewEventsAreWhatUsersAndOtherProgramsFind) {
  platform::Window& w = Open(IDD_CAPTURE_WINDOW);
  {
    platform::BusyScope outer(p->Ui());
    { platform::BusyScope inner(p->Ui()); }
    EXPECT_TRUE(p->ShowsWaitCursor(w));
  }
  EXPECT_FALSE(p->ShowsWaitCursor(w));

  EXPECT_EQ(p->AccessibleName(w, IDC_BEST_FIT), u"Best") << "a button's caption";
  w.SetAccessibleName(IDC_ZOOM_IN, u"Zoom in");
  w.SetAccessibleName(IDC_ZOOM_IN, u"Vergrößern");
  EXPECT_EQ(p->AccessibleName(w, IDC_ZOOM_IN), u"Vergrößern");
  platform::Window& host = Open(IDD_MAIN_PREVIEW_HOST, &w);
  host.SetAccessibleName(platform::kWholeWindow, u"Live picture");
  EXPECT_EQ(p->AccessibleName(host, platform::kWholeWindow), u"Live picture");

  w.SetToolTip(IDC_ZOOM_OUT, u"Zoom out");
  w.SetToolTip(IDC_CAPTURE, u"Space bar: capture");
  w.SetToolTip(IDC_CAPTURE, u"空格键：拍照");
  EXPECT_EQ(p->ToolTip(w, IDC_ZOOM_OUT), u"Zoom out");
  w.SetToolTip(IDC_ZOOM_OUT, u"");
  EXPECT_EQ(std::make_pair(p->ToolTip(w, IDC_ZOOM_OUT), p->ToolTip(w, IDC_CAPTURE)),
            std::make_pair(u""s, u"空格键：拍照"s));

  // A list view reports its keys and drops for the items they concern.
  platform::ListView* list = w.ListViewControl(IDC_THUMBNAILS);
  ASSERT_NE(list, nullptr);
  // Pictures almost as wide as the list: one item under the other.
  const int width = list->ClientWidth() - 30;
  list->SetImageSize(width, 40);
  const platform::RgbImage grey{width, 40, std::vector<uint8_t>(size_t(width) * 40 * 3, 128)};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(list->AddImage(grey), i);
    EXPECT_EQ(list->InsertItem(99, std::u16string(1, u"abc"[i]), i), i) << "placed at the end";
  }
  list->RemoveImage(0);
  EXPECT_EQ(list->ImageCount(), 2);
  EXPECT_EQ(std::make_pair(list->ItemText(2), list->ItemText(3)), std::make_pair(u"c"s, u""s));
  EXPECT_EQ(list->ItemImage(2), 2);
  std::vector<std::tuple<platform::ListViewEvent, int, int>> events;
  list->SetEventHandler([&](platform::ListViewEvent event, int item, int place) {
    events.emplace_back(event, item, place);
  });
  list->SetItemSelected(2, true);
  list->SetFocusedItem(2);
  EXPECT_EQ(std::make_pair(list->NextSelected(-1), list->SelectionMark()), std::make_pair(2, 2));
  p->ListKey(w, IDC_THUMBNAILS, platform::kKeyLeft, true);
  p->ListKey(w, IDC_THUMBNAILS, platform::kKeyLeft, false);
  p->ListKey(w, IDC_THUMBNAILS, platform::kKeyDelete, false);
  list->SetItemSelected(2, false);
  p->ListKey(w, IDC_THUMBNAILS, platform::kKeyZ, true);
  p->ListDrag(w, IDC_THUMBNAILS, 2, 0);
  p->ListDrag(w, IDC_THUMBNAILS, 0, 3);
  list->SetItemsMovable(false);
  p->ListDrag(w, IDC_THUMBNAILS, 1, 0);
  using E = platform::ListViewEvent;
  EXPECT_EQ(events, (decltype(events){{E::MoveEarlierKey, 2, -1},
                                      {E::DeleteKey, 2, -1},
                                      {E::UndoKey, -1, -1},
                                      {E::Drop, 2, 0},
                                      {E::Drop, 0, 3}}));
  EXPECT_TRUE(list->DeleteItem(1) && !list->DeleteItem(5));
  EXPECT_EQ(list->ItemText(1), u"c");
}

