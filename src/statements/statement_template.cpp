// Templates of the financial statements: kept in the year file, read and written as CSV.
#include "statements/statement_template.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "accounts/chart_templates.h"
#include "base/gbk.h"
#include "base/text.h"
#include "data/data_env.h"
#include "data/database.h"
#include "data/sql_text.h"
#include "data/year_schema.h"
#include "io/csv_reader.h"
#include "io/report_export.h"

using jet::SqlText;

namespace {

// What the tables hold; a template longer than this is refused, never cut.
constexpr size_t kNameBytes = 40, kColumnBytes = 20, kCheckCaptionBytes = 60, kFormulaBytes = 250;
constexpr size_t kCaptionBytes = 80, kCodeBytes = 14;

std::string Field(jet::Cursor& c, int i) {
  return RTrim(c.Text(i));
}

const std::vector<std::string> kLineColumns = {"line", "indent", "side", "caption", "col1", "col2"};

}  // namespace

bool ParseLineNumber(const std::string& text, int& value) {
  std::string s = Trim(text);
  if (s.empty()) return (value = 0, true);
  if (s.size() > 4 || s.find_first_not_of("0123456789") != std::string::npos) return false;
  value = std::stoi(s);
  return true;
}

bool StatementTemplate::TwoSided() const {
  return std::any_of(lines.begin(), lines.end(), [](const StatementLine& l) { return l.side == 1; });
}

const StatementLine* StatementTemplate::Find(int lineNo) const {
  for (const StatementLine& l : lines)
    if (l.lineNo == lineNo && lineNo > 0) return &l;
  return nullptr;
}

std::vector<std::string> StatementNames(CVyDataEnv& env) {
  std::vector<std::string> names;
  for (auto c = env.Db()->Query("select na from stmt order by sno"); !c->AtEnd(); c->Next())
    names.push_back(Field(*c, 0));
  return names;
}

bool LoadStatement(CVyDataEnv& env, const std::string& name, StatementTemplate& t) {
  auto head = env.Db()->Query(
      Format("select sno,na,c1,c2,chkn,chk,cls,pla from stmt where na='%s'", SqlText(name).c_str()));
  if (head->AtEnd()) return false;
  long sno = static_cast<long>(head->Int(0));
  t = StatementTemplate{};
  t.name = Field(*head, 1);
  t.columns[0] = Field(*head, 2);
  t.columns[1] = Field(*head, 3);
  t.checkCaption = Field(*head, 4);
  t.checkFormula = Field(*head, 5);
  t.closed = Field(*head, 6);
  t.profitAccount = Field(*head, 7);
  head.reset();
  for (auto c = env.Db()->Query(Format("select hc,ind,sd,na,f1,f2 from stmtl where sno=%ld order by ln", sno));
       !c->AtEnd(); c->Next()) {
    StatementLine l;
    l.lineNo = static_cast<int>(c->Int(0));
    l.indent = static_cast<int>(c->Int(1));
    l.side = c->Int(2) == 1 ? 1 : 0;
    l.caption = Field(*c, 3);
    l.formula[0] = Field(*c, 4);
    l.formula[1] = Field(*c, 5);
    t.lines.push_back(std::move(l));
  }
  return true;
}

std::string TemplateRefusal(const StatementTemplate& t) {
  if (Trim(t.name).empty()) return "报表名称不能为空。";
  if (t.name.size() > kNameBytes) return Format("报表名称最多 %zu 个字节。", kNameBytes);
  for (const std::string& c : t.columns)
    if (c.size() > kColumnBytes) return Format("栏目名称“%s”超过 %zu 个字节。", c.c_str(), kColumnBytes);
  if (t.checkCaption.size() > kCheckCaptionBytes) return "校验说明太长。";
  if (t.checkFormula.size() > kFormulaBytes || t.closed.size() > kFormulaBytes) return "校验公式或结转科目太长。";
  if (t.profitAccount.size() > kCodeBytes) return "本年利润科目代码太长。";
  std::set<int> seen;
  int row = 0;
  for (const StatementLine& l : t.lines) {
    ++row;
    if (l.lineNo < 0 || l.indent < 0 || l.indent > 9) return Format("第 %d 行：行次或缩进不对。", row);
    if (l.lineNo > 0 && !seen.insert(l.lineNo).second) return Format("第 %d 行：行次 %d 重复。", row, l.lineNo);
    if (l.caption.size() > kCaptionBytes) return Format("第 %d 行：项目名称超过 %zu 个字节。", row, kCaptionBytes);
    for (const std::string& f : l.formula)
      if (f.size() > kFormulaBytes) return Format("第 %d 行：公式超过 %zu 个字节。", row, kFormulaBytes);
    if (l.lineNo == 0 && (!Trim(l.formula[0]).empty() || !Trim(l.formula[1]).empty()))
      return Format("第 %d 行：有公式的行要有行次。", row);
  }
  return "";
}

bool SaveStatement(CVyDataEnv& env, const StatementTemplate& t) {
  return env.RunInTransaction([&] { WriteStatement(env, t); });
}

