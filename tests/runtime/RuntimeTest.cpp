#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Runtime.h"
#include "support/OneCasePerProcess.h"

using namespace host;

namespace {

// A host-style class: its C++ members are thin wrappers that send through the runtime, and its
// implementations are registered under full selector strings.
class Animal : public Object {
 public:
  static Class* objcClass() {
    static Class* const cls = [] {
      Class* c =
          Runtime::shared().defineClass("TestAnimal", Object::objcClass(), factoryFor<Animal>());
      defineMethod<std::string()>(c, "sound", [](Object*) { return std::string("..."); });
      defineMethod<std::string(int)>(c, "speakTimes:", [](Object* self, int n) {
        std::string out;
        for (int i = 0; i < n; ++i)
          out += msgSend<std::string()>(self, "sound");
        return out;
      });
      registerIvar(c, "_name", &Animal::name_);
      return c;
    }();
    return cls;
  }
  explicit Animal(Class* cls = objcClass()) : Object(cls) {}

  std::string speak(int times) { return msgSend<std::string(int)>(this, "speakTimes:", times); }

 private:
  std::string name_ = "rex";
};

class Dog : public Animal {
 public:
  static Class* objcClass() {
    static Class* const cls = [] {
      Class* c = Runtime::shared().defineClass("TestDog", Animal::objcClass(), factoryFor<Dog>());
      defineMethod<std::string()>(c, "sound", [](Object*) { return std::string("woof"); });
      return c;
    }();
    return cls;
  }
  explicit Dog(Class* cls = objcClass()) : Animal(cls) {}
};

// The cases define classes and hook them for the rest of the process: one case per process.
class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override { vorlan::test::requireOneCasePerProcess(); }
};

}  // namespace

TEST_F(RuntimeTest, ClassesAreFoundByNameAndInstantiatedThroughTheirAncestor) {
  Class* dog = Dog::objcClass();
  EXPECT_EQ(NSClassFromString("TestDog"), dog);
  EXPECT_EQ(objc_getClass("TestAnimal"), Animal::objcClass());
  EXPECT_EQ(NSClassFromString("NoSuchClass"), nullptr);
  EXPECT_TRUE(dog->isSubclassOf(Animal::objcClass()));
  EXPECT_FALSE(Animal::objcClass()->isSubclassOf(dog));
  EXPECT_THROW(Runtime::shared().defineClass("TestDog", Object::objcClass()), RuntimeError);

  // A class defined at run time below TestDog gets a Dog object whose class is the new one.
  Class* puppy = Runtime::shared().defineClass("TestPuppy", dog);
  Id object = puppy->createInstance();
  ASSERT_NE(dynamic_cast<Dog*>(object.get()), nullptr);
  EXPECT_EQ(object->className(), "TestPuppy");
  EXPECT_TRUE(object->isKindOfClass(Animal::objcClass()));
  EXPECT_EQ(msgSend<std::string()>(object, "sound"), "woof");
}

TEST_F(RuntimeTest, SendsAreCheckedAndNilAnswersZero) {
  auto dog = std::make_shared<Dog>();
  EXPECT_EQ(dog->speak(2), "woofwoof");

  try {
    msgSend<std::string(bool)>(dog, "speakTimes:", true);
    FAIL() << "a send with the wrong signature must fail";
  } catch (const RuntimeError& e) {
    EXPECT_NE(std::string(e.what()).find("-[TestDog speakTimes:]"), std::string::npos) << e.what();
  }
  try {
    msgSend<void()>(dog, "fly");
    FAIL() << "an unknown selector must fail";
  } catch (const RuntimeError& e) {
    EXPECT_NE(std::string(e.what()).find("fly"), std::string::npos);
  }

  Object* nil = nullptr;
  EXPECT_EQ(msgSend<int()>(nil, "anything"), 0);
  EXPECT_EQ(msgSend<std::string(int)>(nil, "speakTimes:", 3), "");
  EXPECT_FALSE(respondsToSelector(nil, "sound"));
}

