#include "uikit/NSTextAttachment.h"

#include "runtime/Runtime.h"
#include "uikit/UIImage.h"

namespace host {

Class* NSTextAttachment::objcClass() {
  static Class* const cls = Runtime::shared().defineClass("NSTextAttachment", Object::objcClass(),
                                                          factoryFor<NSTextAttachment>());
  return cls;
}

NSTextAttachment::NSTextAttachment(Class* cls) : Object(cls) {}

std::shared_ptr<NSTextAttachment> NSTextAttachment::withImage(std::shared_ptr<UIImage> image) {
  auto attachment = std::make_shared<NSTextAttachment>();
  attachment->image_ = std::move(image);
  return attachment;
}

}  // namespace host
