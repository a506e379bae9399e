#include "uikit/TimingCurve.h"

#include <cmath>

namespace host {

TimingCurve::TimingCurve(double x1, double y1, double x2, double y2) {
  cx_ = 3 * x1;
  bx_ = 3 * (x2 - x1) - cx_;
  ax_ = 1 - cx_ - bx_;
  cy_ = 3 * y1;
  by_ = 3 * (y2 - y1) - cy_;
  ay_ = 1 - cy_ - by_;
}

double TimingCurve::solveX(double x) const {
  constexpr double kEpsilon = 1e-9;
  // Newton's method converges fast where the slope is not flat...
  double s = x;
  for (int i = 0; i < 8; ++i) {
    const double error = sampleX(s) - x;
    if (std::abs(error) < kEpsilon) return s;
    const double slope = sampleDerivativeX(s);
    if (std::abs(slope) < 1e-6) break;
    s -= error / slope;
  }
  // ...bisection always does, since x grows monotonically over 0...1.
  double low = 0, high = 1;
  s = x;
  while (high - low > kEpsilon) {
    const double value = sampleX(s);
    if (std::abs(value - x) < kEpsilon) return s;
    if (value < x) {
      low = s;
    } else {
      high = s;
    }
    s = (low + high) / 2;
  }
  return s;
}

double TimingCurve::valueAt(double t) const {
  if (!(t > 0)) return 0;
  if (t >= 1) return 1;
  return sampleY(solveX(t));
}

}  // namespace host
