#include "page_setup_dialog.h"

#include <gtest/gtest.h>

#include <QTreeWidget>

#include "gbk_qt.h"
#include "mask_edit.h"
#include "qt_app.h"
#include "support/scripted_platform.h"

namespace {

TEST(PageSetupDialog, ShowsTheModelAndConfirmsOnlyValidPages) {
  App();
  ScriptedPlatform platform;
  PageSettings ps;
  SetPageDefaults(ps, 0, "0");
  ps.TopicColor = VyRgb(18, 52, 86);
  CVyPageSetupDlg model(ps, 0, "0");
  PageSetupDialog dialog(model);
  ASSERT_EQ(dialog.FontList()->topLevelItemCount(), 4);
  EXPECT_EQ(dialog.FontList()->topLevelItem(0)->text(6), Q("自定义色"));
  EXPECT_EQ(dialog.Field(CVyPageSetupDlg::kWidth)->text(), "245.0");

  dialog.Field(CVyPageSetupDlg::kWidth)->setText("5");
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(platform.LastText(), "无效的页面宽度，\r\r输入另一个数。");
  EXPECT_EQ(model.settings.PageWidth, 2450);

  dialog.Field(CVyPageSetupDlg::kWidth)->setText("300");
  dialog.Field(CVyPageSetupDlg::kRow)->setText("999");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(model.settings.PageWidth, 3000);
  EXPECT_EQ(model.settings.PageRow, 9990);
}

}  // namespace
