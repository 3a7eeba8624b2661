// The scripted session once for each export, with a reference library that
// lacks it: the window keeps working and nothing it published is lost.
#include "Figures.h"
#include "ScriptedSession.h"
#include "support/CameraExportList.h"

namespace reliability {
namespace {

struct Export {
  const char* name;
  int index;
};

void PrintTo(const Export& e, std::ostream* out) { *out << e.name; }

std::vector<Export> AllExports() {
  std::vector<Export> exports;
  for (const testing_support::ExportSignature& e : testing_support::kCameraExports) {
    exports.push_back({e.name, static_cast<int>(exports.size())});
  }
  return exports;
}

class MissingExport : public testing::TestWithParam<Export> {};

TEST_P(MissingExport, TheWindowKeepsWorkingAndHandsEverythingOver) {
  const Export e = GetParam();
  // Both hand-off modes, in turn.
  ScriptedSession session(
      {std::string(KELPRA_VARIANT_DIR) + "/KelpraWithout_" + e.name + ".dll", "", e.index % 2});
  // Only a library that cannot be initialised refuses the start-up, with a
  // message; there is no session to script then.
  const bool refused = std::string(e.name) == "camInitCameraLib";
  if (!refused) session.QueueScript();
  session.Run();
  session.CheckPromises(std::string("without ") + e.name);
  EXPECT_EQ(session.Outcome().started, !refused);
  EXPECT_TRUE(!refused || !session.h.host.ui.messageBoxes.empty()) << "refused without a message";
  RecordFigure(std::string("Missing ") + e.name, "1",
               session.Outcome().started
                   ? std::to_string(session.Outcome().filesDelivered) +
                         " files handed over, settings intact, window usable"
                   : "start-up refused with a message, settings untouched");
}

INSTANTIATE_TEST_SUITE_P(EachExport, MissingExport, testing::ValuesIn(AllExports()),
                         [](const testing::TestParamInfo<Export>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace reliability
