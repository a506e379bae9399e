#include "config/ListPanelParts.h"

#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UILabel.h"
#include "uikit/UITableView.h"

namespace vorlan {

std::shared_ptr<host::UILabel> ListPanelParts::emptyMessage(
    const std::shared_ptr<host::UIView>& container, const std::string& text) {
  auto message = std::make_shared<host::UILabel>();
  message->setFrame(container->bounds());
  message->setTextAlignment(host::NSTextAlignment::Center);
  message->setTextColor(host::UIColor::blackColor());
  message->setFont(host::UIFont::systemFontOfSize(18));
  message->setNumberOfLines(0);
  message->setText(text);
  container->addSubview(message);
  return message;
}

std::shared_ptr<host::UITableView> ListPanelParts::table(
    const std::shared_ptr<host::UIView>& container, host::Class* cellClass,
    const std::string& reuseIdentifier,
    const std::shared_ptr<host::UITableViewDataSource>& dataSource) {
  auto table =
      host::UITableView::tableWithFrame(container->bounds(), host::UITableViewStyleGrouped);
  table->setBackgroundColor(host::UIColor::whiteColor());
  table->setShowsHorizontalScrollIndicator(false);
  table->setShowsVerticalScrollIndicator(false);
  table->registerClass(cellClass, reuseIdentifier);
  table->setDataSource(dataSource);
  container->addSubview(table);  // over the message, which shows through an empty list
  return table;
}

std::shared_ptr<host::UILabel> ListPanelParts::header(host::UITableView& table, double height,
                                                      const std::string& text) {
  auto label = std::make_shared<host::UILabel>();
  label->setFrame({0, 0, table.frame().width(), height});
  label->setTextColor(host::UIColor::blackColor());
  label->setTextAlignment(host::NSTextAlignment::Center);
  label->setNumberOfLines(0);
  label->setText(text);
  table.setTableHeaderView(label);
  return label;
}

}  // namespace vorlan
