#include "capture/CapturePipeline.h"

#include "capture/WorkFolder.h"

namespace capture {

CapturePipeline::CapturePipeline(CaptureContext& context) : context_(context) {}

void CapturePipeline::PrepareWorkFolder() {
  workFolder_ = RecreateWorkFolder(context_.platform.os, context_.camera);
}

}  // namespace capture
