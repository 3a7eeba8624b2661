// A whole session of the capture window, run the way a user and the data
// source would: every handler in a fixed order. Afterwards it checks
// what the program promises whatever the camera library does: the window
// kept working, every published file reached the data source, and the
// settings file is whole.
#pragma once

#include <string>
#include <vector>

#include "capturewindow/CaptureWindowHarness.h"

namespace reliability {

struct SessionSetup {
  // The library installed as Kelpra.dll; empty: the full reference library.
  std::string library;
  // More lines for the [Library] section of Kelpra.ini (failure rules).
  std::string libraryLines;
  // The hand-off: 0 batch, 1 one by one.
  int handOff = 0;
  // Random records another process sends at the start (see QueueScript).
  long hostileRecords = 0;
};

// What the session ended with, for the checks and the report.
struct SessionOutcome {
  bool started = false;
  bool reachedExit = false;  // the user could finish with Exit
  bool usableAtEnd = false;  // the window answered the last probe
  size_t filesDelivered = 0;
};

class ScriptedSession {
 public:
  explicit ScriptedSession(const SessionSetup& setup);

  // Every handler in a fixed order, ending with the probe and Exit.
  void QueueScript();
  void Run() { h.Run(); }

  // The promises; each broken one is a test failure naming `label`.
  void CheckPromises(const std::string& label);
  const SessionOutcome& Outcome() const { return outcome_; }
  // One line per publishing step of the scripted session, e.g.
  // "plain: 1_#.bmp 2_#.bmp" (numbers as '#'), for the run with the full library.
  const std::vector<std::string>& Published() const { return published_; }

  using Step = std::function<void()>;
  // Queues a step, a moment after the one before.
  void Then(Step step);
  // A double click and then a right click on item `item` (-1: a right
  // click on empty space), choosing `command`.
  void QueueListCommand(int item, int command);
  // A timed auto-capture run of `rounds` shots, with its Stop, Start and
  // End; its published files make a line of Published().
  void QueueAutoCapture(int rounds);

  CaptureWindowHarness h;

 private:
  // Queues a step that runs in the modal dialog `dialog`, if that is the
  // one up then (a failure may have kept it from opening).
  void InDialog(int dialog, std::function<void(headless::HeadlessWindow&)> step);
  // Queues a capture-like step and notes which files it published.
  void ThenPublishing(const std::string& what, Step step);

  // What a user does, where the control can be used: hidden controls are
  // reached as the data source's WM_COMMAND reaches them; disabled ones
  // are left alone.
  bool Select(int id, int index);
  bool Click(int id);
  bool SetCheck(int id, bool checked);

  // The dialogs and the thumbnail list.
  void QueueWatermark(const std::u16string& text, int font, int angle, int place, bool ok);
  void QueueMergeOptions(int mode, int place);
  void QueueCaptures();
  void QueueProbeAndExit();
  void SendHostileRecords();

  std::vector<std::u16string> HandedOverSoFar() const;
  std::string PublishedSince(size_t mark) const;

  bool hasFailureRules_ = false;
  long hostileRecords_ = 0;
  size_t autoCaptureMark_ = 0;
  std::string settingsBefore_;
  SessionOutcome outcome_;
  std::vector<std::string> published_;
};

}  // namespace reliability
