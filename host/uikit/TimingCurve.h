#pragma once

namespace host {

// A cubic Bézier timing curve from (0, 0) to (1, 1) with two control points, as Core Animation's
// media timing functions: maps the elapsed fraction of an animation to the fraction of the change
// shown.
class TimingCurve {
 public:
  TimingCurve(double x1, double y1, double x2, double y2);

  static TimingCurve linear() { return {0, 0, 1, 1}; }
  static TimingCurve easeIn() { return {0.42, 0, 1, 1}; }
  static TimingCurve easeOut() { return {0, 0, 0.58, 1}; }
  static TimingCurve easeInOut() { return {0.42, 0, 0.58, 1}; }

  // The curve's value at elapsed fraction `t`, clamped to 0...1.
  double valueAt(double t) const;

 private:
  double sampleX(double s) const { return ((ax_ * s + bx_) * s + cx_) * s; }
  double sampleY(double s) const { return ((ay_ * s + by_) * s + cy_) * s; }
  double sampleDerivativeX(double s) const { return (3 * ax_ * s + 2 * bx_) * s + cx_; }
  // The curve parameter at which x equals `x`.
  double solveX(double x) const;

  // Polynomial coefficients of the curve's x and y.
  double ax_, bx_, cx_, ay_, by_, cy_;
};

}  // namespace host
