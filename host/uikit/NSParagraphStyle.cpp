#include "uikit/NSParagraphStyle.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

HOST_CLASS(NSParagraphStyle, Object)

NSParagraphStyle::NSParagraphStyle(Class* cls) : Object(cls) {}

std::shared_ptr<NSParagraphStyle> NSParagraphStyle::defaultParagraphStyle() {
  return std::make_shared<NSParagraphStyle>();
}

std::shared_ptr<NSParagraphStyle> NSParagraphStyle::withAlignment(NSTextAlignment alignment) {
  auto style = std::make_shared<NSParagraphStyle>();
  style->setAlignment(alignment);
  return style;
}

}  // namespace host