TEST_F(RuntimeTest, HookChainsKeepEveryOriginalCallable) {
  auto dog = std::make_shared<Dog>();
  // Hooks live as long as the process, so their originals are kept in statics, as on a device.
  static Imp<std::string()> first;
  MSHookMessageEx<std::string()>(
      Dog::objcClass(), "sound", [](Object* self) { return "[" + first(self) + "]"; }, &first);
  static Imp<std::string()> second;
  MSHookMessageEx<std::string()>(
      Dog::objcClass(), "sound", [](Object* self) { return second(self) + "!"; }, &second);

  // The host's own code (speakTimes: sends "sound") takes the hooks, newest outermost.
  EXPECT_EQ(dog->speak(1), "[woof]!");
  // The superclass keeps its own implementation.
  EXPECT_EQ(std::make_shared<Animal>()->speak(1), "...");
  // Hooking with another signature is refused and changes nothing.
  Imp<int()> wrong;
  EXPECT_THROW(MSHookMessageEx<int()>(
                   Dog::objcClass(), "sound", [](Object*) { return 1; }, &wrong),
               RuntimeError);
  EXPECT_THROW(MSHookMessageEx<void()>(
                   Dog::objcClass(), "fly", [](Object*) {}, nullptr),
               RuntimeError);
  EXPECT_EQ(dog->speak(1), "[woof]!");
}

TEST_F(RuntimeTest, HookOnAnInheritedMethodLeavesTheSuperclassAloneAndTakesPrecedence) {
  Class* animal = Animal::objcClass();
  Class* dog = Dog::objcClass();
  static std::vector<std::string> calls;

  // The subclass only inherits speakTimes:. Its hook goes into the subclass alone...
  static Imp<std::string(int)> dogOriginal;
  MSHookMessageEx<std::string(int)>(
      dog, "speakTimes:",
      [](Object* self, int n) {
        calls.push_back("dog");
        return dogOriginal(self, n);
      },
      &dogOriginal);
  // ...and a hook installed on the superclass afterwards is still reached through the
  // subclass hook's original, as a send to super is.
  static Imp<std::string(int)> animalOriginal;
  MSHookMessageEx<std::string(int)>(
      animal, "speakTimes:",
      [](Object* self, int n) {
        calls.push_back("animal");
        return animalOriginal(self, n);
      },
      &animalOriginal);

  EXPECT_EQ(std::make_shared<Dog>()->speak(1), "woof");
  EXPECT_EQ(calls, (std::vector<std::string>{"dog", "animal"}));
  calls.clear();
  EXPECT_EQ(std::make_shared<Animal>()->speak(1), "...");
  EXPECT_EQ(calls, (std::vector<std::string>{"animal"}));
  EXPECT_NE(dog->ownMethod("speakTimes:"), nullptr);
}

TEST_F(RuntimeTest, AdditionsAreSeenByRespondsToSelectorAndOrdinarySends) {
  auto animal = std::make_shared<Animal>();
  auto dog = std::make_shared<Dog>();
  EXPECT_FALSE(dog->respondsToSelector("setNeedsReload:"));

  static bool flag = false;
  EXPECT_TRUE(class_addMethod<void(bool)>(
      Animal::objcClass(), "setNeedsReload:", [](Object*, bool v) { flag = v; }, "v@:B"));
  EXPECT_TRUE(dog->respondsToSelector("setNeedsReload:"));
  EXPECT_TRUE(animal->respondsToSelector("setNeedsReload:"));
  msgSend<void(bool)>(dog, "setNeedsReload:", true);
  EXPECT_TRUE(flag);

  // Already present in the class itself: refused, and the first addition stays.
  EXPECT_FALSE(class_addMethod<void(bool)>(
      Animal::objcClass(), "setNeedsReload:", [](Object*, bool) {}, "v@:B"));
  msgSend<void(bool)>(animal, "setNeedsReload:", false);
  EXPECT_FALSE(flag);

  // An addition may override an inherited method in a subclass; offsets in encodings are ignored.
  EXPECT_TRUE(class_addMethod<std::string()>(
      Dog::objcClass(), "speakTimes:", [](Object*) { return std::string(); }, "@16@0:8"));
  EXPECT_THROW(class_addMethod<bool(Id)>(
                   Dog::objcClass(), "hasGesture:", [](Object*, Id) { return true; }, "v@:@"),
               RuntimeError);
  EXPECT_FALSE(dog->respondsToSelector("hasGesture:"));
}

TEST_F(RuntimeTest, InstanceVariablesAreReadableByNameWithTheirType) {
  auto dog = std::make_shared<Dog>();
  EXPECT_EQ(MSHookIvar<std::string>(dog, "_name"), "rex");
  MSHookIvar<std::string>(dog, "_name") = "fido";
  EXPECT_EQ(MSHookIvar<std::string>(dog, "_name"), "fido");
  EXPECT_THROW(MSHookIvar<int>(dog, "_name"), RuntimeError);
  EXPECT_THROW(MSHookIvar<std::string>(dog, "_label"), RuntimeError);
  auto plain = std::make_shared<Object>();
  EXPECT_THROW(MSHookIvar<std::string>(plain, "_name"), RuntimeError);
}
