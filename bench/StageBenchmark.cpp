// The work the stage does while a finger moves or the list scrolls, on a main list of 40 cells
// with 1,000 stored cells: the cell swipe's handler for one Changed event (the content shift, the
// dimming, the gear and the root view's move) and the navigation-bar handler for one display
// frame, at rest and while the list scrolls. Both run at the display's rate, so each has a few
// microseconds of a 16.7 ms (8.3 ms at 120 Hz) frame; the finger's whole move through the touch
// pipeline is timed beside the handler as the yardstick.
#include <benchmark/benchmark.h>

#include "MainListSetting.h"
#include "hooks/CellSwipe.h"
#include "hooks/MainListStage.h"
#include "hooks/Vorlan3+Gestures.h"
#include "uikit/TouchInjector.h"
#include "uikit/UIApplication.h"
#include "uikit/UIPanGestureRecognizer.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UIView.h"
#include "uikit/UIWindow.h"

namespace {

using bench::MainListSetting;

constexpr int kMainCells = 40;
constexpr int kStored = 1000;

// A finger on the main list's second cell, 60 points into a leftward swipe.
class SwipeUnderWay {
 public:
  explicit SwipeUnderWay(MainListSetting& setting)
      : finger_(setting.app()->window()),
        cell_(setting.main()->table()->cellForRowAtIndexPath({0, 1})) {
    const auto frame = cell_->convertRectToView(cell_->bounds(), nullptr);
    from_ = {frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2};
    finger_.touchDown(from_);
    finger_.touchMove({from_.x - 10, from_.y});
    finger_.touchMove({from_.x - 70, from_.y});
  }
  // Lifts the finger and lets the swipe's close run to its end, which clears the swiped cell:
  // the next run's swipe then starts afresh.
  ~SwipeUnderWay() {
    finger_.touchCancel();
    host::RunLoop::main().advance(1);
  }
  SwipeUnderWay(const SwipeUnderWay&) = delete;
  SwipeUnderWay& operator=(const SwipeUnderWay&) = delete;

  // The cell's swipe recogniser, in the Changed state.
  std::shared_ptr<host::UIGestureRecognizer> recognizer() const {
    for (const auto& each : cell_->gestureRecognizers()) {
      if (each->state() == host::UIGestureRecognizerStateChanged) return each;
    }
    return nullptr;
  }
  void moveTo(double dx) { finger_.touchMove({from_.x + dx, from_.y}); }

 private:
  host::TouchInjector finger_;
  std::shared_ptr<host::UITableViewCell> cell_;
  host::CGPoint from_;
};

void BM_CellSwipeChangedEvent(benchmark::State& state) {
  MainListSetting setting(kMainCells, kStored);
  SwipeUnderWay swipe(setting);
  const auto recognizer = swipe.recognizer();
  if (!recognizer) {
    state.SkipWithError("the swipe did not begin");
    return;
  }
  const auto& main = setting.main();
  for (auto _ : state) {
    host::send<vorlan::hooks::gestures::HandlePanOnCell>(main, recognizer);
  }
  // Where the event put the root view: 60 points of travel, 40 of them taken by the cell.
  state.counters["rootX"] = vorlan::MainListStage::rootView()->frame().origin.x;
}

// The finger's move through the touch pipeline: hit test, the table's own pan, and the handler.
void BM_CellSwipeFingerMove(benchmark::State& state) {
  MainListSetting setting(kMainCells, kStored);
  SwipeUnderWay swipe(setting);
  double dx = -70;
  for (auto _ : state) {
    dx = dx == -70 ? -71 : -70;
    swipe.moveTo(dx);
  }
}

// What a frame of scrolling costs without the handler: the yardstick for the one below.
void BM_TableScroll(benchmark::State& state) {
  MainListSetting setting(kMainCells, kStored);
  const auto table = setting.main()->table();
  const double top = -table->contentInset().top;
  bool far = false;
  for (auto _ : state) {
    far = !far;
    table->setContentOffset({0, top + (far ? 101 : 100)});
  }
}

void navigationBarFrame(benchmark::State& state, bool scrolling) {
  MainListSetting setting(kMainCells, kStored);
  const auto& main = setting.main();
  const auto table = main->table();
  const double top = -table->contentInset().top;
  bool far = false;
  for (auto _ : state) {
    if (scrolling) {
      far = !far;
      table->setContentOffset({0, top + (far ? 101 : 100)});
    }
    host::send<vorlan::hooks::gestures::Offset>(main);
  }
}

void BM_NavigationBarFrameAtRest(benchmark::State& state) {
  navigationBarFrame(state, false);
}
void BM_NavigationBarFrameScrolling(benchmark::State& state) {
  navigationBarFrame(state, true);
}

}  // namespace

BENCHMARK(BM_CellSwipeChangedEvent);
BENCHMARK(BM_CellSwipeFingerMove);
BENCHMARK(BM_NavigationBarFrameAtRest);
BENCHMARK(BM_NavigationBarFrameScrolling);
BENCHMARK(BM_TableScroll);
