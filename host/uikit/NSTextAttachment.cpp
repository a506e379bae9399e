#include "uikit/NSTextAttachment.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIImage.h"

namespace host {

HOST_CLASS(NSTextAttachment, Object)

NSTextAttachment::NSTextAttachment(Class* cls) : Object(cls) {}

std::shared_ptr<NSTextAttachment> NSTextAttachment::withImage(std::shared_ptr<UIImage> image) {
  auto attachment = std::make_shared<NSTextAttachment>();
  attachment->image_ = std::move(image);
  return attachment;
}

}  // namespace host
