#pragma once
// The main window: menus, tool bar, status bar and accelerators built from the command table, and the
// child windows of the data commands. It forwards every command to the application object, which decides.
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>

#include "app/application.h"
#include "app/window_opener.h"
#include "data_window_kit.h"

class QAction;
class QMdiArea;
class QMenu;
class QToolBar;
class CChildFrame;
class DialogFaces;
class HelpDialog;
class StatusPanes;

class CMainFrame : public QMainWindow, public AppHost, public WindowOpener, public ShutdownHost {
  Q_OBJECT
 public:
  explicit CMainFrame(CQirnApp& app, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // Start-up steps (AppHost).
  void CreateMainFrame() override;
  void ShowMaximized() override;
  void ShowLoginState() override;
  // The status bar's "借贷不平" pane, from the open book's reviewed rows; after every save and login.
  void ShowBookBalance();

  // Plugs in a command of the application object (a modal dialog); marks it built.
  void SetCommandHandler(int id, std::function<void()> handler);
  // Plugs in a data-window command; marks it built.
  void SetDataWindowKit(int id, DataWindowKit kit);
  bool HasHandler(int id) const;

  // Runs a command as the menu does, if it is enabled. Database errors end it with their message.
  void RunCommand(int id);
  // Brings every action's enabled state in line with the rules.
  void UpdateCommandStates();

  QAction* Action(int id) const;
  QMdiArea* MdiArea() const { return mdi_; }
  QToolBar* ToolBar() const { return toolBar_; }
  StatusPanes* Panes() const { return panes_; }
  // The open child windows, in the order they were opened.
  std::vector<CChildFrame*> Children() const;
  CChildFrame* ActiveChild() const;
  // The window menu's list of open windows, as it shows now.
  QStringList WindowListTexts();

  // Opening data windows (WindowOpener).
  bool AskParameters(const CommandInfo& command) override;
  bool CreateFrame(const DocTemplate& tmpl, const CommandInfo& command) override;
  void LoadView(const CommandInfo& command) override;

  // Shutdown (ShutdownHost).
  int OpenChildCount() override;
  void CloseActiveChild() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildActions();
  void BuildMenus();
  void BuildToolBar();
  void RunFrameCommand(int id);
  void RunViewCommand(int id);
  void Relogin();
  void ReturnFocus();
  void ShowAbout();
  void ShowHelp();
  void NewWindow();
  void ArrangeIcons();
  void AddChild(CChildFrame* frame, QWidget* view);
  void RenumberChildren();
  void RebuildWindowList();
  WindowState CurrentWindowState() const;

  CQirnApp& app_;
  QMdiArea* mdi_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  StatusPanes* panes_ = nullptr;
  std::map<int, QAction*> actions_;
  std::vector<QAction*> windowListActions_;
  std::map<int, std::function<void()>> handlers_;
  std::map<int, DataWindowKit> kits_;
  std::unique_ptr<DialogFaces> faces_;
  CChildFrame* newFrame_ = nullptr;
  QPointer<HelpDialog> help_;
  bool created_ = false;
};
