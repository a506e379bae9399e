#include "support/Snapshot.h"

#include <filesystem>
#include <string>

#include "render/RenderSupport.h"

namespace host {
namespace {

class SnapshotFacility : public RenderTest {
 protected:
  // A 40 x 30 picture: red with a blue square in its middle.
  std::shared_ptr<UIView> picture(double blue = 1) {
    auto view = std::make_shared<UIView>();
    view->setFrame({0, 0, 40, 30});
    view->setBackgroundColor(red());
    auto square = std::make_shared<UIView>();
    square->setFrame({10, 5, 20, 20});
    square->setBackgroundColor(UIColor::colorWithRed(0, 0, blue, 1));
    view->addSubview(square);
    return view;
  }
};

TEST_F(SnapshotFacility, MatchesItsReferenceWithinTheTolerance) {
  EXPECT_SNAPSHOT(picture(), "square");
  // 3 of 255 off in one channel over a third of the picture still matches.
  EXPECT_SNAPSHOT(picture(252.0 / 255), "square");
}

TEST_F(SnapshotFacility, AMismatchFailsAndWritesTheActualAndTheDifference) {
  const auto result = vorlan::testing::matchesSnapshot(picture(0.5), "square");
  ASSERT_FALSE(result);
  const std::string message = result.message();
  EXPECT_NE(message.find("pixels differ"), std::string::npos) << message;
  for (const char* kind : {"square.actual.png", "square.diff.png"}) {
    const auto path = std::filesystem::path(VORLAN_SNAPSHOT_FAILURES) / "SnapshotFacility" / kind;
    EXPECT_NE(message.find(path.string()), std::string::npos) << message;
    EXPECT_TRUE(std::filesystem::exists(path)) << path;
  }
}

TEST_F(SnapshotFacility, AMissingReferenceOrAnotherSizeFails) {
  const auto missing = vorlan::testing::matchesSnapshot(picture(), "never-recorded");
  ASSERT_FALSE(missing);
  EXPECT_NE(std::string(missing.message()).find("no reference picture"), std::string::npos);

  auto wider = picture();
  wider->setFrame({0, 0, 41, 30});
  const auto resized = vorlan::testing::matchesSnapshot(wider, "square");
  ASSERT_FALSE(resized);
  EXPECT_NE(std::string(resized.message()).find("size 82x60 instead of 80x60"), std::string::npos)
      << resized.message();
}

}  // namespace
}  // namespace host
