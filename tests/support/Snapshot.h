#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace host {
class UIImage;
class UIView;
}  // namespace host

namespace vorlan::testing {

// Snapshot tests: what a view draws is compared with a reference picture kept in the source tree,
// tests/snapshots/<test suite>/<name>.png.
//
// Two pixels match when no channel (red, green, blue, alpha) differs by more than
// `channelTolerance`; the picture matches when the sizes agree and at most `allowedFraction` of its
// pixels do not. On a mismatch (or a missing reference) the test fails and names two files it
// writes into the build folder, snapshot-failures/<suite>/<name>.actual.png and .diff.png (the
// differing pixels red over a faded copy of the reference).
//
// With VORLAN_RECORD_SNAPSHOTS=1 in the environment the references are written instead, and each
// recording test fails with the path it wrote, so that a recording run is never taken for a
// passing one. Look at every recorded picture before committing it.
struct SnapshotOptions {
  double scale = 2;  // pixels a point, as on the default device
  int channelTolerance = 16;
  double allowedFraction = 0.002;
};

// The view (and its subviews) drawn at its current presentation values, laid out first.
::testing::AssertionResult matchesSnapshot(const std::shared_ptr<host::UIView>& view,
                                           const std::string& name,
                                           const SnapshotOptions& options = {});
// A picture made elsewhere (a simulator `shot`, read back as an image).
::testing::AssertionResult imageMatchesSnapshot(const std::shared_ptr<host::UIImage>& image,
                                                const std::string& name,
                                                const SnapshotOptions& options = {});

}  // namespace vorlan::testing

#define EXPECT_SNAPSHOT(view, name, ...) \
  EXPECT_TRUE(::vorlan::testing::matchesSnapshot((view), (name)__VA_OPT__(, ) __VA_ARGS__))
