// The scripted session with the full reference library, after thousands of
// random records from another process: every handler runs, and each press
// of Capture publishes exactly what its path makes. Then the same session
// once for each export, with a reference library that lacks it and with one
// whose every call of it fails: the window keeps working and nothing it
// published is lost.
#include "Figures.h"
#include "ScriptedSession.h"
#include "support/CameraExportList.h"

namespace reliability {
namespace {

using Lines = std::vector<std::string>;

// Worked out from the capture paths: the secondary camera is on for the
// first four presses; the secondary file takes the format list's PNG.
const Lines kPublished = {
    "before delete: 1_#.bmp 1_#.bmp",
    "before clear: 1_#.bmp",
    "after clear: 1_#.bmp 1_#.bmp",
    "plain: 1_#.bmp 2_#.bmp",
    "secondary button: 2_#.png",
    "multiple crop: 1_#_#.bmp 1_#_#.bmp",
    "crop the library kept: 1_#_#.bmp 1_#_#.bmp 2_#.bmp",
    "both cameras merged: Merge_#.bmp",
    "pair, first:",
    "pair, second: Merge_#.bmp",
    "vertical pair: Merge_#.bmp",
    "secondary merge: Merge_#.bmp",
    "data source's request: 1_#.bmp",
    "auto capture: 1_#.bmp 1_#.bmp 1_#.bmp",
    "last: 1_#.bmp",
};

class FullSession : public testing::TestWithParam<int> {};

TEST_P(FullSession, EveryHandlerRunsAndEveryFileIsHandedOver) {
  const long hostile = RunLength("HOSTILE_RECORDS", 10000);
  ScriptedSession session({"", "", GetParam(), hostile});
  session.QueueScript();
  session.Run();
  session.CheckPromises(GetParam() ? "one by one" : "batch");
  EXPECT_EQ(session.Published(), kPublished);
  EXPECT_TRUE(session.Outcome().reachedExit);
  // Deleted and cleared files are not handed over; one by one, they were
  // handed over before the user removed them.
  EXPECT_EQ(session.Outcome().filesDelivered, GetParam() ? 22u : 19u);
  // Choosing the camera that is already open, once in each device list.
  EXPECT_EQ(session.h.host.ui.messageBoxes, std::vector<std::u16string>(2, u"Busy being used"));
  RecordFigure(GetParam() ? "Scripted session, one by one" : "Scripted session, batch",
               "1, after " + std::to_string(hostile) + " hostile records",
               std::to_string(session.Outcome().filesDelivered) +
                   " files handed over, settings intact, window usable");
}

INSTANTIATE_TEST_SUITE_P(HandOff, FullSession, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& info) {
                           return info.param ? "OneByOne" : "Batch";
                         });

// `figure` names the scenario in the figures and in the test's failures.
void RunScript(const SessionSetup& setup, const std::string& name, const std::string& figure) {
  ScriptedSession session(setup);
  // Only a library that cannot be initialised refuses the start-up, with a
  // message; there is no session to script then.
  const bool refused = name == "camInitCameraLib";
  if (!refused) session.QueueScript();
  session.Run();
  session.CheckPromises(figure);
  EXPECT_EQ(session.Outcome().started, !refused);
  EXPECT_TRUE(!refused || !session.h.host.ui.messageBoxes.empty()) << "refused without a message";
  RecordFigure(figure, "1",
               session.Outcome().started ? std::to_string(session.Outcome().filesDelivered) +
                                               " files handed over, settings intact, window usable"
                                         : "start-up refused with a message, settings untouched");
}

class EachExport : public testing::TestWithParam<size_t> {
 protected:
  std::string Name() const { return testing_support::kCameraExports[GetParam()].name; }
};
class MissingExport : public EachExport {};
class FailingExport : public EachExport {};

TEST_P(MissingExport, TheWindowKeepsWorkingAndHandsEverythingOver) {
  // Both hand-off modes, in turn.
  RunScript({std::string(KELPRA_VARIANT_DIR) + "/KelpraWithout_" + Name() + ".dll", "",
             static_cast<int>(GetParam() % 2)},
            Name(), "Missing " + Name());
}

TEST_P(FailingExport, TheWindowKeepsWorkingAndHandsEverythingOver) {
  // Every call fails: far more calls than a session makes.
  RunScript({"", "Fail=" + Name() + ",1000000,-7\n", Name().size() % 2 ? 1 : 0}, Name(),
            "Failing " + Name());
}

const auto kExportName = [](const testing::TestParamInfo<size_t>& info) {
  return std::string(testing_support::kCameraExports[info.param].name);
};
const auto kEachExport = testing::Range<size_t>(0, std::size(testing_support::kCameraExports));
INSTANTIATE_TEST_SUITE_P(EachExport, MissingExport, kEachExport, kExportName);
INSTANTIATE_TEST_SUITE_P(EachExport, FailingExport, kEachExport, kExportName);

}  // namespace
}  // namespace reliability
