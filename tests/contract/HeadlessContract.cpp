// The window contract on the headless platform: its windows, its own user
// actions and what it records of names, tips and the busy scopes.
#include "contract/ContractPlatform.h"
#include "platform/headless/HeadlessUi.h"

namespace contract {
namespace {

using headless::HeadlessWindow;

HeadlessWindow& H(platform::Window& window) { return static_cast<HeadlessWindow&>(window); }

headless::HeadlessListView& List(platform::Window& window, int id) {
  return static_cast<headless::HeadlessListView&>(*window.ListViewControl(id));
}

class HeadlessContract : public ContractPlatform {
 public:
  platform::Ui& Ui() override { return ui_; }

  void Click(platform::Window& w, int id) override { H(w).UserClick(id); }
  void Select(platform::Window& w, int id, int index) override { H(w).UserSelect(id, index); }
  void SlideToEnd(platform::Window& w, int id, bool end) override {
    const headless::HeadlessControl& slider = *H(w).Find(id);
    H(w).UserMoveSlider(id, end ? slider.sliderMaximum : slider.sliderMinimum);
  }
  void PressKey(platform::Window& w, int focusId, int key) override {
    H(w).UserPressKey(focusId, key);
  }
  void MoveToDpi(platform::Window& w, int dpi) override { H(w).UserMoveToDpi(dpi); }
  void ListKey(platform::Window& w, int id, int key, bool control) override {
    List(w, id).UserPressKey(key, control);
  }
  void ListDrag(platform::Window& w, int id, int item, int place) override {
    List(w, id).UserDrag(item, place);
  }

  std::vector<int> TabStops(platform::Window& w) override { return H(w).TabOrder(); }
  std::u16string AccessibleName(platform::Window& w, int id) override {
    return H(w).AccessibleName(id);
  }
  std::u16string ToolTip(platform::Window& w, int id) override { return H(w).ToolTip(id); }
  bool ShowsWaitCursor(platform::Window& /*w*/) override { return ui_.busyDepth > 0; }

 private:
  headless::HeadlessDesktop desktop_;
  headless::HeadlessUi ui_{desktop_};
};

}  // namespace

std::unique_ptr<ContractPlatform> MakeContractPlatform() {
  return std::make_unique<HeadlessContract>();
}

}  // namespace contract
