#include "main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QMenuBar>
#include <QSessionManager>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "about_dialog.h"
#include "app/login_rules.h"
#include "base/platform.h"
#include "child_frame.h"
#include "data/db_error.h"
#include "dialog_faces.h"
#include "entry/book_balance.h"
#include "form_view_widget.h"
#include "gbk_qt.h"
#include "glyph_icon.h"
#include "help_dialog.h"
#include "status_panes.h"

namespace {

// Qt's names for the keys the command table spells out in full.
QKeySequence KeysOf(const std::string& keys) {
  QString text = Q(keys);
  text.replace("Insert", "Ins").replace("Delete", "Del");
  return QKeySequence::fromString(text, QKeySequence::PortableText);
}

// The colour of a tool-bar tile: one per menu.
QColor TileColour(int id) {
  const std::vector<MenuPopup>& menus = MenuLayout();
  static const QColor colours[] = {QColor(90, 100, 120), QColor(40, 130, 70), QColor(30, 100, 170),
                                   QColor(200, 110, 20), QColor(150, 40, 40), QColor(90, 90, 90),
                                   QColor(90, 90, 90),   QColor(110, 60, 150)};
  for (size_t m = 0; m < menus.size(); ++m)
    for (int item : menus[m].items)
      if (item == id) return colours[m % std::size(colours)];
  return colours[0];
}

}  // namespace

CMainFrame::CMainFrame(CQirnApp& app, QWidget* parent) : QMainWindow(parent), app_(app) {
  faces_ = std::make_unique<DialogFaces>(this, &app_.env);
  SetCommandHandler(cmd::kLogin, [this] { Relogin(); });
  SetCommandHandler(cmd::kAbout, [this] { ShowAbout(); });
}

CMainFrame::~CMainFrame() {
  app_.env.afterCommit = nullptr;
  // The child windows go after this object's members: what they signal on the way out must not reach it.
  if (mdi_) mdi_->disconnect(this);
  for (CChildFrame* frame : Children()) frame->disconnect(this);
  actions_.clear();
}

void CMainFrame::CreateMainFrame() {
  if (created_) return;
  created_ = true;
  setWindowIcon(ProgramIcon());
  mdi_ = new QMdiArea(this);
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // When the active window closes, the one used before it comes to the front.
  mdi_->setActivationOrder(QMdiArea::ActivationHistoryOrder);
  setCentralWidget(mdi_);
  BuildActions();
  BuildMenus();
  BuildToolBar();
  panes_ = new StatusPanes(statusBar());
  app_.env.afterCommit = [this] { ShowBookBalance(); };
  connect(mdi_, &QMdiArea::subWindowActivated, this, [this] { UpdateCommandStates(); });
  // Views change what they can do as the user works in them; the states follow a few times a second.
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, &CMainFrame::UpdateCommandStates);
  timer->start(250);
  // The end of the desktop session runs the same shutdown as closing the window.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
    if (!app_.Shutdown().Run(*this)) manager.cancel();
  });
  setWindowTitle(Q(app_.MainTitle()));
  resize(1024, 700);
  UpdateCommandStates();
}

void CMainFrame::ShowMaximized() {
  showMaximized();
}

void CMainFrame::ShowBookBalance() {
  std::string text;
  if (app_.env.loggedIn && app_.env.IsOpen()) {
    try {
      text = ImbalanceText(ReadBookTally(app_.env).Closing());
    } catch (const jet::DbError&) {
      // A book that cannot be read says so where it is read; the pane is no place for it.
    }
  }
  panes_->SetBalance(Q(text));
}

void CMainFrame::ShowLoginState() {
  panes_->SetOperator(Q(app_.OperatorPaneText()));
  ShowBookBalance();
  setWindowTitle(Q(app_.MainTitle()));
  UpdateCommandStates();
  // The keys belong to the main window again once the login dialog is gone.
  activateWindow();
}

