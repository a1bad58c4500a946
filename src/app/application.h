#pragma once
// The application object: the product's data, the open year file and login state, the data-window
// templates, the rules that enable commands, start-up and shutdown. One instance lives for the whole run;
// the Qt main window forwards the user's actions to it.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/doc_templates.h"
#include "app/login_rules.h"
#include "app/shutdown_loop.h"
#include "app/view_command_target.h"
#include "data/data_env.h"

// The main window's part in start-up.
class AppHost {
 public:
  virtual ~AppHost() = default;
  virtual void CreateMainFrame() = 0;
  virtual void ShowMaximized() = 0;
  // Shows the operator pane's text and rebuilds the title from the login state.
  virtual void ShowLoginState() = 0;
};

// What the enabling rule needs to know about the child windows.
struct WindowState {
  int openChildren = 0;
  const ViewCommandTarget* activeView = nullptr;  // the active child window's view, when it takes commands
};

class CQirnApp {
 public:
  CQirnApp();
  ~CQirnApp();
  CQirnApp(const CQirnApp&) = delete;
  CQirnApp& operator=(const CQirnApp&) = delete;

  // Product data.
  const int productKind;  // 3: project accounting
  const std::string version, extension, typeText, docTypeName, softwareName, shortCode;

  // Start-up after the settings are in place: templates, main window, command line, maximised window,
  // login, status pane and title. False means the program ends.
  bool InitInstance(const std::vector<std::string>& args, AppHost& host);
  // 操作环境注册: the login again while a file is open. False means the program ends.
  bool Relogin();
  // At exit: the templates go and the year file is closed.
  void ExitInstance();

  // Whether the program has the command's window or dialog: the table's word, unless a front end that adds
  // the window at run time (or a test) says otherwise.
  bool IsBuilt(int id) const;
  void SetBuilt(int id, bool built);

  // The operator holds the right: the code occurs in the rights text of the login.
  bool HasRight(const std::string& code) const;
  // The enabling rule: the command exists in this program and its rule allows it now.
  bool IsEnabled(const CommandInfo& command, const WindowState& windows) const;
  bool IsEnabled(int id, const WindowState& windows) const;
  // Why a command is grey when the operator lacks its right: "当前操作员无此权限（按帐户录入）"; "" when
  // the right is held or the command needs none.
  std::string MissingRightText(const CommandInfo& command) const;

  // "Tavrel项目核算软件：" + unit name + "(" + full path + ")"; the software name alone before a login.
  std::string MainTitle() const;
  // "操作：" + operator number + "," + name.
  std::string OperatorPaneText() const;
  // The about box's text: the software name and "(1.0 版)".
  std::string AboutText() const;

  // Runs one command. A database error ends the command with the engine's message; the windows and the
  // open year file stay as they are. False when the command ended so.
  bool RunCommand(const std::function<void()>& command);

  const std::vector<const DocTemplate*>& Templates() const { return templates_; }
  ShutdownLoop& Shutdown() { return shutdown_; }

  // The open year file and the login state.
  CVyDataEnv env;

 private:
  std::vector<const DocTemplate*> templates_;
  std::map<int, bool> built_;
  ShutdownLoop shutdown_;
};

// The application object of the run.
CQirnApp& App();
