#include "capturewindow/WatermarkControls.h"

#include <string>

#include "dialogs/CWaterMarkDlg.h"
#include "resource.h"

namespace capturewindow {

WatermarkControls::WatermarkControls(CaptureContext& context) : context_(context) {}

void WatermarkControls::ApplyWatermark() {
  const bool on = context_.Controls().IsChecked(IDC_WATERMARK);
  options_.enabled = on;
  Send(on);
  ApplyEnableState(on);
}

void WatermarkControls::OnSettings() {
  CWaterMarkDlg dialog(context_.texts, options_);
  if (context_.platform.ui.RunModal(IDD_WATERMARK, dialog, &context_.Controls()) !=
      platform::kIdOk) {
    return;
  }
  options_ = dialog.Options();
  context_.window.RunHandler(IDC_WATERMARK);
}

void WatermarkControls::RefreshTimeStamp() {
  if (options_.enabled && options_.timeStamp) Send(true);
}

// The texts are converted to the ANSI code page at full length; characters
// it cannot hold become its default character. The colour components are
// clamped so that a stored value outside 0..255 reaches the library as the
// nearest valid one.
void WatermarkControls::Send(bool on) {
  const platform::Os& os = context_.platform.os;
  const WatermarkOptions& o = options_;
  std::string text, font;
  if (on) {
    text = os.WideToAnsi(dialogs::WatermarkTextAt(o, os.Now()));
    font = os.WideToAnsi(o.font);
  }
  (void)context_.camera.camSetImageWaterMark(
      context_.window.MainDeviceIndex(), text.c_str(), o.position, o.fontSize, font.c_str(),
      o.italic ? 1 : 0, o.underline ? 1 : 0, o.bold ? 1 : 0, o.angle, o.transparency,
      dialogs::ClampColorComponent(o.red), dialogs::ClampColorComponent(o.green),
      dialogs::ClampColorComponent(o.blue), on ? 1 : 0);
}

void WatermarkControls::ApplyEnableState(bool watermarkOn) {
  context_.Controls().Enable(IDC_WATERMARK_SETTINGS, watermarkOn);
}

void WatermarkControls::Restore(const settings::SessionSettings& saved) {
  const settings::WaterMarkSettings& w = saved.WaterMark;
  const platform::Os& os = context_.platform.os;
  options_.position = w.position;
  options_.text = os.AnsiToWide(w.text);
  options_.font = os.AnsiToWide(w.font);
  options_.fontSize = w.WordSize;
  options_.bold = w.isWeight;
  options_.italic = w.isItalic;
  options_.underline = w.isUnderline;
  options_.angle = static_cast<float>(w.angle);
  options_.transparency = static_cast<float>(w.transparency);
  options_.red = w.color.R;
  options_.green = w.color.G;
  options_.blue = w.color.B;
  options_.enabled = w.isEnable;
  options_.timeStamp = w.isAddTimeStamp;
}

void WatermarkControls::Collect(settings::SessionSettings& record) const {
  settings::WaterMarkSettings& w = record.WaterMark;
  const platform::Os& os = context_.platform.os;
  w.text = os.WideToAnsi(options_.text);
  w.font = os.WideToAnsi(options_.font);
  w.WordSize = options_.fontSize;
  w.isWeight = options_.bold;
  w.isItalic = options_.italic;
  w.isUnderline = options_.underline;
  w.color.R = options_.red;
  w.color.G = options_.green;
  w.color.B = options_.blue;
  w.transparency = dialogs::TruncateToInt(options_.transparency);
  w.angle = dialogs::TruncateToInt(options_.angle);
  w.position = options_.position;
  w.isAddTimeStamp = options_.timeStamp;
}

}  // namespace capturewindow