void CMainFrame::BuildActions() {
  for (const CommandInfo& c : Commands()) {
    auto* action = new QAction(this);
    int id = c.id;
    action->setText(*c.text ? Q(c.text) : Q(c.prompt));
    action->setStatusTip(Q(c.prompt));
    action->setToolTip(Q(PlainMenuText(*c.text ? c.text : c.prompt)));
    QList<QKeySequence> keys;
    if (*c.keys) {
      keys << KeysOf(c.keys);
    }
    for (const Accelerator& a : Accelerators())
      if (a.id == id && !keys.contains(KeysOf(a.keys))) keys << KeysOf(a.keys);
    action->setShortcuts(keys);
    if (*c.glyph) action->setIcon(GlyphIcon(Q(c.glyph), TileColour(id)));
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    // Actions without a menu item still answer their keys.
    if (!*c.text) addAction(action);
    actions_[id] = action;
  }
  actions_[cmd::kToolBar]->setCheckable(true);
  actions_[cmd::kStatusBar]->setCheckable(true);
  actions_[cmd::kToolBar]->setChecked(true);
  actions_[cmd::kStatusBar]->setChecked(true);
}

void CMainFrame::BuildMenus() {
  for (const MenuPopup& popup : MenuLayout()) {
    QMenu* menu = menuBar()->addMenu(Q(popup.title));
    for (int id : popup.items) {
      if (id == 0)
        menu->addSeparator();
      else
        menu->addAction(actions_.at(id));
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    // Qt shows no prompt for a grey item; the user is told why it is grey all the same.
    menu->installEventFilter(this);
    if (popup.windowList) {
      windowMenu_ = menu;
      connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RebuildWindowList);
    }
  }
}

void CMainFrame::BuildToolBar() {
  toolBar_ = new QToolBar(Q("工具栏"), this);
  toolBar_->setObjectName("toolBar");
  toolBar_->setIconSize(QSize(24, 24));
  toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
  for (int id : ToolBarLayout()) {
    if (id == 0)
      toolBar_->addSeparator();
    else
      toolBar_->addAction(actions_.at(id));
  }
  addToolBar(Qt::TopToolBarArea, toolBar_);
  connect(toolBar_, &QToolBar::visibilityChanged, actions_[cmd::kToolBar], &QAction::setChecked);
}

void CMainFrame::SetCommandHandler(int id, std::function<void()> handler) {
  handlers_[id] = std::move(handler);
  app_.SetBuilt(id, true);
  UpdateCommandStates();
}

void CMainFrame::SetDataWindowKit(int id, DataWindowKit kit) {
  kits_[id] = std::move(kit);
  app_.SetBuilt(id, true);
  UpdateCommandStates();
}

bool CMainFrame::HasHandler(int id) const {
  return handlers_.count(id) || kits_.count(id);
}

