#pragma once
// Every command of the main window: its number, menu text, status-bar prompt, the right or state that
// enables it, the window it opens, and whether this program has that window yet. The menus, the tool bar,
// the accelerators and the help page are all built from these tables.
#include <string>
#include <vector>

// When a command may be chosen.
enum class EnableRule {
  Always,        // whenever the program runs
  Right,         // the operator holds the command's right
  NoChild,       // no child window is open
  RightNoChild,  // both of the above
  PerView,       // the active child window's view takes the command
  ActiveChild,   // some child window is active
};

// Who carries the command out.
enum class CommandOwner {
  App,    // the application object: logins, data windows, modal dialogs, about, calculator
  Frame,  // the main window: closing, bars, window management, help
  View,   // the view of the active child window: saving, printing, the clipboard, row commands
};

struct CommandInfo {
  int id;
  const char* text;    // menu text with its mnemonic; "" for commands reached only by keys
  const char* prompt;  // status-bar prompt; "" for none
  const char* right;   // right code for Right and RightNoChild, else ""
  EnableRule rule;
  CommandOwner owner;
  int templateNo;  // the data window the command opens (its template's number); 0: none
  // The program has the window or dialog this command shows. A command that is not built stays disabled,
  // whatever its rule says; the work that builds its window turns this on.
  bool built;
  const char* keys;   // the keys shown beside the menu text ("Ctrl+S"), "" for none
  const char* glyph;  // the character drawn on its tool-bar button, "" when it has none
};

// The command ids with a meaning of their own in the code.
namespace cmd {
constexpr int kLogin = 40018, kPassword = 40019, kPrint = 57607, kPrintPreview = 57609, kPrintSetup = 57606;
constexpr int kPageSetup = 915, kCalculator = 916, kCopy = 57634, kCut = 57635, kPaste = 57637, kSave = 3001;
constexpr int kNewRow = 3002, kDelete = 3006, kClose = 57602, kExit = 57665, kOpen = 57601, kUndo = 57643;
constexpr int kRedo = 57644, kHelp = 57670, kContextHelp = 57669, kHelpTopics = 57667, kAbout = 57664;
constexpr int kAccountLookUp = 32826, kF3 = 32842, kNextPane = 57680, kPrevPane = 57681;
constexpr int kToolBar = 59392, kStatusBar = 59393, kWindowNew = 57648, kCascade = 57650, kTile = 57651;
constexpr int kArrangeIcons = 57649;
// 数据操纵
constexpr int kByAccount = 32771, kByDate = 32772, kInterest = 32853, kReconcile = 32854;
// 查询帐簿
constexpr int kThreeColumn = 32779, kMultiColumn = 32780, kQuantityLedger = 32781, kCurrencyLedger = 32782;
constexpr int kBalanceTable = 40020, kTurnoverTable = 40021, kFuzzyQuery = 40022, kPrintBooks = 40036;
constexpr int kStatements = 40037, kStatementTemplates = 40038, kClosePl = 40039;
constexpr int kTrialBalance = 40045;
// 帐户目录
constexpr int kAccountQuery = 40023, kCatalogue = 40024, kAccountSetup = 40025, kOpenings = 40026;
constexpr int kCurrencies = 40027, kRates = 40028;
// 帐务管理
constexpr int kOperators = 40030, kNewYear = 40031, kCarryForward = 40032, kCopyInfo = 40033;
constexpr int kAccountSets = 40029, kSetInfo = 40034, kBookCheck = 40035, kBackups = 40046;
}  // namespace cmd

// All commands, menu items first in menu order, then those reached only by keys.
const std::vector<CommandInfo>& Commands();
// The command of an id, or nullptr.
const CommandInfo* FindCommand(int id);

// One popup of the menu bar: its title and its items, 0 standing for a separator.
struct MenuPopup {
  const char* title;
  std::vector<int> items;
  bool windowList = false;  // the open child windows are listed after the items
};
const std::vector<MenuPopup>& MenuLayout();

// The buttons of the tool bar, 0 standing for a gap.
const std::vector<int>& ToolBarLayout();

// The accelerator table: keys (as "Ctrl+Insert", "Shift+F6") and the command they give.
struct Accelerator {
  const char* keys;
  int id;
};
const std::vector<Accelerator>& Accelerators();

// A menu text without its mnemonic marker: "打印(&P)..." gives "打印(P)...", "帐务管理(&G)" gives
// "帐务管理(G)".
std::string PlainMenuText(const std::string& text);
