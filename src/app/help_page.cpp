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
  html += "</table>\n</body></html>\n";
  return html;
}
