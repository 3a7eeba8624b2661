// Bmp files as the thumbnail list and the merge preview's panes read them:
// the header, the thumbnail cell and the pane picture from arbitrary bytes.
#include "StreamFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return stream_fuzz::Run(data, size, streaming::PictureFormat::Bmp);
}
