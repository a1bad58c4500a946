#include "app/help_page.h"

#include "app/command_table.h"
#include "app/rights_table.h"
#include "base/text.h"

namespace {

std::string Escape(const std::string& text) {
  std::string out = ReplaceAll(text, "&", "&amp;");
  out = ReplaceAll(out, "<", "&lt;");
  return ReplaceAll(out, ">", "&gt;");
}

std::string RightName(const char* code) {
  return RightNames(code);
}

std::string Condition(const CommandInfo& c) {
  switch (c.rule) {
    case EnableRule::Always:
      return "随时可用";
    case EnableRule::Right:
      return "需要权限“" + RightName(c.right) + "”";
    case EnableRule::NoChild:
      return "没有打开的窗口时可用";
    case EnableRule::RightNoChild:
      return "需要权限“" + RightName(c.right) + "”，且没有打开的窗口";
    case EnableRule::PerView:
      return "由当前窗口提供";
    case EnableRule::ActiveChild:
      return "有活动窗口时可用";
  }
  return "";
}

std::string KeysOf(const CommandInfo& c) {
  std::string keys = c.keys;
  for (const Accelerator& a : Accelerators()) {
    if (a.id != c.id || keys.find(a.keys) != std::string::npos) continue;
    keys += (keys.empty() ? "" : "，") + std::string(a.keys);
  }
  return keys;
}

std::string Row(const CommandInfo& c, const std::string& name, bool built) {
  std::string condition = built ? Condition(c) : "本版本尚未提供";
  return "<tr><td>" + Escape(name) + "</td><td>" + Escape(c.prompt) + "</td><td>" + Escape(condition) +
         "</td><td>" + Escape(KeysOf(c)) + "</td></tr>\n";
}

const char* kTableHead =
    "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">\n"
    "<tr><th width=\"22%\">命令</th><th width=\"36%\">说明</th>"
    "<th width=\"24%\">使用条件</th><th width=\"18%\">快捷键</th></tr>\n";

// What the keys do in a grid cell: the engine's own keys, which no command carries.
const char* const kGridKeys[][2] = {
    {"输入字符", "插入在光标处；不合单元格格式的字符（如金额中的字母）不被接受"},
    {"Backspace，Delete", "删除光标前、光标处的一个字符；选定了字符时删除选定的字符"},
    {"Ctrl+A", "选定当前单元格的全部文字（随后按 Delete 即清空）"},
    {"Esc", "单元格恢复为光标进入时的内容（可用 Ctrl+Z 撤消）"},
    {"Ctrl+Z，Ctrl+Y", "撤消、重做单元格的修改"},
    {"点击行首后按 Delete", "删除选定的整行"},
};

// Keeping the books safe: where the copies are, how one is restored, and what protects the year file.
const char* const kSafeBooks =
    "<h3>帐务数据的保护、备份与恢复</h3>\n"
    "<p><b>自动备份。</b>执行“转帐”、“拷贝会计信息”和删除年度数据文件之前，程序先把年度数据文件复制到帐套文件夹下的"
    "“备份”文件夹，文件名为“年度-日期-时间-结转.vyx”（或“-拷贝”、“-删除”）。每个年度保留最新的 10 个备份，"
    "并且总是保留转帐、拷贝和删除前的最新一个。备份先以临时名复制并检查，检查通过才改为正式的名字，"
    "所以“备份”文件夹中的每个备份都是完整、可以打开的年度数据文件。</p>\n"
    "<p><b>随时备份。</b>命令行工具 <tt>tavrel-cli backup 年度文件 --operator 101</tt> 立即备份一次，"
    "<tt>tavrel-cli backup --list 年度文件 --operator 101</tt> 列出本年度的备份：文件、备份时间、在什么操作之前、能否打开。</p>\n"
    "<p><b>恢复备份。</b>先退出本程序（或登录到其他年度），用 <tt>backup --list</tt> 选出一个能打开的备份；"
    "如果当前的数据以后还可能用到，先再备份一次；然后把选中的备份复制为年度数据文件，保留其权限，例如 "
    "<tt>cp --preserve=mode 帐套/备份/2026-20270105-093000-结转.vyx 帐套/2026.vyx</tt>。"
    "备份本身就是普通的年度数据文件，可以直接用 <tt>tavrel-cli sql</tt> 查看其中的内容。</p>\n"
    "<p><b>保护帐务数据。</b>帐套文件夹应只允许记帐的人读写；备份中含有操作员及其口令，应同样保管。"
    "帐套放在服务器上时，备份保存在服务器的数据库中，由服务器管理员负责。每个操作员都应设置口令"
    "（“操作员口令设置与更改”）。操作员忘记口令时，管理员在“操作人员管理”中选中该操作员，按“清除口令”；"
    "管理员自己忘记口令时，能写入年度数据文件的人运行 <tt>tavrel-cli clear-password 年度文件 101</tt>，"
    "程序先备份，再清除管理员的口令，登录后请立即设置新口令。</p>\n"
    "<p><b>检查数据。</b>“数据检查”列出年度数据文件中不合规则的数据；“试算平衡表”和状态栏的“借贷不平”"
    "提示借贷是否相等。</p>\n";

}  // namespace

std::string HelpPageHtml(const std::function<bool(int id)>& built) {
  std::string html = "<html><head><title>Tavrel项目核算软件 帮助主题</title></head><body>\n";
  html += "<h2>Tavrel项目核算软件 帮助主题</h2>\n";
  html +=
      "<p>先在“操作环境注册”中选择帐套的年度数据文件和操作员，然后从菜单选择命令。"
      "灰色的命令表示当前操作员没有相应权限，或者当前状态下不能使用。</p>\n";
  for (const MenuPopup& popup : MenuLayout()) {
    html += "<h3>" + Escape(PlainMenuText(popup.title)) + "</h3>\n" + kTableHead;
    for (int id : popup.items)
      if (const CommandInfo* c = FindCommand(id)) html += Row(*c, PlainMenuText(c->text), built(id));
    html += "</table>\n";
    if (popup.windowList) html += "<p>菜单下部列出所有已打开的窗口，选择其中一个即可切换到该窗口。</p>\n";
  }
  html += "<h3>其他快捷键</h3>\n" + std::string(kTableHead);
  for (const CommandInfo& c : Commands())
    if (!*c.text && !KeysOf(c).empty() && *c.prompt) html += Row(c, c.prompt, built(c.id));
  html += "</table>\n<h3>表格中的编辑键</h3>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">\n";
  for (const auto& [keys, what] : kGridKeys) html += "<tr><td>" + Escape(keys) + "</td><td>" + Escape(what) + "</td></tr>\n";
  html += "</table>\n" + std::string(kSafeBooks) + "</body></html>\n";
  return html;
}
