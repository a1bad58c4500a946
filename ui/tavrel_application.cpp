#include "tavrel_application.h"

#include "base/platform.h"
#include "data/jet/db_error.h"

bool TavrelApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const jet::DbError& e) {
    ShowMessage(*e.what() ? e.what() : "命令失败。", MsgIcon::Stop);
    return false;
  }
}
