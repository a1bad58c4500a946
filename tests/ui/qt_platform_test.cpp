#include "qt_platform.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "gbk_qt.h"
#include "support/temp_dir.h"
#include "ui/qt_test_app.h"

namespace {

struct SeenBox {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title, text, defaultText;
  QStringList buttons;
  int width = 0, captionWidth = 0;
};

// Shows a message through the platform; the box is looked at and answered by pressing `press`.
MsgAnswer Ask(QtPlatform& platform, MsgIcon icon, MsgButtons buttons, MsgAnswer defaultButton,
              const char* press, SeenBox& seen, const char* text = "删除这个帐户吗？",
              const char* caption = "Tavrel软件") {
  QTimer::singleShot(0, [&seen, press] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen.icon = box->icon();
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
    seen.width = box->width();
    seen.captionWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
    for (QAbstractButton* b : box->buttons()) seen.buttons << b->text();
    for (QAbstractButton* b : box->buttons())
      if (b->text() == Q(press)) b->click();
  });
  return platform.MessageBox(text, caption, icon, buttons, defaultButton);
}

}  // namespace

TEST(QtPlatformTest, MessageBoxesHaveTheAskedIconButtonsAndDefault) {
  TestQtApp();
  TempDir dir;
  QtPlatform platform(SettingsFile(dir.File("settings.conf")));
  SeenBox seen;
  EXPECT_EQ(Ask(platform, MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No, "是(&Y)", seen),
            MsgAnswer::Yes);
  EXPECT_EQ(seen.icon, QMessageBox::Question);
  EXPECT_EQ(seen.title, Q("Tavrel软件"));
  EXPECT_EQ(seen.text, Q("删除这个帐户吗？"));
  EXPECT_EQ(seen.defaultText, Q("否(&N)"));
  EXPECT_EQ(seen.buttons.size(), 2);

  struct Case {
    MsgIcon icon;
    QMessageBox::Icon shown;
    MsgButtons buttons;
    const char* press;
    MsgAnswer answer;
  } cases[] = {{MsgIcon::Exclamation, QMessageBox::Warning, MsgButtons::Ok, "确定", MsgAnswer::Ok},
               {MsgIcon::Stop, QMessageBox::Critical, MsgButtons::OkCancel, "取消", MsgAnswer::Cancel},
               {MsgIcon::Warning, QMessageBox::Warning, MsgButtons::YesNoCancel, "否(&N)", MsgAnswer::No},
               {MsgIcon::Information, QMessageBox::Information, MsgButtons::Ok, "确定", MsgAnswer::Ok},
               {MsgIcon::None, QMessageBox::NoIcon, MsgButtons::OkCancel, "确定", MsgAnswer::Ok}};
  for (const Case& c : cases) {
    SeenBox s;
    EXPECT_EQ(Ask(platform, c.icon, c.buttons, MsgAnswer::Ok, c.press, s), c.answer) << c.press;
    EXPECT_EQ(s.icon, c.shown) << c.press;
  }
}

TEST(QtPlatformTest, ClipboardSettingsAndFiles) {
  TestQtApp();
  TempDir dir;
  QtPlatform platform(SettingsFile(dir.File("settings.conf")));
  platform.SetClipboardText("借方金额\t1,234.50");
  EXPECT_EQ(platform.ClipboardText(), "借方金额\t1,234.50");
  QApplication::clipboard()->setText(QString::fromUtf8("\xF0\x9F\x98\x80"));
  EXPECT_EQ(platform.ClipboardText(), "");  // nothing GBK cannot hold comes in

  EXPECT_FALSE(platform.ReadSetting("DataDir"));
  EXPECT_TRUE(platform.WriteSetting("DataDir", "/home/会计/2026.vyx"));
  EXPECT_EQ(platform.ReadSetting("DataDir").value_or(""), "/home/会计/2026.vyx");
  EXPECT_TRUE(platform.QueryFile(dir.Path()).isFolder);
  EXPECT_FALSE(platform.QueryFile(dir.File("none")).exists);
  DateTime now = platform.Now();
  EXPECT_GE(now.year, 2024);
  EXPECT_TRUE(now.month >= 1 && now.month <= 12);
}

TEST(QtPlatformTest, AShortMessageStillShowsItsWholeCaption) {
  TestQtApp();
  TempDir dir;
  QtPlatform platform(SettingsFile(dir.File("settings.conf")));
  const std::pair<const char*, const char*> cases[] = {
      {"记帐完毕！", "修改结束"},
      {"是", "Tavrel软件(利息计算)——一个很长很长的标题，比正文宽得多"},
  };
  for (auto [text, caption] : cases) {
    SeenBox seen;
    Ask(platform, MsgIcon::None, MsgButtons::Ok, MsgAnswer::Ok, "确定", seen, text, caption);
    EXPECT_EQ(seen.title, Q(caption));
    EXPECT_GE(seen.width, seen.captionWidth + kCaptionRoom) << caption;
  }
}
