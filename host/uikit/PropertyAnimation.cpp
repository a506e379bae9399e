#include "uikit/PropertyAnimation.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

#include "uikit/AnimationTransaction.h"
#include "uikit/UIColor.h"

namespace host {

namespace {

double mix(double from, double to, double f) {
  return from + (to - from) * f;
}

// A linear map split into rotation · shear · scale, plus the translation.
struct Decomposed {
  double scaleX, scaleY, shear, angle, tx, ty;
};

Decomposed decompose(const CGAffineTransform& t) {
  Decomposed out{};
  out.tx = t.tx;
  out.ty = t.ty;
  out.scaleX = std::hypot(t.a, t.b);
  out.angle = out.scaleX > 0 ? std::atan2(t.b, t.a) : 0;
  // The second column turned back by the angle is (shear · scaleY, scaleY).
  const double cosine = std::cos(out.angle);
  const double sine = std::sin(out.angle);
  const double u = cosine * t.c + sine * t.d;
  const double v = -sine * t.c + cosine * t.d;
  out.scaleY = v;
  out.shear = v != 0 ? u / v : 0;
  return out;
}

CGAffineTransform recompose(const Decomposed& p) {
  const double cosine = std::cos(p.angle);
  const double sine = std::sin(p.angle);
  return {cosine * p.scaleX,
          sine * p.scaleX,
          cosine * p.shear * p.scaleY - sine * p.scaleY,
          sine * p.shear * p.scaleY + cosine * p.scaleY,
          p.tx,
          p.ty};
}

CGAffineTransform mixTransforms(const CGAffineTransform& from, const CGAffineTransform& to,
                                double f) {
  const Decomposed a = decompose(from);
  const Decomposed b = decompose(to);
  double turn = b.angle - a.angle;
  if (turn > std::numbers::pi) turn -= 2 * std::numbers::pi;
  if (turn < -std::numbers::pi) turn += 2 * std::numbers::pi;
  return recompose({mix(a.scaleX, b.scaleX, f), mix(a.scaleY, b.scaleY, f),
                    mix(a.shear, b.shear, f), a.angle + turn * f, mix(a.tx, b.tx, f),
                    mix(a.ty, b.ty, f)});
}

std::shared_ptr<UIColor> mixColors(const std::shared_ptr<UIColor>& from,
                                   const std::shared_ptr<UIColor>& to, double f) {
  // No colour is transparent black.
  const auto clear = UIColor::colorWithWhite(0, 0);
  const UIColor& a = from ? *from : *clear;
  const UIColor& b = to ? *to : *clear;
  return UIColor::colorWithRed(mix(a.red(), b.red(), f), mix(a.green(), b.green(), f),
                               mix(a.blue(), b.blue(), f), mix(a.alpha(), b.alpha(), f));
}

}  // namespace

PropertyAnimation::PropertyAnimation(AnimatedProperty property, AnimatedValue from,
                                     AnimatedValue to, Timing timing,
                                     std::shared_ptr<AnimationTransaction> transaction)
    : property_(property),
      from_(std::move(from)),
      to_(std::move(to)),
      timing_(timing),
      transaction_(std::move(transaction)) {}

double PropertyAnimation::endTime() const {
  if (timing_.repeats) return std::numeric_limits<double>::infinity();
  return timing_.beginTime + timing_.duration * (timing_.autoreverses ? 2 : 1);
}

double PropertyAnimation::fractionAt(double now) const {
  const double elapsed = now - timing_.beginTime;
  if (elapsed <= 0 || timing_.duration <= 0) return elapsed > 0 ? 1 : 0;
  double cycles = elapsed / timing_.duration;
  if (!timing_.repeats) cycles = std::min(cycles, timing_.autoreverses ? 2.0 : 1.0);
  double whole = std::floor(cycles);
  double part = cycles - whole;
  if (part == 0 && whole > 0) {  // the end of a cycle, not the start of the next
    part = 1;
    whole -= 1;
  }
  const bool backwards = timing_.autoreverses && static_cast<long long>(whole) % 2 == 1;
  const double eased = timing_.curve.valueAt(part);
  return backwards ? 1 - eased : eased;
}

AnimatedValue PropertyAnimation::valueAt(double now) const {
  return interpolate(from_, to_, fractionAt(now));
}

AnimatedValue PropertyAnimation::interpolate(const AnimatedValue& from, const AnimatedValue& to,
                                             double f) {
  if (from.index() != to.index()) return to;
  return std::visit(
      [&](const auto& a) -> AnimatedValue {
        using T = std::decay_t<decltype(a)>;
        const T& b = std::get<T>(to);
        if constexpr (std::is_same_v<T, double>) {
          return mix(a, b, f);
        } else if constexpr (std::is_same_v<T, CGPoint>) {
          return CGPoint{mix(a.x, b.x, f), mix(a.y, b.y, f)};
        } else if constexpr (std::is_same_v<T, CGRect>) {
          return CGRectMake(mix(a.origin.x, b.origin.x, f), mix(a.origin.y, b.origin.y, f),
                            mix(a.size.width, b.size.width, f),
                            mix(a.size.height, b.size.height, f));
        } else if constexpr (std::is_same_v<T, CGAffineTransform>) {
          return mixTransforms(a, b, f);
        } else {
          return mixColors(a, b, f);
        }
      },
      from);
}

}  // namespace host
