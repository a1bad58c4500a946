#include "data/year_schema.h"

#include <set>
#include <vector>

#include "base/text.h"
#include "data/sql_text.h"
#include "data/jet/schema.h"
#include "data/page_settings.h"

using jet::SqlText;

namespace {

const char* const kSyscstab = "CREATE TABLE SYSCSTAB(CS LONG,CSN LONG,\t\tCSNA CHAR(200),CSVAL CHAR(200))";

}  // namespace

void CreateYearTables(jet::Database& db) {
  const char* const statements[] = {
      "CREATE TABLE SYSTAB(NA CHAR(40),KJ CHAR(8),\t\tAN CHAR(10),PY LONG,MM LONG,JT CHAR(3),T1 CHAR(8),T13 "
      "CHAR(8))",
      kSyscstab,
      "CREATE TABLE OPR(OPNO CHAR(3),NA CHAR(8),PSD CHAR(10))",
      "CREATE TABLE PWR(OPNO CHAR(3),PWR CHAR(4))",
      "CREATE INDEX PWR ON PWR(OPNO)",
      "CREATE TABLE VyFormList(nFlag Long,nForm Long,\t\tsFna Char(40),nOpen Long,nTopNum Long)",
      "CREATE TABLE VyFormFormula(nFlag Long,nForm Long,\t\tnCol Long,nType Long,nFact Long,nLess Long,nMore "
      "Long,\t\tsFormula Char(200))",
      "CREATE TABLE VyFormTopWord(nFlag Long,nForm Long,\t\tnCol1 Long,nRow1 Long,nCol2 Long,nRow2 "
      "Long,sWords "
      "Char(100))",
      "CREATE TABLE VyFormHeadNote(nFlag Long,nForm Long,bIsTail Long,\t\tnRow Long,nColPecent Long,bIsUse "
      "Long,bIsSystem Long,sNote Char(20),sWords Char(200))",
  };
  for (const char* s : statements) db.Execute(s);
  // VYPAGESET, FIELDWIDTH and VYFONT, built from their column lists.
  PreparePageStorage(db);
  const char* const rest[] = {
      "CREATE TABLE SUBT(KNO CHAR(14),NA CHAR(30),CLAS LONG,\t\t\tOP CHAR(1),FZ CHAR(1),FZN CHAR(10),DL "
      "CHAR(1),DLF LONG,DLW LONG)",
      "CREATE INDEX SUBT ON SUBT(KNO)",
      "CREATE INDEX SUBT1 ON SUBT(CLAS,KNO)",
      "CREATE TABLE P0(T CHAR(8),CER CHAR(4),RN LONG,MRY CHAR(40),\t\t\tKNO CHAR(14),F LONG,MY DOUBLE,NU "
      "DOUBLE,MK CHAR(1),TT CHAR(2))",
      "CREATE INDEX P0 ON P0(T,CER,RN)",
      "CREATE INDEX P01 ON P0(KNO,T)",
      "CREATE INDEX P02 ON P0(KNO,TT)",
      "CREATE TABLE WBT(WNO CHAR(4),NA CHAR(10),HO CHAR(14))",
      "CREATE TABLE WBR(WNO CHAR(4),T CHAR(8),MY1 DOUBLE,MY2 DOUBLE)",
      "CREATE INDEX WBR ON WBR(WNO,T)",
  };
  for (const char* s : rest) db.Execute(s);
  EnsureStatementTables(db);
}

const char* const* SeedRights(int* count) {
  static std::vector<std::string> codes;
  static std::vector<const char*> ptrs;
  if (codes.empty()) {
    // Printed as 10201 + i and so on, without the first digit.
    const int bases[][2] = {{10201, 4}, {10301, 7}, {10401, 6}};
    for (auto& b : bases)
      for (int i = 0; i < b[1]; ++i) codes.push_back(Format("%d", b[0] + i).substr(1));
    for (auto& c : codes) ptrs.push_back(c.c_str());
  }
  *count = static_cast<int>(ptrs.size());
  return ptrs.data();
}

