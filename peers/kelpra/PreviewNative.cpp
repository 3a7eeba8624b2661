// Native builds have no windows to draw into: the preview keeps its state.
#include "Preview.h"

namespace kelpra {
namespace {

class StatePreview : public Preview {
 public:
  void Update(const PreviewPicture& picture) override { picture_ = picture; }

 private:
  PreviewPicture picture_;
};

}  // namespace

std::unique_ptr<Preview> Preview::Create(int32_t) { return std::make_unique<StatePreview>(); }

}  // namespace kelpra
