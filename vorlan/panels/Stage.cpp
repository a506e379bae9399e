#include "panels/Stage.h"

namespace vorlan {

namespace {

Stage*& currentStage() {
  static Stage* stage = nullptr;
  return stage;
}

}  // namespace

Stage* Stage::current() {
  return currentStage();
}

void Stage::setCurrent(Stage* stage) {
  currentStage() = stage;
}

}  // namespace vorlan
