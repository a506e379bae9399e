#include "hooks/CellSwipe.h"

#include "uikit/UITableViewCell.h"

namespace vorlan {

CellSwipe& CellSwipe::shared() {
  static CellSwipe* const swipe = new CellSwipe();
  return *swipe;
}

}  // namespace vorlan
