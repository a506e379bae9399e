#include "hooks/VLPanGestureRecognizer.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIApplication.h"
#include "uikit/UIView.h"
#include "uikit/UIViewController.h"
#include "uikit/UIWindow.h"

namespace vorlan {

HOST_CLASS(VLPanGestureRecognizer, host::UIPanGestureRecognizer)

VLPanGestureRecognizer::VLPanGestureRecognizer(host::Class* cls)
    : host::UIPanGestureRecognizer(cls) {}

std::shared_ptr<VLPanGestureRecognizer> VLPanGestureRecognizer::initWithTarget(
    const std::shared_ptr<host::Object>& target, host::Selector action) {
  auto recognizer = std::make_shared<VLPanGestureRecognizer>();
  std::weak_ptr<host::Object> weakTarget = target;
  recognizer->addTarget(target, [weakTarget, action](const auto& sender) {
    if (auto receiver = weakTarget.lock()) {
      host::msgSend<void(std::shared_ptr<host::UIGestureRecognizer>)>(receiver, action.name,
                                                                      sender);
    }
  });
  recognizer->setDelegate(
      std::shared_ptr<host::UIGestureRecognizerDelegate>(recognizer, recognizer.get()));
  return recognizer;
}

bool VLPanGestureRecognizer::gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
    host::UIGestureRecognizer&, host::UIGestureRecognizer& other) {
  const auto window = host::UIApplication::sharedApplication()->keyWindow();
  const auto root = std::dynamic_pointer_cast<host::UIViewController>(
      window ? window->rootViewController() : nullptr);
  const auto otherView = other.view();
  if (root && root->isViewLoaded() && otherView && otherView == root->view()) return false;
  return true;
}

}  // namespace vorlan