void WriteStatement(CVyDataEnv& env, const StatementTemplate& t) {
  {
    EnsureStatementTables(*env.Db());
    std::string name = SqlText(t.name);
    long sno = env.QueryLong(Format("select max(sno) from stmt where na='%s'", name.c_str()));
    if (sno > 0) {
      env.Execute(Format("delete from stmtl where sno=%ld", sno));
      env.Execute(Format("delete from stmt where sno=%ld", sno));
    } else {
      sno = env.QueryLong("select max(sno) from stmt") + 1;
    }
    env.Execute(Format("insert into stmt(sno,na,c1,c2,chkn,chk,cls,pla) values(%ld,'%s','%s','%s','%s','%s','%s','%s')",
                       sno, name.c_str(), SqlText(t.columns[0]).c_str(), SqlText(t.columns[1]).c_str(),
                       SqlText(t.checkCaption).c_str(), SqlText(t.checkFormula).c_str(),
                       SqlText(t.closed).c_str(), SqlText(t.profitAccount).c_str()));
    int order = 0;
    for (const StatementLine& l : t.lines)
      env.Execute(Format("insert into stmtl(sno,ln,hc,ind,sd,na,f1,f2) values(%ld,%d,%d,%d,%d,'%s','%s','%s')", sno,
                         ++order, l.lineNo, l.indent, l.side, SqlText(l.caption).c_str(),
                         SqlText(l.formula[0]).c_str(), SqlText(l.formula[1]).c_str()));
  }
}

std::string TemplateCsv(const StatementTemplate& t) {
  auto row = [](std::initializer_list<std::string> gbkFields) {
    std::string line;
    for (const std::string& f : gbkFields) line += CsvField(gbk::ToUtf8(f)) + ",";
    line.back() = '\n';
    return line;
  };
  std::string out = row({"name", t.name}) + row({"columns", t.columns[0], t.columns[1]}) +
                    row({"check", t.checkCaption, t.checkFormula});
  if (!t.closed.empty() || !t.profitAccount.empty())
    out += row({"closed", t.closed}) + row({"profit", t.profitAccount});
  out += row({"line", "indent", "side", "caption", "col1", "col2"});
  for (const StatementLine& l : t.lines)
    out += row({l.lineNo ? std::to_string(l.lineNo) : "", std::to_string(l.indent), l.side ? "right" : "left",
                l.caption, l.formula[0], l.formula[1]});
  return out;
}

bool ParseTemplateCsv(const std::string& utf8, StatementTemplate& t, std::string& error) {
  t = StatementTemplate{};
  // The settings come first, one to a line; the table of lines starts at its header, which the CSV reader
  // then reads as any import's.
  std::istringstream in(utf8);
  std::string text, line;
  int lineNo = 0, headerAt = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    // A settings line is read as the one record under a header of its own.
    CsvTable settings;
    if (!settings.Parse("setting\n" + line + "\n", error)) {
      error = Format("第 %d 行：", lineNo) + error.substr(error.find("：") + std::string("：").size());
      return false;
    }
    if (settings.Records().empty()) continue;
    const std::vector<std::string>& f = settings.Records().front().fields;
    if (f[0] == "line") {
      headerAt = lineNo;
      text = line + "\n";
      break;
    }
    auto at = [&](size_t i) { return i < f.size() ? f[i] : std::string(); };
    if (f[0] == "name") t.name = at(1);
    else if (f[0] == "columns") t.columns[0] = at(1), t.columns[1] = at(2);
    else if (f[0] == "check") t.checkCaption = at(1), t.checkFormula = at(2);
    else if (f[0] == "closed") t.closed = at(1);
    else if (f[0] == "profit") t.profitAccount = at(1);
    else {
      error = Format("第 %d 行：不认识的设置“%s”，应为 name、columns、check、closed、profit 或表头 line。", lineNo,
                     at(0).c_str());
      return false;
    }
  }
  if (!headerAt) {
    error = "缺少表头 line,indent,side,caption,col1,col2。";
    return false;
  }
  text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  CsvTable table;
  if (!table.Parse(text, error)) return false;
  auto missing = table.MissingColumns(kLineColumns);
  auto unknown = table.UnknownColumns(kLineColumns);
  if (!missing.empty() || !unknown.empty()) {
    error = Format("第 %d 行：表头应为 line,indent,side,caption,col1,col2。", headerAt);
    return false;
  }
  for (const CsvRecord& r : table.Records()) {
    int at = headerAt + r.line - 1;
    std::string refusal = table.RecordRefusal(r);
    auto number = [&](const std::string& column, int& value) { return ParseLineNumber(table.Field(r, column), value); };
    StatementLine l;
    std::string side = Trim(table.Field(r, "side"));
    if (refusal.empty() && (!number("line", l.lineNo) || !number("indent", l.indent)))
      refusal = "行次和缩进应为数字。";
    if (refusal.empty() && side != "left" && side != "right" && !side.empty()) refusal = "side 应为 left 或 right。";
    if (!refusal.empty()) {
      error = Format("第 %d 行：", at) + refusal;
      return false;
    }
    l.side = side == "right" ? 1 : 0;
    l.caption = table.Field(r, "caption");
    l.formula[0] = Trim(table.Field(r, "col1"));
    l.formula[1] = Trim(table.Field(r, "col2"));
    t.lines.push_back(std::move(l));
  }
  error = TemplateRefusal(t);
  return error.empty();
}

std::vector<StatementTemplate> ShippedTemplates(const std::string& chart) {
  std::vector<StatementTemplate> out;
  std::string folder = SharedDataFolder("statements");
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
    std::string file = e.path().filename().string();
    if (file.rfind(chart + "-", 0) == 0 && e.path().extension() == ".csv") files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& path : files) {
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), error;
    StatementTemplate t;
    if (ParseTemplateCsv(text, t, error)) out.push_back(std::move(t));
  }
  return out;
}
