#include "help_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/help_page.h"
#include "app/application.h"
#include "gbk_qt.h"

HelpDialog::HelpDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(Q("Tavrel项目核算软件 帮助"));
  browser_ = new QTextBrowser(this);
  browser_->setHtml(Q(HelpPageHtml([](int id) { return App().IsBuilt(id); })));
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* close = buttons->addButton(Q("关闭"), QDialogButtonBox::RejectRole);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addWidget(buttons);
  resize(760, 600);
}
