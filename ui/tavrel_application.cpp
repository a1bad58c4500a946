#include "tavrel_application.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QWindow>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "gbk_qt.h"
#include <QPointer>
#include <QShortcutEvent>
#include <QPushButton>
#include <QTimer>

#include "base/platform.h"
#include "data/db_error.h"

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

// A button's mnemonic (Alt+S on "&S.确认", Alt+- on "贷(&-)") acts at once. Qt shows the button pressed for
// a moment and acts afterwards, so a key typed right behind the mnemonic (Esc, Enter, an amount) would
// overtake it: the account dialog was cancelled instead of confirmed, the credit side taken as debit.
bool ClickAtOnce(QObject* receiver, QEvent* event) {
  if (event->type() != QEvent::Shortcut) return false;
  auto* button = qobject_cast<QAbstractButton*>(receiver);
  auto* shortcut = static_cast<QShortcutEvent*>(event);
  if (!button || shortcut->isAmbiguous() || !button->isEnabled() || !button->isVisible()) return false;
  if (button->isCheckable() && (button->focusPolicy() & Qt::TabFocus)) button->setFocus(Qt::ShortcutFocusReason);
  button->click();
  return true;
}

// When a dialog, a message box or another window with the keys closes, the keys go back to the window that opened it: its parent's window,
// else the main window. A window manager usually does that; without one (or when it leaves no window
// active) Alt would reach no menu until a click. The window system may report the loss of the active
// window a little after the hide, so the rule holds for a moment after a dialog closed, not longer: a user
// who goes to another program keeps it.
QPointer<QWidget> opener;
QElapsedTimer sinceClosed;

void ActivateOpener() {
  if (!sinceClosed.isValid() || sinceClosed.elapsed() > 1000) return;
  QWidget* active = QApplication::activeWindow();
  if (active && active->isVisible()) return;
  QWidget* back = QApplication::activeModalWidget();
  if (!back && opener && opener->isVisible()) back = opener;
  if (!back)
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->inherits("QMainWindow")) back = w;
  // Asked of the window itself: QWidget::activateWindow() asks nothing while the closed dialog's window,
  // a transient of this one, is still the window system's focus window.
  if (back && back->windowHandle()) back->windowHandle()->requestActivate();
}

void ReturnActivation(QObject* receiver, QEvent* event) {
  if (event->type() != QEvent::Hide) return;
  auto* closing = qobject_cast<QWidget*>(receiver);
  if (!closing || !closing->isWindow() || closing->windowType() == Qt::Popup ||
      closing->windowType() == Qt::ToolTip)
    return;
  // A modal dialog, or any window that had the keys (a window system may give them to a progress window).
  QWindow* handle = closing->windowHandle();
  if (!closing->isModal() && !(handle && QGuiApplication::focusWindow() == handle)) return;
  opener = closing->parentWidget() ? closing->parentWidget()->window() : nullptr;
  sinceClosed.start();
  QTimer::singleShot(0, qApp, ActivateOpener);
}

// A window behind a modal dialog never keeps the keys: a window system that activates it anyway (or an
// activation asked for before the dialog came) hands them on to the dialog.
void KeepKeysInTheModal(QObject* receiver, QEvent* event) {
  if (event->type() != QEvent::WindowActivate) return;
  auto* activated = qobject_cast<QWidget*>(receiver);
  QWidget* modal = QApplication::activeModalWidget();
  if (!activated || !activated->isWindow() || !modal || !modal->isVisible() || activated == modal) return;
  for (QWidget* w = activated; w; w = w->parentWidget())
    if (w == modal) return;
  bool blocked = modal->windowModality() == Qt::ApplicationModal;
  for (QWidget* w = modal->parentWidget(); w && !blocked; w = w->parentWidget()) blocked = w->window() == activated;
  if (!blocked) return;
  QPointer<QWidget> keep = modal;
  QTimer::singleShot(0, qApp, [keep] {
    if (keep && keep->isVisible() && keep->windowHandle() && QApplication::activeModalWidget() == keep)
      keep->windowHandle()->requestActivate();
  });
}

// Words Qt's Chinese translation leaves in English: the file dialogs' type column says "Folder" (the icon
// provider's word, which qtbase_zh_CN does not carry). Consulted before the distribution's translation.
class LeftOverWords : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char*, const char* source, const char*, int) const override {
    return qstrcmp(source, "Folder") == 0 ? Q("文件夹") : QString();
  }
};

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
  installTranslator(new LeftOverWords(this));
  connect(this, &QGuiApplication::focusWindowChanged, this, [](QWindow* now) {
    if (!now) QTimer::singleShot(0, qApp, ActivateOpener);
  });
}

bool TavrelApplication::notify(QObject* receiver, QEvent* event) {
  try {
    if (PressFocusedButton(receiver, event) || ClickAtOnce(receiver, event)) return true;
    ReturnActivation(receiver, event);
    KeepKeysInTheModal(receiver, event);
    return QApplication::notify(receiver, event);
  } catch (const jet::DbError& e) {
    ShowMessage(*e.what() ? e.what() : "命令失败。", MsgIcon::Stop);
    return false;
  }
}
