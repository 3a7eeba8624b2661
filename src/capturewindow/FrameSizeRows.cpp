#include "capturewindow/FrameSizeRows.h"

#include <cmath>
#include <string>

namespace capturewindow {
namespace {

constexpr int32_t kUsualDpi = 96;

void AppendNumber(std::u16string& text, int value) {
  for (char c : std::to_string(value)) text.push_back(static_cast<char16_t>(c));
}

const ResolutionLabel* FindLabel(const std::vector<ResolutionLabel>& labels, int width,
                                 int height) {
  for (const ResolutionLabel& row : labels) {
    if (row.width == width && row.height == height) return &row;
  }
  return nullptr;
}

bool SameSize(const ResolutionEntry& row, int width, int height) {
  return row.width == width && row.height == height;
}

// Width, height, index and video format of `from`; the DPI stays.
void TakeSize(ResolutionEntry& to, const ResolutionEntry& from) {
  to.width = from.width;
  to.height = from.height;
  to.index = from.index;
  to.mediaType = from.mediaType;
}

}  // namespace

std::vector<ResolutionLabel> MakeResolutionLabelTable() {
  return {
      {5376, 4032, u"21MP"},    {4912, 3680, u"18MP"},  {4480, 3360, u"15MP"},
      {4224, 3000, u"12MP"},    {3856, 2764, u"10MP"},  {3664, 2744, u"10MP"},
      {3264, 2448, u"8MP"},     {3840, 2160, u"8MP"},   {2592, 1944, u"5MP"},
      {2112, 1568, u"3.3MP"},   {2048, 1536, u"3MP"},   {1920, 1080, u"HD-1080"},
      {1600, 1200, u"2MP"},     {1280, 1024, u"1.3MP"}, {1280, 720, u"HD-720"},
      {1024, 768, u"SVGA"},     {800, 600, u"SVGA"},    {640, 480, u"VGA"},
  };
}

std::vector<int> MakeDpiList() { return {300, 260, 250, 200, 100}; }

int PlausibleCount(int32_t reported) {
  if (reported < 0) return 0;
  return reported > kMaxListedCount ? kMaxListedCount : static_cast<int>(reported);
}

bool OffersDpiUnit(const NativeDpiRecord& native) {
  return native.horizontalDpi > 0 && native.horizontalDpi != kUsualDpi && native.width > 0;
}

std::vector<ResolutionEntry> LabelAndFilter(const std::vector<ResolutionEntry>& read,
                                            const std::vector<ResolutionLabel>& labels) {
  std::vector<ResolutionEntry> kept;
  if (labels.empty()) return kept;
  const ResolutionLabel& largest = labels.front();
  for (const ResolutionEntry& entry : read) {
    if (const ResolutionLabel* label = FindLabel(labels, entry.width, entry.height)) {
      kept.push_back(entry);
      kept.back().label = label->label;
    } else if (entry.width > largest.width && entry.height > largest.height) {
      kept.push_back(entry);
      kept.back().label.clear();
    }
  }
  return kept;
}

std::vector<ResolutionEntry> DpiRows(const std::vector<ResolutionEntry>& cameraSizes,
                                     const std::vector<int>& dpiList,
                                     const NativeDpiRecord& native) {
  if (cameraSizes.empty() || native.width <= 0) return {};
  std::vector<ResolutionEntry> rows;
  for (int dpi : dpiList) {
    ResolutionEntry row;
    TakeSize(row, cameraSizes.front());
    row.dpi = dpi;
    rows.push_back(row);
  }

  // The cursor moves on when a size falls short of its DPI; that size is
  // not used for the next DPI either. A size that reaches the cursor's DPI
  // binds to it, and a later one that also reaches it replaces it.
  size_t cursor = 0;
  size_t next = 0;
  for (; next < cameraSizes.size() && cursor < rows.size(); ++next) {
    const ResolutionEntry& size = cameraSizes[next];
    const double effectiveDpi = std::trunc(static_cast<double>(native.horizontalDpi) *
                                           size.width / native.width);
    if (effectiveDpi < rows[cursor].dpi) {
      ++cursor;
    } else {
      TakeSize(rows[cursor], size);
    }
  }
  // Sizes ran out first: the DPI values still open take the last size.
  if (next == cameraSizes.size()) {
    for (; cursor < rows.size(); ++cursor) TakeSize(rows[cursor], cameraSizes.back());
  }
  return rows;
}

std::u16string RowText(const ResolutionEntry& row, int unit) {
  std::u16string text;
  if (unit == kUnitPixels) {
    AppendNumber(text, row.width);
    text.push_back(u'x');
    AppendNumber(text, row.height);
    if (!row.label.empty()) text += u"(" + row.label + u")";
  } else if (unit == kUnitDpi) {
    AppendNumber(text, row.dpi);
  }
  return text;
}

std::u16string SecondaryRowText(int width, int height) {
  std::u16string text;
  AppendNumber(text, width);
  text += u" x ";
  AppendNumber(text, height);
  return text;
}

RowChoice ChoosePixelRow(const std::vector<ResolutionEntry>& rows, int savedWidth,
                         int savedHeight) {
  RowChoice choice;
  if (rows.empty()) return choice;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (SameSize(rows[i], savedWidth, savedHeight)) choice.row = static_cast<int>(i);
  }
  if (choice.row >= 0) return choice;  // the camera was opened at that size
  choice.row = 0;
  choice.setSize = true;
  return choice;
}

RowChoice ChooseDpiRow(const std::vector<ResolutionEntry>& rows, int savedDpi, int savedWidth,
                       int savedHeight) {
  RowChoice choice;
  for (size_t i = 0; i < rows.size() && choice.row < 0; ++i) {
    if (rows[i].dpi == savedDpi) choice.row = static_cast<int>(i);
  }
  if (choice.row < 0) choice.row = kDefaultDpiRow;
  if (choice.row >= static_cast<int>(rows.size())) return RowChoice{};
  choice.setDpi = true;
  choice.setSize = !SameSize(rows[choice.row], savedWidth, savedHeight);
  return choice;
}

int ChooseSecondaryRow(const std::vector<ResolutionEntry>& rows, int currentWidth,
                       int currentHeight) {
  if (rows.empty()) return -1;
  int choice = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (SameSize(rows[i], currentWidth, currentHeight)) choice = static_cast<int>(i);
  }
  return choice;
}

}  // namespace capturewindow
