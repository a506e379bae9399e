#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "SupportImages.h"
#include "menu/VLButtonSpecifier.h"
#include "menu/VLScrollView.h"
#include "panels/PanelTestSupport.h"
#include "store/stringConverter.h"
#include "support/Snapshot.h"
#include "support/TempDevice.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"

namespace vorlan {
namespace {

class HelpPopup : public test::PanelTest {};

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
