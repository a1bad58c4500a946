#include "app/application.h"

#include <cassert>

#include "app/command_line.h"
#include "app/rights_table.h"
#include "base/version.h"
#include "base/platform.h"
#include "data/db_guard.h"
#include "data/db_error.h"

namespace {
CQirnApp* g_app = nullptr;
}  // namespace

CQirnApp& App() {
  assert(g_app);
  return *g_app;
}

CQirnApp::CQirnApp()
    : productKind(3),
      version(TavrelVersion()),
      extension("VYX"),
      typeText("Tavrel项目核算数据文件"),
      docTypeName("Qirn"),
      softwareName("Tavrel项目核算软件"),
      shortCode("XM") {
  env.extension = extension;
  g_app = this;
}

CQirnApp::~CQirnApp() {
  ExitInstance();
  if (g_app == this) g_app = nullptr;
}

bool CQirnApp::InitInstance(const std::vector<std::string>& args, AppHost& host) {
  templates_.clear();
  for (const DocTemplate& t : DocTemplates()) templates_.push_back(&t);
  host.CreateMainFrame();
  CommandLine line = ParseCommandLine(args);
  if (line.kind == CommandLine::Kind::Other) return false;
  host.ShowMaximized();
  if (!Login(env, line.file)) return false;
  if (!env.IsOpen() || !env.loggedIn) return false;
  host.ShowLoginState();
  return true;
}

bool CQirnApp::Relogin() {
  return Login(env, "");
}

void CQirnApp::ExitInstance() {
  templates_.clear();
  env.Close();
}

bool CQirnApp::IsBuilt(int id) const {
  auto it = built_.find(id);
  if (it != built_.end()) return it->second;
  const CommandInfo* c = FindCommand(id);
  return c && c->built;
}

void CQirnApp::SetBuilt(int id, bool built) {
  built_[id] = built;
}

bool CQirnApp::HasRight(const std::string& code) const {
  return HoldsRight(env.rights, code);
}

bool CQirnApp::IsEnabled(const CommandInfo& c, const WindowState& w) const {
  if (!IsBuilt(c.id)) return false;
  switch (c.rule) {
    case EnableRule::Always:
      return true;
    case EnableRule::Right:
      return HasRight(c.right);
    case EnableRule::NoChild:
      return w.openChildren == 0;
    case EnableRule::RightNoChild:
      return HasRight(c.right) && w.openChildren == 0;
    case EnableRule::PerView:
      return w.activeView && w.activeView->TakesCommand(c.id);
    case EnableRule::ActiveChild:
      return w.openChildren > 0;
  }
  return false;
}

bool CQirnApp::IsEnabled(int id, const WindowState& w) const {
  const CommandInfo* c = FindCommand(id);
  return c && IsEnabled(*c, w);
}

std::string CQirnApp::MissingRightText(const CommandInfo& c) const {
  if (c.rule != EnableRule::Right && c.rule != EnableRule::RightNoChild) return {};
  if (!IsBuilt(c.id) || HasRight(c.right)) return {};
  return "当前操作员无此权限（" + RightNames(c.right) + "）";
}

std::string CQirnApp::MainTitle() const {
  if (!env.loggedIn) return softwareName;
  return softwareName + "：" + env.unitName + "(" + env.dataFile + ")";
}

std::string CQirnApp::OperatorPaneText() const {
  return "操作：" + env.opno + "," + env.opName;
}

std::string CQirnApp::AboutText() const {
  return softwareName + "(" + version + " 版)";
}

bool CQirnApp::RunCommand(const std::function<void()>& command) {
  return RunCatchingDbErrors(command);
}
