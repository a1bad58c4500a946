// Bookkeepers at the entry windows on a year on the server: a save of a sheet another bookkeeper changed
// since it was opened is refused, as on a year file; an import sent to the server in batches stores and
// refuses exactly as the year file does; and an office at work (four bookkeepers, reports and an import
// at once) loses no posting, doubles none and tells every refused save why.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "data/collisions.h"
#include "data/data_env.h"
#include "data/year_files.h"
#include "base/gbk.h"
#include "entry/postings_import.h"
#include "io/csv_reader.h"
#include "support/child_counts.h"
#include "support/cli_run.h"
#include "support/stale_sheets.h"
#include "support/temp_dir.h"
#include "support/test_server.h"

namespace {

// A year with the entry tests' chart, in an account set made on a server or in a folder.
std::string YearWithChart(const std::string& set) {
  std::string year = CreateAccountSetFile(set, 2026);
  CVyDataEnv env;
  if (!env.Open(year, "", 1)) return "";
  struct Chart : EntryTest {
    using EntryTest::AddChart;
  };
  Chart::AddChart(env);
  return year;
}

TEST(ServerEntry, ASheetAnotherBookkeeperChangedSinceItWasOpenedIsNotOverwritten) {
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster);
  ScriptedPlatform platform;
  std::string year = YearWithChart(server.Uri());
  ASSERT_FALSE(year.empty());
  ExpectStaleSheetsRefused(year, platform);
}

// A file of several of the server's batches of rows, with summaries whose GBK bytes hold a backslash (as a
// character's second byte, and alone) and empty quantities, imported into a year file and a year on the
// server: the same rows, numbered alike; and a row the table refuses (a trigger stands for any refusal of
// the engine) is named by its line wherever it stands in a batch, and nothing is written.
TEST(ServerImports, BatchesStoreAndRefuseAsTheYearFileDoes) {
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster);
  ScriptedPlatform platform;
  TempDir dir;
  MakeFolders(dir.Path() + "/set");
  const std::string years[] = {YearWithChart(dir.Path() + "/set"), YearWithChart(server.Uri())};
  const int lines = 4500;
  auto file = [&](int badLine) {
    std::string csv = "date,account,summary,debit,credit,mark,quantity\n";
    const char* accounts[] = {"101", "102-1", "103", "201"};
    for (int line = 2; line < lines + 2; ++line) {
      int i = line - 2;
      std::string summary = line == badLine ? "bad" : gbk::ToUtf8("\x95\x5c\\") + std::to_string(i);
      std::string account = accounts[i % 4];
      csv += "2026" + std::string(i % 3 ? "03" : "11") + (i % 7 < 5 ? "05" : "28") + "," + account + "," + summary +
             "," + (i % 2 ? "12.5," : "," + std::to_string(i % 900) + ".25") + "," + std::to_string(i % 3) + "," +
             (account == "103" ? std::to_string(i % 5) : "") + "\n";
    }
    return csv;
  };
  auto rows = [](CVyDataEnv& env) {
    std::string all;
    for (auto c = env.Db()->Query("select t,trim(kno),rn,mry,f,my,nu,cer,mk,tt from p0 order by t,kno,rn");
         !c->AtEnd(); c->Next())
      for (int i = 0; i < c->ColumnCount(); ++i) all += c->Text(i) + (i + 1 < c->ColumnCount() ? "|" : "\n");
    return all;
  };
  std::string stored[2];
  for (int e = 0; e < 2; ++e) {
    SCOPED_TRACE(years[e]);
    CVyDataEnv env;
    ASSERT_TRUE(env.Open(years[e], "", 1));
    env.Db()->ExecuteEngineSql(
        e == 0 ? "CREATE TRIGGER refuse BEFORE INSERT ON P0 WHEN NEW.MRY LIKE 'bad%' BEGIN SELECT RAISE(ABORT,'refused'); "
                 "END"
               : "CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN IF NEW.\"MRY\" LIKE 'bad%' THEN "
                 "RAISE EXCEPTION 'refused'; END IF; RETURN NEW; END$$; CREATE TRIGGER refuse BEFORE INSERT ON \"P0\" "
                 "FOR EACH ROW EXECUTE FUNCTION refuse()");
    // The first line, the first of a later batch, one inside the last batch; a refused line before the
    // engine's refusal is told too, and none after it.
    for (int bad : {2, 2002, 4490}) {
      CsvTable table;
      std::string error;
      std::string text = file(bad);
      text.insert(text.find('\n', text.find("\n2026") + 1) + 1, "20260230,101,x,1,,0,\n");
      ASSERT_TRUE(table.Parse(text, error)) << error;
      ImportOutcome out = ImportPostings(env, table);
      std::vector<std::string> expected = {"第 " + std::to_string(bad < 3 ? bad : bad + 1) + " 行：refused"};
      if (bad > 3) expected.insert(expected.begin(), "第 3 行：2 月没有 30 日，请重输");
      EXPECT_EQ(out.refused, expected) << bad;
      EXPECT_EQ(out.imported, 0);
      EXPECT_EQ(env.QueryLong("select count(*) from p0 where rn>0"), 0);
    }
    for (int twice = 0; twice < 2; ++twice) {
      CsvTable table;
      std::string error;
      ASSERT_TRUE(table.Parse(file(0), error)) << error;
      ImportOutcome out = ImportPostings(env, table);
      ASSERT_TRUE(out.Ok()) << out.refused[0];
      EXPECT_EQ(out.imported, lines);
    }
    EXPECT_EQ(env.QueryLong("select count(*) from p0 where rn>0"), 2 * lines);
    EXPECT_EQ(env.QueryLong("select count(*) from p0 where trim(mry)='\x95\x5c\\0'"), 2);
    stored[e] = rows(env);
  }
  EXPECT_EQ(stored[0], stored[1]);
}

