#pragma once

#include <memory>

namespace host {
class UIView;
}  // namespace host

namespace vorlan {

// The keypad's pop animations, shared by its dots, keys and delete key.

// Fades `view` in over duration / 5 and pops it from a tenth of its size past full size (1.2
// over `duration`) back to full size (over 3/4 of `duration`), after `delay` seconds.
void animateView(const std::shared_ptr<host::UIView>& view, double duration, double delay);

// Fades `view` out while shrinking it to a tenth over `duration`, after `delay` seconds; then
// gives it back its full size, invisible.
void animateForClosingView(const std::shared_ptr<host::UIView>& view, double duration,
                           double delay);

}  // namespace vorlan
