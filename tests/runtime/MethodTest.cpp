#include <gtest/gtest.h>

#include <string>

#include "runtime/Original.h"
#include "runtime/Runtime.h"
#include "uikit/CGGeometry.h"

using namespace host;

namespace {

class Bird;

}  // namespace

template <>
struct host::MethodsOf<Bird> {
  using Sing = Method<"singTimes:", std::string(int)>;
  using Land = Method<"landOn:at:", void(Id, CGRect)>;
};

namespace {

using Birds = MethodsOf<Bird>;

class Bird : public Object {
 public:
  static Class* objcClass() {
    static Class* const cls = [] {
      Class* c = Runtime::shared().defineClass("TestBird", Object::objcClass(), factoryFor<Bird>());
      define<Birds::Sing>(c, [](Object*, int times) {
        std::string out;
        for (int i = 0; i < times; ++i)
          out += "tweet";
        return out;
      });
      return c;
    }();
    return cls;
  }
  explicit Bird(Class* cls = objcClass()) : Object(cls) {}
};

// A subclass that only inherits the song.
class Finch : public Bird {
 public:
  static Class* objcClass() {
    static Class* const cls =
        Runtime::shared().defineClass("TestFinch", Bird::objcClass(), factoryFor<Finch>());
    return cls;
  }
  explicit Finch(Class* cls = objcClass()) : Bird(cls) {}
};

Original<Birds::Sing> finchSing;

TEST(MethodTest, DescriptorsCarryTheSelectorAndTheRuntimeEncodingOfTheirSignature) {
  EXPECT_EQ(Birds::Sing::selector, "singTimes:");
  EXPECT_EQ(Birds::Sing::types(), "@@:i");
  EXPECT_EQ(Birds::Land::types(), "v@:@{CGRect={CGPoint=dd}{CGSize=dd}}");
}

TEST(MethodTest, SendsHooksAndAdditionsGoThroughTheDescriptor) {
  auto bird = std::make_shared<Bird>();
  auto finch = std::make_shared<Finch>();
  EXPECT_EQ(send<Birds::Sing>(bird, 2), "tweettweet");

  // A hook on the subclass alone keeps the inherited song callable and leaves the bird's alone.
  EXPECT_FALSE(finchSing.installed());
  hook<Birds::Sing>(
      Finch::objcClass(),
      [](Object* self, int times) { return "[" + finchSing(self, times) + "]"; }, finchSing);
  EXPECT_TRUE(finchSing.installed());
  EXPECT_EQ(send<Birds::Sing>(finch, 1), "[tweet]");
  EXPECT_EQ(send<Birds::Sing>(bird, 1), "tweet");

  // An addition is registered under the descriptor's encoding, once.
  std::string landed;
  EXPECT_TRUE(add<Birds::Land>(Bird::objcClass(), [&](Object*, Id, CGRect) { landed = "yes"; }));
  EXPECT_FALSE(add<Birds::Land>(Bird::objcClass(), [](Object*, Id, CGRect) {}));
  EXPECT_EQ(Bird::objcClass()->ownMethod(Birds::Land::selector)->types(), Birds::Land::types());
  send<Birds::Land>(finch, nullptr, CGRect{});
  EXPECT_EQ(landed, "yes");

  // A hook on a method the class does not answer changes nothing.
  Original<Birds::Land> missing;
  EXPECT_THROW(hook<Birds::Land>(
                   Object::objcClass(), [](Object*, Id, CGRect) {}, missing),
               RuntimeError);
  EXPECT_FALSE(missing.installed());
  EXPECT_THROW(missing(bird.get(), nullptr, CGRect{}), RuntimeError);
}

}  // namespace
