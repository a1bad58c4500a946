#include "tavrel_application.h"

#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QPushButton>

#include "base/platform.h"
#include "data/jet/db_error.h"

namespace {

// Enter on a focused push button presses it, in every dialog. Qt leaves that to the buttons that may
// become a dialog's default, and many of the program's buttons must not (浏览... would take Enter from the
// fields), so the rule is kept here once for all of them.
bool PressFocusedButton(QObject* receiver, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier))
    return false;
  auto* button = qobject_cast<QPushButton*>(receiver);
  if (!button || !button->hasFocus() || !button->isEnabled() || !button->isVisible() || button->menu())
    return false;
  button->click();
  return true;
}

}  // namespace

TavrelApplication::TavrelApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // The distribution's translations of Qt (package qt6-translations-l10n); without them Qt's dialogs stay
  // in English and the program still works.
  auto* translator = new QTranslator(this);
  if (translator->load(QLocale(QLocale::Chinese, QLocale::China), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    installTranslator(translator);
    chineseLoaded_ = true;
  }
}

bool TavrelApplication::notify(QObject* receiver, QEvent* event) {
  try {
    if (PressFocusedButton(receiver, event)) return true;
    return QApplication::notify(receiver, event);
  } catch (const jet::DbError& e) {
    ShowMessage(*e.what() ? e.what() : "命令失败。", MsgIcon::Stop);
    return false;
  }
}
