#include "large_set.h"

#include <filesystem>
#include <random>

#include "base/text.h"
#include "data/database.h"
#include "data/year_files.h"

namespace {

// 10 top-level accounts, 6 children each, 6 grandchildren, 5 great-grandchildren: 2,230 accounts.
void Chart(std::vector<std::string>& codes, std::vector<int>& levels) {
  for (int a = 1; a <= 10; ++a) {
    std::string c1 = Format("%d", 100 + a);
    codes.push_back(c1);
    levels.push_back(1);
    for (int b = 1; b <= 6; ++b) {
      std::string c2 = Format("%s-%d", c1.c_str(), b);
      codes.push_back(c2);
      levels.push_back(2);
      for (int c = 1; c <= 6; ++c) {
        std::string c3 = Format("%s-%d", c2.c_str(), c);
        codes.push_back(c3);
        levels.push_back(3);
        for (int d = 1; d <= 5; ++d) {
          codes.push_back(Format("%s-%d", c3.c_str(), d));
          levels.push_back(4);
        }
      }
    }
  }
}

}  // namespace

LargeSet MakeLargeSet(const std::string& folder, int postings) {
  LargeSet set;
  std::vector<int> levels;
  Chart(set.accounts, levels);
  set.path = folder + Format("/%d.vyx", set.year);
  if (std::filesystem::exists(set.path)) return set;
  std::filesystem::create_directories(folder);
  CreateAccountSetFile(folder, set.year);

  jet::Database db;
  db.Open(set.path);
  db.Begin();
  std::vector<std::string> leaves;
  for (size_t i = 0; i < set.accounts.size(); ++i) {
    const std::string& code = set.accounts[i];
    db.Execute(
        Format("insert into subt (kno,na,clas,op,fz,fzn,dl,dlf,dlw) values "
               "\t\t\t('%s','%s',%d,'0','0',NULL,'0',0,0)",
               code.c_str(), ("科目" + code).c_str(), levels[i]));
    if (levels[i] == 4) leaves.push_back(code);
  }
  std::mt19937 rng(20261207);
  for (auto& leaf : leaves)
    db.Execute(
        Format("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt)\t\tvalues('%d0101','    "
               "',0,'期初余额','%s',%d,%.2lf,0,'4','01')",
               set.year, leaf.c_str(), rng() % 2 ? 1 : -1, (rng() % 1000000) / 100.0));
  int rest = postings - static_cast<int>(leaves.size());
  for (int i = 0; i < rest; ++i) {
    const std::string& kno = leaves[rng() % leaves.size()];
    int month = static_cast<int>(rng() % 12) + 1;
    int day = static_cast<int>(rng() % static_cast<unsigned>(DaysInMonth(set.year, month))) + 1;
    int cer = static_cast<int>(rng() % 10 == 0 ? 1 : rng() % 2 ? 0 : 2);
    db.Execute(
        Format("INSERT INTO P0(t,mry,cer,kno,f,my,nu,mk,rn,tt) "
               "VALUES('%s','摘要%d','%d','%s',%d,%.2lf,0,'%s',%d,'%02d')",
               Format("%04d%02d%02d", set.year, month, day).c_str(), i, cer, kno.c_str(), rng() % 2 ? 1 : -1,
               (rng() % 10000000) / 100.0, cer == 1 ? "0" : "4", i % 50 + 1, month));
  }
  db.Commit();
  return set;
}