QAction* CMainFrame::Action(int id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

std::vector<CChildFrame*> CMainFrame::Children() const {
  std::vector<CChildFrame*> children;
  if (!mdi_) return children;
  for (QMdiSubWindow* w : mdi_->subWindowList(QMdiArea::CreationOrder))
    if (auto* frame = qobject_cast<CChildFrame*>(w); frame && !frame->IsClosed()) children.push_back(frame);
  return children;
}

CChildFrame* CMainFrame::ActiveChild() const {
  if (!mdi_) return nullptr;
  auto* frame = qobject_cast<CChildFrame*>(mdi_->currentSubWindow());
  if (frame && !frame->IsClosed()) return frame;
  // Without the focus the area has no current window: the one used last counts.
  QList<QMdiSubWindow*> stack = mdi_->subWindowList(QMdiArea::ActivationHistoryOrder);
  for (auto it = stack.rbegin(); it != stack.rend(); ++it)
    if (auto* f = qobject_cast<CChildFrame*>(*it); f && !f->IsClosed()) return f;
  return nullptr;
}

WindowState CMainFrame::CurrentWindowState() const {
  WindowState state;
  state.openChildren = static_cast<int>(Children().size());
  if (CChildFrame* active = ActiveChild()) state.activeView = active->Commands();
  return state;
}

void CMainFrame::UpdateCommandStates() {
  if (actions_.empty()) return;
  WindowState state = CurrentWindowState();
  for (auto& [id, action] : actions_) {
    const CommandInfo* c = FindCommand(id);
    bool enabled = app_.IsEnabled(*c, state);
    // The application's commands need what carries them out.
    if (enabled && c->owner == CommandOwner::App) enabled = HasHandler(id);
    action->setEnabled(enabled);
    // A command grey for want of a right says so where the user looks: its prompt in the status bar.
    std::string missing = app_.MissingRightText(*c);
    QString tip = Q(missing.empty() ? c->prompt : missing);
    if (action->statusTip() != tip) action->setStatusTip(tip);
  }
  // A window that loaded other parameters (打开) shows them in its title.
  RenumberChildren();
  actions_[cmd::kStatusBar]->setChecked(statusBar()->isVisible() || !isVisible());
}

void CMainFrame::RunCommand(int id) {
  UpdateCommandStates();
  QAction* action = Action(id);
  if (!action || !action->isEnabled()) return;
  const CommandInfo& c = *FindCommand(id);
  app_.RunCommand([&] {
    switch (c.owner) {
      case CommandOwner::View:
        RunViewCommand(id);
        break;
      case CommandOwner::Frame:
        RunFrameCommand(id);
        break;
      case CommandOwner::App:
        if (kits_.count(id))
          OpenDataWindow(c, *this);
        else if (auto h = handlers_.find(id); h != handlers_.end()) {
          h->second();
          // The keys come back to the window that opened the dialog (Alt reaches the menus again).
          ReturnFocus();
        }
        break;
    }
  });
  UpdateCommandStates();
}

void CMainFrame::RunViewCommand(int id) {
  if (CChildFrame* active = ActiveChild())
    if (ViewCommandTarget* view = active->Commands(); view && view->TakesCommand(id)) view->RunCommand(id);
}

void CMainFrame::RunFrameCommand(int id) {
  switch (id) {
    case cmd::kClose:
      if (CChildFrame* active = ActiveChild()) active->close();
      break;
    case cmd::kExit:
      close();
      break;
    case cmd::kToolBar:
      toolBar_->setVisible(!toolBar_->isVisible());
      break;
    case cmd::kStatusBar:
      statusBar()->setVisible(!statusBar()->isVisible());
      break;
    case cmd::kWindowNew:
      NewWindow();
      break;
    case cmd::kCascade:
      mdi_->cascadeSubWindows();
      break;
    case cmd::kTile:
      mdi_->tileSubWindows();
      break;
    case cmd::kArrangeIcons:
      ArrangeIcons();
      break;
    case cmd::kHelpTopics:
    case cmd::kHelp:
    case cmd::kContextHelp:
      ShowHelp();
      break;
  }
}

void CMainFrame::ReturnFocus() {
  if (!isVisible()) return;
  activateWindow();
  if (CChildFrame* child = ActiveChild(); child && child->View())
    child->View()->setFocus(Qt::OtherFocusReason);
  else
    setFocus(Qt::OtherFocusReason);
}

void CMainFrame::Relogin() {
  if (!app_.Relogin()) {
    // No year file is open any more: the program cannot go on.
    close();
    return;
  }
  ShowLoginState();
}

void CMainFrame::ShowAbout() {
  AboutDialog about(Q(app_.AboutText()), this);
  about.exec();
}

void CMainFrame::ShowHelp() {
  if (!help_) {
    help_ = new HelpDialog(this);
    help_->setAttribute(Qt::WA_DeleteOnClose);
  }
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void CMainFrame::NewWindow() {
  CChildFrame* active = ActiveChild();
  if (!active) return;
  auto kit = kits_.find(active->CommandId());
  QWidget* view = nullptr;
  if (kit != kits_.end() && kit->second.duplicate) view = kit->second.duplicate(active->View());
  if (!view) {
    ShowMessage("命令失败。");
    return;
  }
  const CommandInfo* c = FindCommand(active->CommandId());
  const DocTemplate* tmpl = FindTemplate(c->templateNo);
  CChildFrame* frame = kit->second.createFrame ? kit->second.createFrame(*tmpl) : nullptr;
  AddChild(frame ? frame : new CChildFrame(c->id), view);
}

void CMainFrame::ArrangeIcons() {
  // The minimised windows line up along the bottom edge, left to right.
  int x = 0;
  for (CChildFrame* frame : Children()) {
    if (!frame->isMinimized()) continue;
    QSize size = frame->size();
    frame->move(x, mdi_->viewport()->height() - size.height());
    x += size.width();
  }
}

bool CMainFrame::AskParameters(const CommandInfo& command) {
  auto kit = kits_.find(command.id);
  return kit != kits_.end() && (!kit->second.ask || kit->second.ask(this));
}

bool CMainFrame::CreateFrame(const DocTemplate& tmpl, const CommandInfo& command) {
  newFrame_ = nullptr;
  const DataWindowKit& kit = kits_.at(command.id);
  QWidget* view = kit.createView ? kit.createView() : nullptr;
  if (!view) return false;
  CChildFrame* frame = kit.createFrame ? kit.createFrame(tmpl) : nullptr;
  AddChild(frame ? frame : new CChildFrame(command.id), view);
  return true;
}

void CMainFrame::LoadView(const CommandInfo& command) {
  const DataWindowKit& kit = kits_.at(command.id);
  if (newFrame_ && kit.load) kit.load(newFrame_->View());
}

void CMainFrame::AddChild(CChildFrame* frame, QWidget* view) {
  frame->SetView(view);
  // Ctrl+F4 is the main window's 关闭, which runs the window's save flow; the child window's own menu
  // would take the same keys and leave both without them.
  for (QAction* a : frame->systemMenu() ? frame->systemMenu()->actions() : QList<QAction*>())
    if (a->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_F4))) a->setShortcuts({});
  frame->setWindowIcon(ProgramIcon());
  mdi_->addSubWindow(frame);
  // The window is half gone when it says so: look at the rest once it has left.
  connect(frame, &QObject::destroyed, this, [this] {
    QTimer::singleShot(0, this, [this] {
      RenumberChildren();
      UpdateCommandStates();
    });
  });
  frame->showMaximized();
  mdi_->setActiveSubWindow(frame);
  newFrame_ = frame;
  RenumberChildren();
}

