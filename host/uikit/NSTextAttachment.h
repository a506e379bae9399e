#pragma once

#include <memory>

#include "runtime/Object.h"

namespace host {

class Class;
class UIImage;

// A picture inside a text. In an attributed string it stands as the character U+FFFC carrying
// the attachment attribute, and takes the size of its image in points, sitting on the baseline.
class NSTextAttachment : public Object {
 public:
  static constexpr char16_t kCharacter = u'\uFFFC';

  static Class* objcClass();
  explicit NSTextAttachment(Class* cls = objcClass());

  static std::shared_ptr<NSTextAttachment> withImage(std::shared_ptr<UIImage> image);

  const std::shared_ptr<UIImage>& image() const { return image_; }
  void setImage(std::shared_ptr<UIImage> image) { image_ = std::move(image); }

 private:
  std::shared_ptr<UIImage> image_;
};

}  // namespace host