void SeedNewAccountSet(jet::Database& db, int year) {
  db.Execute(Format(
      "INSERT INTO SYSTAB(NA,KJ,PY,MM,JT,T1,T13) \t\tVALUES('××单位','×××',%d,0,'031','%d0101','%d1231')",
      year, year, year));
  db.Execute("INSERT INTO OPR(OPNO,NA,PSD) VALUES('101','管理员','')");
  db.Execute("INSERT INTO OPR(OPNO,NA,PSD) VALUES('102','×××','')");
  db.Execute("INSERT INTO PWR(OPNO,PWR) VALUES('101','0101')");
  int n = 0;
  const char* const* codes = SeedRights(&n);
  for (int i = 0; i < n; ++i)
    db.Execute(std::string("INSERT INTO PWR(OPNO,PWR) VALUES('102','") + codes[i] + "')");
  for (int form = 0; form <= 9; ++form) {
    PageSettings ps;
    SetPageDefaults(ps, form, "0");
    SavePageSettings(db, ps, form, "0");
  }
}

void EnsureStatementTables(jet::Database& db) {
  if (!db.HasTable("STMT"))
    db.Execute(
        "CREATE TABLE STMT(SNO LONG,NA CHAR(40),C1 CHAR(20),C2 CHAR(20),CHKN CHAR(60),CHK CHAR(250),CLS "
        "CHAR(250),PLA CHAR(14))");
  if (!db.HasTable("STMTL"))
    db.Execute("CREATE TABLE STMTL(SNO LONG,LN LONG,HC LONG,IND LONG,SD LONG,NA CHAR(80),F1 CHAR(250),F2 CHAR(250))");
}

void EnsureSyscstab(jet::Database& db) {
  if (!db.HasTable("SYSCSTAB")) db.Execute(kSyscstab);
}

namespace {

// A value as a literal of the dialect, so that it reads back exactly.
std::string Literal(const jet::Cursor& c, int i) {
  if (c.IsNull(i)) return "NULL";
  if (c.IsText(i)) return "'" + SqlText(c.Text(i)) + "'";
  double d = c.Real(i);
  long long n = c.Int(i);
  if (static_cast<double>(n) == d) return Format("%lld", n);
  return Format("%.17g", d);
}

void CopyTable(jet::Database& from, jet::Database& to, const std::string& table) {
  const jet::TableInfo* src = from.FindTable(table);
  const jet::TableInfo* dst = to.FindTable(table);
  if (!src || !dst) return;
  std::vector<std::string> cols;
  for (auto& c : dst->columns)
    if (src->Find(c.name)) cols.push_back(c.name);
  if (cols.empty()) return;
  std::string list;
  for (auto& c : cols) list += (list.empty() ? "" : ",") + c;
  std::string select = "SELECT " + list + " FROM " + dst->name;
  // The rows the target already holds, as the literals they would be written with.
  std::multiset<std::string> present;
  for (auto c = to.Query(select); !c->AtEnd(); c->Next()) {
    std::string row;
    for (int i = 0; i < c->ColumnCount(); ++i) row += Literal(*c, i) + ",";
    present.insert(row);
  }
  for (auto c = from.Query("SELECT " + list + " FROM " + src->name); !c->AtEnd(); c->Next()) {
    std::string row, values;
    for (int i = 0; i < c->ColumnCount(); ++i) {
      std::string lit = Literal(*c, i);
      row += lit + ",";
      values += (i ? "," : "") + lit;
    }
    auto it = present.find(row);
    if (it != present.end()) {
      present.erase(it);
      continue;
    }
    to.Execute("INSERT INTO " + dst->name + "(" + list + ") VALUES(" + values + ")");
  }
}

}  // namespace

void CopyCarriedTables(jet::Database& from, jet::Database& to) {
  const char* const tables[] = {
      "OPR",           "PWR",           "VYFONT",         "VYPAGESET", "FIELDWIDTH", "VyFormList",
      "VyFormFormula", "VyFormTopWord", "VyFormHeadNote", "SYSCSTAB",  "VYVAR", "STMT", "STMTL"};
  to.Begin();
  try {
    for (const char* t : tables) CopyTable(from, to, t);
    to.Commit();
  } catch (...) {
    to.Rollback();
    throw;
  }
}
