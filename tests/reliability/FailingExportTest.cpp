// The scripted session with each export failing on every call, and a long
// run of random actions with failures injected at random.
#include "Figures.h"
#include "ScriptedSession.h"
#include "support/CameraExportList.h"

namespace reliability {
namespace {

std::vector<std::string> ExportNames() {
  std::vector<std::string> names;
  for (const testing_support::ExportSignature& e : testing_support::kCameraExports) {
    names.push_back(e.name);
  }
  return names;
}

class FailingExport : public testing::TestWithParam<std::string> {};

TEST_P(FailingExport, TheWindowKeepsWorkingAndHandsEverythingOver) {
  const std::string& name = GetParam();
  // Every call fails: far more calls than a session makes.
  ScriptedSession session({"", "Fail=" + name + ",1000000,-7\n", name.size() % 2 ? 1 : 0});
  // Only a library that cannot be initialised refuses the start-up, with a
  // message; there is no session to script then.
  const bool refused = name == "camInitCameraLib";
  if (!refused) session.QueueScript();
  session.Run();
  session.CheckPromises(name + " failing");
  EXPECT_EQ(session.Outcome().started, !refused);
  EXPECT_TRUE(!refused || !session.h.host.ui.messageBoxes.empty()) << "refused without a message";
  RecordFigure("Failing " + name, "1",
               session.Outcome().started
                   ? std::to_string(session.Outcome().filesDelivered) +
                         " files handed over, settings intact, window usable"
                   : "start-up refused with a message, settings untouched");
}

INSTANTIATE_TEST_SUITE_P(EachExport, FailingExport, testing::ValuesIn(ExportNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

class RandomFailures : public testing::TestWithParam<int> {};

TEST_P(RandomFailures, RandomActionsWithInjectedFailuresLoseNothing) {
  const long steps = RunLength("RANDOM_STEPS", 2000);
  ScriptedSession session({"", "", GetParam()});
  session.QueueRandomSteps(20260417, static_cast<int>(steps), true);
  session.Run();
  session.CheckPromises("random failures, seed 20260417");
  // The last capture leaves a thumbnail, so the user finishes with Exit and
  // every file still waiting is handed over.
  EXPECT_TRUE(session.Outcome().reachedExit);
  EXPECT_GT(session.Outcome().filesDelivered, 0u);
  // In batch mode only the pictures still listed at Exit are handed over;
  // the random deletes and clears take most of them before.
  const SessionOutcome& outcome = session.Outcome();
  RecordFigure(std::string("Random actions and failures, seed 20260417, ") +
                   (GetParam() ? "one by one" : "batch"),
               std::to_string(steps) + " steps",
               (GetParam() ? std::to_string(outcome.filesDelivered) + " pictures handed over as taken"
                           : std::to_string(outcome.filesPublished) + " pictures taken, " +
                                 std::to_string(outcome.filesDelivered) +
                                 " still listed at Exit handed over") +
                   ", settings intact, window usable");
}

INSTANTIATE_TEST_SUITE_P(HandOff, RandomFailures, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& info) {
                           return info.param ? "OneByOne" : "Batch";
                         });

}  // namespace
}  // namespace reliability
