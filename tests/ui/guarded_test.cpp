// A database error under a slot of ours ends at the slot, with its message: it never travels back through
// Qt's signal and event dispatch. The form view window guards its own events the same way.
#include "guarded.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPushButton>

#include "data/db_error.h"
#include "form_view_widget.h"
#include "support/scripted_platform.h"
#include "ui/qt_test_app.h"

namespace {

class ThrowingView : public CVyFormView {
 public:
  bool OnCommand(int command) override {
    if (command == vycmd::kSave) throw jet::DbError("数据文件是只读的，不能写入。");
    return CVyFormView::OnCommand(command);
  }
};

// The window's event handler called as Qt calls it, without the application's last safety net around it.
struct OpenWidget : FormViewWidget {
  using FormViewWidget::event;
  using FormViewWidget::FormViewWidget;
};

TEST(Guarded, ADatabaseErrorEndsAtTheHandlerWithItsMessage) {
  TestQtApp();
  ScriptedPlatform platform;
  QPushButton button;
  int after = 0;
  QObject::connect(&button, &QPushButton::clicked, &button,
                   Guard([] { throw jet::DbError("找不到表“P0”。"); }));
  QObject::connect(&button, &QPushButton::clicked, &button, [&after] { ++after; });
  // Without the guard the exception would leave click() itself.
  EXPECT_NO_THROW(button.click());
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "找不到表“P0”。");
  EXPECT_EQ(platform.messages[0].icon, MsgIcon::Stop);
  EXPECT_EQ(after, 1);  // the next slot still runs

  OpenWidget widget(std::make_unique<ThrowingView>());
  QKeyEvent save(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier, "s");
  EXPECT_NO_THROW(widget.event(&save));
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[1].text, "数据文件是只读的，不能写入。");
}

}  // namespace
