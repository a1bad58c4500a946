// Bookkeepers at the entry windows on a year on the server: a save of a sheet another bookkeeper changed
// since it was opened is refused, as on a year file; and an office at work (four bookkeepers, reports and
// an import at once) loses no posting, doubles none and tells every refused save why.
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
#include "support/child_counts.h"
#include "support/cli_run.h"
#include "support/stale_sheets.h"
#include "support/temp_dir.h"
#include "support/test_server.h"

namespace {

// A year on the server with the entry tests' chart.
std::string ServerYearWithChart(const std::string& set) {
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
  std::string year = ServerYearWithChart(server.Uri());
  ASSERT_FALSE(year.empty());
  ExpectStaleSheetsRefused(year, platform);
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
    year = ServerYearWithChart(server.Uri());
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
