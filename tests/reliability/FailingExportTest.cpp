// The scripted session once for each export, with a reference library that
// lacks it and with one whose every call of it fails. The window keeps
// working and nothing it published is lost.
#include "Figures.h"
#include "ScriptedSession.h"
#include "support/CameraExportList.h"

namespace reliability {
namespace {

void RunScript(const SessionSetup& setup, const std::string& name, const std::string& label,
               const std::string& figure) {
  ScriptedSession session(setup);
  // Only a library that cannot be initialised refuses the start-up, with a
  // message; there is no session to script then.
  const bool refused = name == "camInitCameraLib";
  if (!refused) session.QueueScript();
  session.Run();
  session.CheckPromises(label);
  EXPECT_EQ(session.Outcome().started, !refused);
  EXPECT_TRUE(!refused || !session.h.host.ui.messageBoxes.empty()) << "refused without a message";
  RecordFigure(figure, "1",
               session.Outcome().started
                   ? std::to_string(session.Outcome().filesDelivered) +
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
            Name(), "without " + Name(), "Missing " + Name());
}

TEST_P(FailingExport, TheWindowKeepsWorkingAndHandsEverythingOver) {
  // Every call fails: far more calls than a session makes.
  RunScript({"", "Fail=" + Name() + ",1000000,-7\n", Name().size() % 2 ? 1 : 0},
            Name(), Name() + " failing", "Failing " + Name());
}

const auto kExportName = [](const testing::TestParamInfo<size_t>& info) {
  return std::string(testing_support::kCameraExports[info.param].name);
};
const auto kEachExport = testing::Range<size_t>(0, std::size(testing_support::kCameraExports));
INSTANTIATE_TEST_SUITE_P(EachExport, MissingExport, kEachExport, kExportName);
INSTANTIATE_TEST_SUITE_P(EachExport, FailingExport, kEachExport, kExportName);

}  // namespace
}  // namespace reliability