// ---- the office under load

constexpr int kLoadSeconds = 25;
const char* const kStale = "的数据在本窗口打开之后已被其他用户修改";
const char* const kCollided = "另一位用户同时修改了同样的数据";

// What a writer did, written by its process into its own file: each saved or refused posting's summary on
// a line of "saved" or "refused", and its counts.
struct WriterLog {
  std::ofstream saved, refused;
  std::map<std::string, long> counts;
  WriterLog(const std::string& dir, const std::string& who)
      : saved(dir + "/" + who + ".saved"), refused(dir + "/" + who + ".refused") {}
  void Write(const std::string& dir, const std::string& who) {
    std::ofstream out(dir + "/" + who + ".counts");
    for (auto& [what, n] : counts) out << what << " " << n << "\n";
  }
};

// A bookkeeper for the given time: opens a month of an account or a day of the first quarter at random,
// types a balanced pair of rows (one account's debit and credit on a month, two accounts' on a day) and
// saves. A refused save must say why; nothing else may fail.
int RunBookkeeper(const std::string& year, const std::string& dir, int k, time_t until) {
  ScriptedPlatform platform;
  Bookkeeper b(year);
  if (!b.opened) return 100;
  const std::string who = "k" + std::to_string(k);
  WriterLog log(dir, who);
  std::mt19937 rnd(static_cast<unsigned>(k) * 7919u + 17u);
  const char* accounts[] = {"101", "201", "102-1"};
  for (int n = 0; std::time(nullptr) < until; ++n) {
    bool byDate = rnd() % 2 == 0;
    int month = 1 + static_cast<int>(rnd() % 3), day = 1 + static_cast<int>(rnd() % 4);
    std::string amount = std::to_string(1 + rnd() % 900) + "." + std::to_string(rnd() % 100);
    std::string first = who + "n" + std::to_string(n) + "a", second = who + "n" + std::to_string(n) + "b";
    if (byDate) {
      b.OpenDay(month, day);
      const char* debit = accounts[rnd() % 3];
      const char* credit = debit == accounts[0] ? accounts[1] : accounts[0];
      b.Type({first, debit, amount});
      b.Type({second, credit, "", amount});
    } else {
      b.OpenMonth(accounts[rnd() % 3], month);
      b.Type({std::to_string(day), first, amount});
      b.Type({std::to_string(day), second, "", amount});
    }
    platform.messages.clear();
    int result = b.Save(platform);
    if (result == CEntryView::kSaved) {
      log.saved << first << "\n" << second << "\n";
      ++log.counts[byDate ? "saves-by-date" : "saves-by-account"];
    } else if (result == CEntryView::kFailed) {
      const std::string& why = platform.messages.back().text;
      bool stale = why.find(kStale) != std::string::npos, collided = why.find(kCollided) != std::string::npos;
      if (!stale && !collided) {
        std::fprintf(stderr, "%s: a save refused for another reason: %s\n", who.c_str(), why.c_str());
        return 100;
      }
      log.refused << first << "\n" << second << "\n";
      ++log.counts[stale ? "refused-stale" : "refused-collision"];
    } else {
      return 100;
    }
  }
  log.counts["retries"] = jet::CollisionRetries();
  log.Write(dir, who);
  return 0;
}

// The importer: a new file of balanced pairs into the quarter's days, again and again; an import is
// whole or refused whole with the collision's words.
int RunImporter(const std::string& year, const std::string& dir, time_t until) {
  WriterLog log(dir, "import");
  for (int n = 0; std::time(nullptr) < until; ++n) {
    std::string csv = "date,account,summary,debit,credit,mark,quantity\n";
    std::vector<std::string> summaries;
    for (int i = 0; i < 30; ++i) {
      std::string date = "20260" + std::to_string(1 + i % 3) + "0" + std::to_string(1 + i % 4);
      std::string s = "i" + std::to_string(n) + "x" + std::to_string(i);
      csv += date + "," + (i % 2 ? "201" : "101") + "," + s + "," + (i % 2 ? ",25.5" : "25.5,") + ",0,\n";
      summaries.push_back(s);
    }
    std::string file = dir + "/import.csv";
    std::ofstream(file, std::ios::binary) << csv;
    CliResult r = RunCommand("timeout 60 " + std::string(TAVREL_CLI) + " import postings '" + year + "' " + file);
    bool ok = r.status == 0;
    // The tool speaks UTF-8.
    if (!ok && r.out.find(reinterpret_cast<const char*>(u8"请重试")) == std::string::npos) {
      std::fprintf(stderr, "an import refused for another reason: %s\n", r.out.c_str());
      return 100;
    }
    for (auto& s : summaries) (ok ? log.saved : log.refused) << s << "\n";
    ++log.counts[ok ? "imports" : "imports-refused"];
  }
  log.Write(dir, "import");
  return 0;
}

