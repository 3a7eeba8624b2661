#include "support/ProgramFolder.h"

namespace testing_support {

ProgramFolder::ProgramFolder(headless::HeadlessOs& os, Options options) {
  namespace fs = std::filesystem;
  os.moduleFileName = folder_.String() + "\\Prismel.exe";
  fs::create_directories(folder_.Path() / "temp");
  os.tempPath = os.Utf8ToWide(folder_.String() + "/temp/");
  if (options.withLibrary) {
    const std::string library = !options.library.empty() ? options.library
                                : options.partialLibrary ? KELPRA_PARTIAL_LIBRARY_PATH
                                                         : KELPRA_LIBRARY_PATH;
    fs::copy_file(library, folder_.Path() / "Kelpra.dll");
  }
  fs::create_directories(folder_.Path() / "Language");
  for (const auto& file : fs::directory_iterator(PRISMEL_LANGUAGE_DIR)) {
    if (file.path().extension() == ".xml") {
      fs::copy_file(file.path(), folder_.Path() / "Language" / file.path().filename());
    }
  }
}

}  // namespace testing_support
