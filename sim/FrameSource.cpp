#include "FrameSource.h"

#include <cairo.h>

#include <cstring>
#include <typeinfo>

#include "uikit/CALayer.h"
#include "uikit/UIImage.h"
#include "uikit/UITextField.h"
#include "uikit/UIView.h"
#include "uikit/ViewRenderer.h"

namespace vorlan {

namespace {

class Signature {
 public:
  template <typename T>
  void add(const T& value) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
    for (std::size_t i = 0; i < sizeof value; ++i) {
      hash_ ^= bytes[i];
      hash_ *= 1099511628211ull;
    }
  }
  // An object by its address: shared values (colours, paths) are replaced, never changed.
  void addObject(const void* object) { add(reinterpret_cast<std::uintptr_t>(object)); }
  void addText(const std::string& text) {
    add(text.size());
    for (const char c : text)
      add(c);
  }
  void addRect(const host::CGRect& rect) {
    add(rect.origin.x), add(rect.origin.y), add(rect.size.width), add(rect.size.height);
  }
  std::uint64_t value() const { return hash_; }

 private:
  std::uint64_t hash_ = 14695981039346656037ull;
};

// False when the view's picture cannot be told from its properties: something on it animates.
// Whether a view waits to be drawn is part of the signature: drawing clears it, so a view whose
// content changed since the last drawing signs differently, and one never drawn (hidden under a
// degenerate transform) keeps signing the same.
bool sign(host::UIView& view, Signature& signature) {
  signature.addObject(&view);
  signature.add(typeid(view).hash_code());
  signature.add(view.isHidden());
  if (view.isHidden()) return true;
  if (view.hasRunningAnimations()) return false;
  const double alpha = view.presentationAlpha();
  signature.add(alpha);
  if (!(alpha >= 0.01)) return true;
  signature.add(view.needsDisplay());
  signature.addRect(view.presentationBounds());
  const auto centre = view.presentationCenter();
  signature.add(centre.x), signature.add(centre.y);
  const auto t = view.presentationTransform();
  signature.add(t.a), signature.add(t.b), signature.add(t.c), signature.add(t.d);
  signature.add(t.tx), signature.add(t.ty);
  signature.addObject(view.presentationBackgroundColor().get());
  signature.addObject(view.tintColor().get());
  const host::CALayer& layer = *view.layer();
  signature.add(layer.anchorPoint().x), signature.add(layer.anchorPoint().y);
  signature.add(layer.zPosition()), signature.add(layer.cornerRadius());
  signature.add(layer.masksToBounds()), signature.add(layer.borderWidth());
  signature.addObject(layer.borderColor().get()), signature.addObject(layer.shadowColor().get());
  signature.add(layer.shadowOpacity()), signature.add(layer.shadowRadius());
  signature.add(layer.shadowOffset().width), signature.add(layer.shadowOffset().height);
  signature.addObject(layer.shadowPath().get());
  if (const auto& mask = layer.mask()) {
    signature.addObject(mask.get());
    signature.addRect(mask->presentationFrame());
    signature.add(mask->presentationOpacity());
    signature.addObject(mask->presentationBackgroundColor().get());
  }
  if (const auto* field = dynamic_cast<host::UITextField*>(&view)) {
    signature.addText(field->displayedText());
    signature.addObject(field->textColor().get());
    signature.add(field->isFirstResponder());
  }
  signature.add(view.subviews().size());
  for (const auto& subview : view.subviews()) {
    if (!sign(*subview, signature)) return false;
  }
  return true;
}

}  // namespace

std::string FrameSource::answer(const std::shared_ptr<host::UIView>& screen,
                                const std::vector<std::shared_ptr<host::UIView>>& overlays,
                                std::uint64_t known, bool force, double scale) {
  if (!screen) return std::string(ScreenFrame::kSame);
  host::UIView::layoutAllPending();
  const auto now = signature(*screen, overlays);
  const host::ViewRenderer renderer(scale);
  if (force || !last_ || !now || now != signature_ || last_->scale != renderer.scale()) {
    const auto image = renderer.renderToImage(screen, overlays);
    cairo_surface_t* surface = image ? image->cairoSurface() : nullptr;
    if (!surface) return last_ ? last_->encode() : std::string(ScreenFrame::kSame);
    ScreenFrame frame;
    frame.width = cairo_image_surface_get_width(surface);
    frame.height = cairo_image_surface_get_height(surface);
    frame.scale = renderer.scale();
    const int stride = cairo_image_surface_get_stride(surface);
    const auto* data = reinterpret_cast<const char*>(cairo_image_surface_get_data(surface));
    const std::size_t row = static_cast<std::size_t>(frame.width) * 4;
    frame.pixels.resize(row * frame.height);
    for (int y = 0; y < frame.height; ++y)
      std::memcpy(frame.pixels.data() + row * y, data + static_cast<std::size_t>(stride) * y, row);
    frame.hash = ScreenFrame::hashOf(frame.pixels);
    last_ = std::move(frame);
    // Drawing cleared what waited to be drawn: the signature now stands for this picture.
    signature_ = signature(*screen, overlays);
  }
  return last_->hash == known ? std::string(ScreenFrame::kSame) : last_->encode();
}

std::optional<std::uint64_t> FrameSource::signature(
    host::UIView& screen, const std::vector<std::shared_ptr<host::UIView>>& overlays) {
  Signature signature;
  if (!sign(screen, signature)) return std::nullopt;
  for (const auto& overlay : overlays) {
    if (overlay && !sign(*overlay, signature)) return std::nullopt;
  }
  return signature.value();
}

}  // namespace vorlan
