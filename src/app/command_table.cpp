#include "app/command_table.h"

namespace {

using enum EnableRule;
using enum CommandOwner;

// id, text, prompt, right, rule, owner, template, built, keys, glyph
const std::vector<CommandInfo> kCommands = {
    // 通用服务
    {40018, "操作环境注册", "改变用户身份或帐务数据文件", "", NoChild, App, 0, true, "", ""},
    {40019, "操作员口令设置与更改", "操作员口令设置与更改", "", Always, App, 0, false, "", ""},
    {57607, "打印(&P)...", "打印活动文档", "", PerView, View, 0, true, "Ctrl+P", "印"},
    {57609, "打印预览(&V)", "显示整页", "", PerView, View, 0, true, "", "览"},
    {57606, "打印设置(&R)...", "改变打印机及打印选项", "", PerView, View, 0, true, "", ""},
    {915, "页面设置(&L)...", "设置输出页面效果", "", PerView, View, 0, true, "", ""},
    {916, "计算器(D)", "调用Tavrel计算器进行计算", "", Always, App, 0, false, "", "算"},
    {57634, "复制", "复制选定内容并将其放到剪贴板上", "", PerView, View, 0, true, "Ctrl+C", ""},
    {57635, "剪切", "剪切选定内容并将其放到剪贴板上", "", PerView, View, 0, true, "Ctrl+X", ""},
    {57637, "粘贴", "插入剪贴板内容", "", PerView, View, 0, true, "Ctrl+V", ""},
    {3001, "保存数据(&S)", "保存当前内容", "", PerView, View, 0, true, "Ctrl+S", "存"},
    {57602, "关闭(&C)", "关闭活动文档", "", Always, Frame, 0, true, "Ctrl+F4", ""},
    {57665, "退出项目软件(&X)", "退出应用程序；提示保存文档", "", Always, Frame, 0, true, "Alt+F4", ""},
    // 数据操纵
    {32771, "按帐户录入", "按帐户录入数据", "0201", Right, App, 1, true, "", "户"},
    {32772, "按日期录入", "按日期录入数据", "0202", Right, App, 2, true, "", "日"},
    {32853, "利息计算", "计算指定时间段内帐户利息", "0203", Right, App, 3, true, "", "息"},
    {32854, "余额调节表", "根据对帐结果产生余额调节表", "0204", Right, App, 4, true, "", "调"},
    // 查询帐簿
    {32779, "三栏式帐", "三栏式帐的查询与打印", "0301", Right, App, 5, true, "", "三"},
    {32780, "多栏式帐", "多栏式帐的查询与打印", "0302", Right, App, 6, true, "", "多"},
    {32781, "数量金额式帐", "数量金额式帐的查询与打印", "0303", Right, App, 7, true, "", "数"},
    {32782, "复币式帐", "复币式帐的查询与打印", "0304", Right, App, 7, true, "", "币"},
    {40020, "余额表", "帐户余额表的查询与打印", "0305", Right, App, 8, true, "", "余"},
    {40021, "余额及发生额表", "帐户余额及发生额表的查询与打印", "0306", Right, App, 9, true, "", "发"},
    {40045, "试算平衡表", "各一级科目一个月的期初余额、发生额、期末余额及借贷是否平衡",
     "0301|0302|0303|0304|0305|0306|0307", Right, App, 14, true, "", ""},
    {40022, "帐页模糊查询", "根据提供的条件进行模糊查询", "0307", Right, App, 10, true, "", "模"},
    {40036, "打印全部帐页", "打印全年每个帐户的帐页和余额表", "0301", Right, App, 0, true, "", ""},
    {40037, "财务报表", "资产负债表、利润表等财务报表的查询与打印", "0305", Right, App, 13, true, "", ""},
    {40038, "报表模板", "财务报表的项目和公式的设置", "0403", Right, App, 0, true, "", ""},
    {40039, "结转损益", "把本月损益类科目的发生额结转到本年利润", "0202", Right, App, 0, true, "", ""},
    // 帐户目录
    {40023, "帐户目录查询", "帐户目录的分级查询", "0401", Right, App, 0, true, "", "查"},
    {40024, "帐户目录打印", "帐户目录的打印与查询", "0402", Right, App, 11, true, "", ""},
    {40025, "帐户设置", "帐户目录的设置", "0403", Right, App, 0, true, "", "设"},
    {40026, "年初帐户余额", "帐户年初余额的录入与调整", "0404", Right, App, 0, true, "", ""},
    {40027, "外币帐户设置", "外币帐户目录设置", "0405", Right, App, 0, true, "", ""},
    {40028, "外币汇率设置", "外币汇率的设置", "0406", Right, App, 0, true, "", ""},
    // 帐务管理
    {40030, "操作人员管理", "操作人员管理", "0101", RightNoChild, App, 0, false, "", ""},
    {40031, "建新年度帐", "建立新年度帐务文件", "0101", RightNoChild, App, 0, false, "", ""},
    {40032, "转帐", "年终结转", "0101", RightNoChild, App, 0, true, "", ""},
    {40033, "拷贝会计信息", "从本系统内的其他帐套中拷贝信息", "0101", RightNoChild, App, 0, true, "", ""},
    {40046, "备份与恢复", "备份当前帐务数据，列出本年度的备份，恢复其中之一", "0101", RightNoChild, App, 0, true, "", ""},
    {40029, "建立帐套", "为新用户主体建立帐套", "0101", RightNoChild, App, 0, false, "", ""},
    {40034, "帐套信息修改", "修改核算单位名称、主管等帐套信息", "0101", RightNoChild, App, 0, false, "", ""},
    {40035, "数据检查", "检查帐务数据文件中的错误，列出有关的行和试算平衡", "0101", Right, App, 12, true, "", ""},
    // 查看
    {59392, "工具栏", "显示或隐藏工具栏", "", Always, Frame, 0, true, "", ""},
    {59393, "状态栏", "显示或隐藏状态栏", "", Always, Frame, 0, true, "", ""},
    // 窗口
    {57648, "新建窗口", "为活动文档打开另一个窗口", "", ActiveChild, Frame, 0, true, "", ""},
    {57650, "层叠", "层叠窗口", "", Always, Frame, 0, true, "", ""},
    {57651, "平铺", "平铺窗口", "", Always, Frame, 0, true, "", ""},
    {57649, "排列图标", "排列窗口底部的图标", "", Always, Frame, 0, true, "", ""},
    // 帮助
    {57667, "帮助主题(&H)", "列出帮助主题", "", Always, Frame, 0, true, "", "？"},
    {57664, "关于项目软件(&A)...", "显示软件信息", "", Always, App, 0, true, "", ""},
    // Reached only by keys.
    {3002, "", "增加一行", "", PerView, View, 0, true, "", ""},
    {3006, "", "删除选定的内容：单元格内删除选定的字符（未选定时删除光标处的一个字符），选定整行时删除这些行", "", PerView, View, 0, true, "", ""},
    {57601, "", "打开", "", PerView, View, 0, true, "", ""},
    {57643, "", "撤消最后一步操作", "", PerView, View, 0, true, "", ""},
    {57644, "", "重新执行先前已撤消的操作", "", PerView, View, 0, true, "", ""},
    {57670, "", "列出帮助主题", "", Always, Frame, 0, true, "", ""},
    {57669, "", "显示命令的帮助", "", Always, Frame, 0, true, "", ""},
    {32826, "", "查询帐户科目", "", PerView, View, 0, true, "", ""},
    {32842, "", "", "", PerView, View, 0, true, "", ""},
    {57680, "", "切换到下一个窗格", "", PerView, View, 0, true, "", ""},
    {57681, "", "切换到上一个窗格", "", PerView, View, 0, true, "", ""},
};

const std::vector<MenuPopup> kMenus = {
    {"通用服务(&F)",
     {40018, 40019, 0, 57607, 57609, 57606, 915, 0, 916, 0, 57634, 57635, 57637, 0, 3001, 57602, 0, 57665}},
    {"数据操纵(&E)", {32771, 32772, 0, 32853, 32854, 0, 40039}},
    {"查询帐簿(&B)", {32779, 32780, 32781, 32782, 0, 40020, 40021, 40045, 0, 40022, 0, 40037, 40038, 0, 40036}},
    {"帐户目录(&K)", {40023, 40024, 0, 40025, 40026, 0, 40027, 40028}},
    {"帐务管理(&G)", {40030, 40031, 40032, 40033, 40046, 0, 40029, 40034, 0, 40035}},
    {"查看", {59392, 59393}},
    {"窗口", {57648, 57650, 57651, 57649}, true},
    {"帮助(&H)", {57667, 0, 57664}},
};

const std::vector<int> kToolBar = {3001,  57607, 57609, 0,     32771, 32772, 0,     32853,
                                   32854, 0,     32779, 32780, 32781, 32782, 40020, 40021,
                                   40022, 0,     40023, 40025, 0,     916,   57667};

const std::vector<Accelerator> kAccelerators = {
    {"Ctrl+S", 3001},  {"Ctrl+N", 3002},        {"Ctrl+O", 57601}, {"Ctrl+P", 57607},
    {"Ctrl+C", 57634}, {"Ctrl+Insert", 57634},  {"Ctrl+X", 57635}, {"Shift+Delete", 57635},
    {"Ctrl+V", 57637}, {"Shift+Insert", 57637}, {"Ctrl+Z", 57643}, {"Alt+Backspace", 57643},
    {"Ctrl+Y", 57644}, {"Delete", 3006},        {"F1", 57670},     {"Shift+F1", 57669},
    {"F2", 32826},     {"F3", 32842},           {"F6", 57680},     {"Shift+F6", 57681},
    {"F12", 916},
};

}  // namespace

const std::vector<CommandInfo>& Commands() {
  return kCommands;
}

const CommandInfo* FindCommand(int id) {
  for (const CommandInfo& c : kCommands)
    if (c.id == id) return &c;
  return nullptr;
}

const std::vector<MenuPopup>& MenuLayout() {
  return kMenus;
}
const std::vector<int>& ToolBarLayout() {
  return kToolBar;
}
const std::vector<Accelerator>& Accelerators() {
  return kAccelerators;
}

std::string PlainMenuText(const std::string& text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    // A two-byte character is copied whole, so its second byte is never read as a marker.
    if (static_cast<unsigned char>(text[i]) >= 0x80 && i + 1 < text.size()) {
      plain += text.substr(i, 2);
      ++i;
    } else if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '&') {
      plain += '&';
      ++i;
    } else if (text[i] != '&') {
      plain += text[i];
    }
  }
  return plain;
}