// The reader: reports of the quarter, again and again; none may fail.
int RunReports(const std::string& year, const std::string& dir, time_t until) {
  WriterLog log(dir, "reports");
  const char* reports[][2] = {{"balance", "--date 20260331"},
                              {"ledger", "--code 101 --mode detail"},
                              {"entry-day", "--date 20260102"},
                              {"turnover", "--from 20260101 --to 20260331"}};
  for (int n = 0; std::time(nullptr) < until; ++n) {
    const char* const* report = reports[n % 4];
    CliResult r = RunCommand("timeout 60 " + std::string(TAVREL_CLI) + " report " + report[0] + " '" + year + "' " +
                             report[1]);
    if (r.status != 0) {
      std::fprintf(stderr, "a report failed: %s\n", r.out.c_str());
      return 100;
    }
    ++log.counts["reports"];
  }
  log.Write(dir, "reports");
  return 0;
}

std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(ServerLoad, AnOfficeAtWorkLosesNoPostingAndDoublesNone) {
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster);
  TempDir dir;
  std::string year;
  {
    ScriptedPlatform platform;
    year = YearWithChart(server.Uri());
  }
  ASSERT_FALSE(year.empty());
  const time_t until = std::time(nullptr) + kLoadSeconds;
  std::vector<pid_t> children;
  for (int k = 0; k < 6; ++k) {
    pid_t pid = fork();
    if (pid == 0) {
      int status = k < 4 ? RunBookkeeper(year, dir.Path(), k, until)
                   : k == 4 ? RunReports(year, dir.Path(), until)
                            : RunImporter(year, dir.Path(), until);
      _exit(status);
    }
    children.push_back(pid);
  }
  SumOfChildCounts(children, "a program failed for another reason than a refused save it was told of");

  std::map<std::string, long> counts;
  std::map<std::string, int> saved;  // summary -> how many writers' logs say it was saved
  std::set<std::string> refused;
  for (const std::string who : {"k0", "k1", "k2", "k3", "import", "reports"}) {
    for (const std::string& line : Lines(dir.Path() + "/" + who + ".counts")) {
      std::istringstream in(line);
      std::string what;
      long n = 0;
      in >> what >> n;
      counts[what] += n;
    }
    for (const std::string& s : Lines(dir.Path() + "/" + who + ".saved")) ++saved[s];
    for (const std::string& s : Lines(dir.Path() + "/" + who + ".refused")) refused.insert(s);
  }
  ScriptedPlatform platform;
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(year, "", 1));
  // Every saved posting is there exactly once, no refused one is, and nothing else is.
  std::map<std::string, int> present;
  std::set<std::string> numbered;
  int twice = 0;
  auto rows = env.Db()->Query("select trim(mry),t,trim(kno),rn from p0 where rn>0");
  for (; !rows->AtEnd(); rows->Next()) {
    ++present[rows->Text(0)];
    if (!numbered.insert(rows->Text(1) + " " + rows->Text(2) + " " + rows->Text(3)).second) ++twice;
  }
  EXPECT_EQ(twice, 0) << "a (date, account, line) numbered twice";
  int lost = 0, doubled = 0, kept = 0, stray = 0;
  for (auto& [s, n] : saved) {
    if (n != 1) ++doubled;
    auto at = present.find(s);
    if (at == present.end()) ++lost;
    else if (at->second != 1) ++doubled;
  }
  for (const std::string& s : refused) kept += present.count(s) ? 1 : 0;
  for (auto& [s, n] : present) stray += saved.count(s) ? 0 : 1;
  EXPECT_EQ(lost, 0) << "saved postings missing";
  EXPECT_EQ(doubled, 0) << "saved postings there more than once";
  EXPECT_EQ(kept, 0) << "refused postings written";
  EXPECT_EQ(stray, 0) << "postings nobody saved";
  // The trial balance is 平: every save and import was of balanced pairs.
  auto sum = env.Db()->Query("select sum(f*my) from p0");
  EXPECT_LT(std::fabs(sum->Real(0)), 0.005);
  long saves = counts["saves-by-account"] + counts["saves-by-date"];
  EXPECT_GT(saves, 0);
  EXPECT_GT(counts["imports"], 0);
  EXPECT_GT(counts["reports"], 0);
  std::printf("in %d s: %ld saves (%ld by account, %ld by date), %ld refused as changed since opened, %ld refused "
              "after collisions, %ld collisions started again; %ld imports (%ld refused); %ld reports; %zu postings\n",
              kLoadSeconds, saves, counts["saves-by-account"], counts["saves-by-date"], counts["refused-stale"],
              counts["refused-collision"], counts["retries"], counts["imports"], counts["imports-refused"],
              counts["reports"], numbered.size());
}

}  // namespace
