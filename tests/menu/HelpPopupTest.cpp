#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "SupportImages.h"
#include "info/infoView.h"
#include "menu/VLButtonSpecifier.h"
#include "menu/VLScrollView.h"
#include "panels/PanelTestSupport.h"
#include "panels/shapeSkyView.h"
#include "store/stringConverter.h"
#include "support/Snapshot.h"
#include "support/TempDevice.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UITextView.h"

namespace vorlan {
namespace {

class HelpPopup : public test::PanelTest {};

TEST_F(HelpPopup, TheTextFillsTheBalloonAndEveryShowingStartsAtTheTop) {
  auto info = infoView::make({0, 0, 375, 667});
  std::string help;
  for (int line = 0; line < 60; ++line)
    help += "A line of help about a menu button.\n";
  info->setText(help);
  window->addSubview(info);
  info->showFromRect({250, 100, 100, 50}, {60, -20, 300, 250});
  wait(1);
  host::UIView::layoutAllPending();
  const auto& text = info->textView();
  const auto container = info->shape()->container()->frame();
  EXPECT_EQ(text->frame(), (host::CGRect{5, 3, container.size.width - 10, container.size.height}));

  // The reader scrolls down, closes the popup with a tap outside and holds the button again.
  finger->drag({200, 300}, {200, 150}, 0.3);
  wait(2);
  ASSERT_GT(text->contentOffset().y, 50);
  finger->tap({20, 600});
  wait(1);
  ASSERT_EQ(info->superview(), nullptr);
  window->addSubview(info);
  info->showFromRect({250, 100, 100, 50}, {60, -20, 300, 250});
  EXPECT_EQ(text->contentOffset(), (host::CGPoint{0, 0}));
}

TEST_F(HelpPopup, ShowsItsTextWithThePictureBelowTheHeldButton) {
  TempDevice device;
  ASSERT_TRUE(SupportImages::install(device.fs(), nullptr));
  window->setBackgroundColor(host::UIColor::colorWithWhite(0.15, 1));
  auto menu = VLScrollView::make({207.5, 0, 167.5, 667});
  window->addSubview(menu);

  // Built as the cell action menu builds its buttons: the help is laid out before the button
  // joins the menu.
  auto button = VLButtonSpecifier::make({0, -2, 167.5, 83.375});
  button->setTitle("Folder");
  const std::string help =
      "With 'Vorlan' you can add settings to custom folder.\n\n<image>" +
      std::string(SupportImages::kDirectory) +
      "/specifier_settings/preview/folder_preview.png</image>\n\nYou can select one in this way.";
  button->setInfoAttributedText(stringConverter::setText(
      help, button->infoViewWidth(), host::UIFont::systemFontOfSize(15),
      host::UIColor::colorWithWhite(0.2, 0.9), host::NSTextAlignment::Left));
  menu->addSubview(button);

  finger->touchDown({290, 40});
  wait(0.5);
  finger->touchUp({290, 40});
  wait(1);
  ASSERT_TRUE(button->isShow());
  EXPECT_SNAPSHOT(window, "folder_help");
}

}  // namespace
}  // namespace vorlan
