#include "platform/headless/HeadlessUi.h"

#include <algorithm>

#include "DialogTables.h"
#include "platform/headless/TextConversions.h"

namespace headless {

int HeadlessUi::RunModal(int templateId, platform::DialogHandler& handler,
                         platform::Window* /*owner*/) {
  const DialogTemplate* dialogTemplate = FindDialogTemplate(templateId);
  if (dialogTemplate == nullptr) return -1;
  modalTemplatesRun.push_back(templateId);

  auto window = std::make_unique<HeadlessWindow>(*dialogTemplate, handler, nullptr, desktop_);
  modalStack_.push_back(window.get());
  lastModal_.emplace_back(templateId, window.get());
  handler.AttachWindow(window.get());
  (void)handler.OnInitDialog();
  // A modal dialog is shown once its loop runs, unless it already ended.
  if (!window->IsModalEnded()) window->Show(true);
  if (onModalOpened && !window->IsModalEnded()) onModalOpened(*window);

  while (!window->IsModalEnded()) {
    if (RunOnePostedTask()) continue;
    if (!steps_.empty()) {
      auto step = std::move(steps_.front());
      steps_.pop_front();
      step();
      continue;
    }
    ++idleCloses;
    window->UserClose();
    if (!window->IsModalEnded()) window->EndModal(platform::kIdCancel);
  }

  const int result = window->ModalResult();
  window->Destroy();
  modalStack_.pop_back();
  lastModal_.erase(std::remove_if(lastModal_.begin(), lastModal_.end(),
                                  [&](const auto& e) { return e.second == window.get(); }),
                   lastModal_.end());
  return result;
}

std::unique_ptr<platform::Window> HeadlessUi::CreateModeless(int templateId,
                                                             platform::DialogHandler& handler,
                                                             platform::Window* parent) {
  const DialogTemplate* dialogTemplate = FindDialogTemplate(templateId);
  if (dialogTemplate == nullptr) return nullptr;
  if (std::find(refusedTemplates.begin(), refusedTemplates.end(), templateId) !=
      refusedTemplates.end()) {
    return nullptr;
  }
  auto window = std::make_unique<HeadlessWindow>(
      *dialogTemplate, handler, static_cast<HeadlessWindow*>(parent), desktop_);
  handler.AttachWindow(window.get());
  (void)handler.OnInitDialog();
  return window;
}

std::u16string HeadlessUi::LoadString(int stringId) {
#define HEADLESS_STRING(id, text) \
  if (stringId == (id)) return Utf8ToUtf16(text);
  STRING_TABLE(HEADLESS_STRING)
#undef HEADLESS_STRING
  return {};
}

void HeadlessUi::ShowMessageBox(platform::Window* /*owner*/, const std::u16string& text) {
  messageBoxes.push_back(text);
  if (onMessageBox) onMessageBox(text);
}

void HeadlessUi::Post(std::function<void()> task) {
  std::lock_guard<std::mutex> lock(postedMutex_);
  posted_.push_back(std::move(task));
}

void HeadlessUi::BeginBusy() {
  if (++busyDepth == 1 && onBusyChange) onBusyChange(true);
}

void HeadlessUi::EndBusy() {
  if (busyDepth == 0) {
    ++unmatchedBusyEnds;
    return;
  }
  if (--busyDepth == 0 && onBusyChange) onBusyChange(false);
}

bool HeadlessUi::RunOnePostedTask() {
  std::function<void()> task;
  {
    std::lock_guard<std::mutex> lock(postedMutex_);
    if (posted_.empty()) return false;
    task = std::move(posted_.front());
    posted_.pop_front();
  }
  task();
  return true;
}

int HeadlessUi::RunPostedTasks() {
  int count = 0;
  while (RunOnePostedTask()) ++count;
  return count;
}

HeadlessWindow* HeadlessUi::ActiveModal() const {
  return modalStack_.empty() ? nullptr : modalStack_.back();
}

HeadlessWindow* HeadlessUi::LastModal(int templateId) const {
  for (auto it = lastModal_.rbegin(); it != lastModal_.rend(); ++it) {
    if (it->first == templateId) return it->second;
  }
  return nullptr;
}

}  // namespace headless