void CMainFrame::RenumberChildren() {
  std::vector<CChildFrame*> children = Children();
  std::vector<std::string> viewTitles;
  for (CChildFrame* frame : children) {
    auto* form = qobject_cast<FormViewWidget*>(frame->View());
    auto* report = form ? dynamic_cast<CVyReportView*>(&form->View()) : nullptr;
    viewTitles.push_back(report ? report->WindowTitle() : std::string());
  }
  std::vector<std::string> titles = ChildWindowTitles(viewTitles);
  for (size_t i = 0; i < children.size(); ++i)
    if (QString title = Q(titles[i]); children[i]->windowTitle() != title) children[i]->setWindowTitle(title);
}

void CMainFrame::RebuildWindowList() {
  for (QAction* a : windowListActions_) {
    windowMenu_->removeAction(a);
    a->deleteLater();
  }
  windowListActions_.clear();
  std::vector<CChildFrame*> children = Children();
  if (children.empty()) return;
  windowListActions_.push_back(windowMenu_->addSeparator());
  CChildFrame* active = ActiveChild();
  for (size_t i = 0; i < children.size(); ++i) {
    CChildFrame* frame = children[i];
    QString text = (i < 9 ? QString("&%1 ").arg(i + 1) : QString("%1 ").arg(i + 1)) + frame->windowTitle();
    QAction* a = windowMenu_->addAction(text);
    a->setCheckable(true);
    a->setChecked(frame == active);
    connect(a, &QAction::triggered, this, [this, frame] { mdi_->setActiveSubWindow(frame); });
    windowListActions_.push_back(a);
  }
}

QStringList CMainFrame::WindowListTexts() {
  RebuildWindowList();
  QStringList texts;
  for (QAction* a : windowListActions_)
    if (!a->isSeparator()) texts << a->text();
  return texts;
}

int CMainFrame::OpenChildCount() {
  return static_cast<int>(Children().size());
}

void CMainFrame::CloseActiveChild() {
  if (CChildFrame* active = ActiveChild()) active->close();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove)
    if (auto* menu = qobject_cast<QMenu*>(watched)) {
      QAction* a = menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
      if (a && !a->isEnabled() && !a->isSeparator() && !a->statusTip().isEmpty())
        statusBar()->showMessage(a->statusTip());
    }
  return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!app_.Shutdown().Run(*this)) {
    event->ignore();
    UpdateCommandStates();
    return;
  }
  if (help_) help_->close();
  event->accept();
}
