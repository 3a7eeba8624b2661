// The scripted session with the full reference library: every handler
// runs, and each press of Capture publishes exactly what its path makes,
// although another process first sends thousands of random records.
#include "Figures.h"
#include "ScriptedSession.h"

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
  EXPECT_EQ(session.h.host.ui.messageBoxes,
            std::vector<std::u16string>(2, u"Busy being used"));
  RecordFigure(GetParam() ? "Scripted session, one by one" : "Scripted session, batch",
               "1, after " + std::to_string(hostile) + " hostile records",
               std::to_string(session.Outcome().filesDelivered) +
                   " files handed over, settings intact, window usable");
}

INSTANTIATE_TEST_SUITE_P(HandOff, FullSession, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& info) {
                           return info.param ? "OneByOne" : "Batch";
                         });

}  // namespace
}  // namespace reliability
