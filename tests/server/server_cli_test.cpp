// tavrel-cli on an account set on the server: the same book imported into a year file and into a year on
// the server gives byte-identical reports of every kind; and two programs writing into the same year at
// once lose nothing and leave nothing half-written.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/child_counts.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "support/test_server.h"

namespace {

const std::string kYear = "2026";

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string Quoted(const std::string& s) {
  return "'" + s + "'";
}

// A small book with the shapes the reports meet: three levels, a quantity account, both sides, all marks,
// summaries with and without the searched word.
void WriteBook(const std::string& folder, int postings) {
  std::string accounts = "code,name,kind,unit,multi,side,width\n", openings = "code,side,amount,quantity\n";
  accounts += "1405,库存商品,quantity,吨,,,\n";
  openings += "1405,debit,1200.5,30\n";
  for (int a = 1; a <= 6; ++a) {
    std::string top = std::to_string(1000 + a);
    accounts += top + ",科目" + std::to_string(a) + ",,,,,\n";
    for (int c = 1; c <= 4; ++c) {
      std::string mid = top + "-" + std::to_string(c);
      accounts += mid + ",明细" + std::to_string(c) + ",,,,,\n";
      for (int d = 1; d <= 2; ++d) {
        std::string leaf = mid + "-" + std::to_string(d);
        accounts += leaf + ",分户" + std::to_string(d) + ",,,,,\n";
        openings += leaf + (d % 2 ? ",debit," : ",credit,") + std::to_string(a * 100 + c * 10 + d) + ".25,\n";
      }
    }
  }
  std::string rows = "date,account,summary,debit,credit,mark,quantity\n";
  // Postings come in pairs on one day under one top account but different sub-accounts: rows that tie
  // under a report's order (same day, same line number), whose order moves the running balance.
  for (int i = 0; i < postings; ++i) {
    int k = i / 2, month = k % 12 + 1;
    std::string date = kYear + (month < 10 ? "0" : "") + std::to_string(month) + "1" + std::to_string(k % 9 + 1);
    std::string code = i % 17 == 0 ? "1405"
                                   : std::to_string(1001 + k % 6) + "-" + std::to_string(1 + i % 4) + "-" +
                                         std::to_string(1 + k % 2);
    std::string amount = std::to_string(i % 700 + 1) + "." + std::to_string(i % 100 / 10) + "5";
    std::string summary = (i % 5 == 0 ? "差旅费" : "摘要") + std::to_string(i);
    rows += date + "," + code + "," + summary + "," + (i % 2 ? amount + "," : "," + amount) + "," +
            std::to_string(i % 3) + "," + (code == "1405" ? std::to_string(i % 7 + 1) : "") + "\n";
  }
  WriteFile(folder + "/accounts.csv", accounts);
  WriteFile(folder + "/openings.csv", openings);
  WriteFile(folder + "/postings.csv", rows);
}

// What is wrong with the line numbers of a year's postings: each day's lines of an account must be
// numbered 1, 2, 3 … with no number used twice and none left out. "" when nothing.
std::string LineNumberFault(const std::string& year) {
  CliResult r = RunAdmin("sql " + Quoted(year) + " 'select t,trim(kno),rn from p0 where rn>0 order by t,kno,rn'");
  if (r.status != 0) return r.out;
  std::istringstream rows(r.out);
  std::string row, lastKey;
  int expected = 1;
  std::getline(rows, row);  // the column names
  while (std::getline(rows, row)) {
    size_t tab = row.rfind('\t');
    std::string key = row.substr(0, tab);
    if (key != lastKey) expected = 1;
    if (std::atoi(row.c_str() + tab + 1) != expected) return "line " + std::to_string(expected) + " expected: " + row;
    lastKey = key;
    ++expected;
  }
  return "";
}

void MakeSet(const std::string& set, const std::string& year, const std::string& book) {
  ASSERT_EQ(RunCli("create-set " + Quoted(set)).status, 0);
  for (const char* kind : {"accounts", "openings", "postings"}) {
    CliResult r =
        RunCli(std::string("import ") + kind + " " + Quoted(year) + " " + book + "/" + kind + ".csv");
    ASSERT_EQ(r.status, 0) << kind << ": " << r.out;
  }
}

// The same book imported into a year file and into a year on the server.
struct BothEngines {
  BothEngines(const std::string& cluster, int postings) : server(cluster) {
    WriteBook(dir.Path(), postings);
    MakeSet(dir.Path() + "/set", fileYear, dir.Path());
    MakeSet(server.Uri(), serverYear, dir.Path());
  }
  test_server::ScratchDatabase server;
  TempDir dir;
  const std::string fileYear = dir.Path() + "/set/" + kYear + ".vyx", serverYear = server.Uri() + "#" + kYear;
};

TEST(ServerReports, EveryKindGivesTheSameTextOnBothEngines) {
  REQUIRE_TEST_SERVER(cluster);
  BothEngines both(cluster, 1500);
  const std::string &fileYear = both.fileYear, &serverYear = both.serverYear;
  const std::vector<std::string> reports = {
      "catalogue",
      "catalogue --code 1003",
      "openings",
      "openings --code 1002-3",
      "entry-month --code 1001-1-1 --year 2026 --month 3",
      "entry-day --date 20260512",
      "ledger --code 1002 --mode detail",
      "ledger --code 1001-2-1 --from 2 --to 9",
      "ledger --code 1004 --mode summary --unreached",
      "multi --code 1003 --from 1 --to 12",
      "quantity --code 1405",
      "balance --date 20261130",
      "balance --date 20260630 --code 1002",
      "turnover --from 20260401 --to 20261231 --all-levels",
      "search --code 1005 --summary 差旅",
      "search --amount 100 --amount2 300 --from 3 --to 5",
      "interest --from 20260101 --to 20261231 --rate 0.35 --code 1001-1-1",
      "reconcile --code 1002-1-1 --from 20260101 --to 20261231 --other 1000",
  };
  for (const std::string& report : reports) {
    std::string kind = report.substr(0, report.find(' '));
    std::string options = report.size() > kind.size() ? report.substr(kind.size()) : "";
    CliResult a = RunCli("report " + kind + " " + Quoted(fileYear) + options + " --head");
    CliResult b = RunCli("report " + kind + " " + Quoted(serverYear) + options + " --head");
    EXPECT_EQ(a.status, b.status) << report;
    EXPECT_EQ(a.out, b.out) << report;
    EXPECT_GT(a.out.size(), 20u) << report << ": " << a.out;
  }
  // The book check finds nothing on either, and says so in the same words.
  CliResult a = RunAdmin("check " + Quoted(fileYear)), b = RunAdmin("check " + Quoted(serverYear));
  EXPECT_EQ(a.status, 0) << a.out;
  EXPECT_EQ(b.status, 0) << b.out;
  EXPECT_EQ(a.out, b.out);
}

// Two processes import postings into the same year again and again for a bounded time. Each import is
// whole or nothing: the year holds exactly the rows of the imports that said they succeeded, and no
// import hangs.
TEST(ServerWriters, TwoImportersLoseNothing) {
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster);
  TempDir dir;
  const int perImport = 200;
  WriteBook(dir.Path(), perImport);
  std::string year = server.Uri() + "#" + kYear;
  ASSERT_EQ(RunCli("create-set " + Quoted(server.Uri())).status, 0);
  ASSERT_EQ(RunCli("import accounts " + Quoted(year) + " " + dir.Path() + "/accounts.csv").status, 0);
  auto count = [&] {
    CliResult r = RunAdmin("sql " + Quoted(year) + " 'select count(*) from p0 where rn>0'");
    return std::atoi(r.out.substr(r.out.find('\n') + 1).c_str());
  };
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(6);
  std::vector<pid_t> children;
  for (int w = 0; w < 2; ++w) {
    pid_t pid = fork();
    if (pid == 0) {
      int done = 0;
      while (std::chrono::steady_clock::now() < until) {
        CliResult r = RunCommand("timeout 60 " + std::string(TAVREL_CLI) + " import postings " +
                                 Quoted(year) + " " + dir.Path() + "/postings.csv");
        if (r.status == 0)
          ++done;
        else if (r.out.find("请重试") == std::string::npos)
          _exit(100);  // only a collision may refuse
      }
      _exit(done);
    }
    children.push_back(pid);
  }
  int imports = SumOfChildCounts(children, "an import failed for another reason than a collision");
  EXPECT_GT(imports, 0);
  EXPECT_EQ(count(), imports * perImport);
  // Each import numbered its lines after those of the imports before it: no (date, account, line) twice.
  EXPECT_EQ(LineNumberFault(year), "");
}

// Four bookkeepers import a day each into one year at the same moment, three times over: writers of
// different days do not collide in truth, so every import commits (a meeting the server refuses is
// started again inside the program), and the days' lines are numbered on from the book's.
TEST(ServerWriters, ImportsOfDifferentDaysAtOnceAllCommit) {
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster);
  TempDir dir;
  WriteBook(dir.Path(), 400);
  std::string year = server.Uri() + "#" + kYear;
  MakeSet(server.Uri(), year, dir.Path());
  const int perDay = 40, bookkeepers = 4, rounds = 3;
  for (int b = 0; b < bookkeepers; ++b) {
    std::string csv = "date,account,summary,debit,credit,mark,quantity\n";
    for (int i = 0; i < perDay; ++i)
      csv += kYear + "03" + std::to_string(11 + b) + ",1001-" + std::to_string(1 + i % 4) + "-1,第" +
             std::to_string(b) + "人" + std::to_string(i) + "," + (i % 2 ? "12.5," : ",12.5") + ",0,\n";
    WriteFile(dir.Path() + "/day" + std::to_string(b) + ".csv", csv);
  }
  auto count = [&] {
    CliResult r = RunAdmin("sql " + Quoted(year) + " 'select count(*) from p0 where rn>0'");
    return std::atoi(r.out.substr(r.out.find('\n') + 1).c_str());
  };
  const int before = count();
  for (int round = 0; round < rounds; ++round) {
    std::vector<pid_t> children;
    const auto start = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    for (int b = 0; b < bookkeepers; ++b) {
      pid_t pid = fork();
      if (pid == 0) {
        while (std::chrono::steady_clock::now() < start) {
        }
        CliResult r = RunCommand("timeout 60 " + std::string(TAVREL_CLI) + " import postings " + Quoted(year) + " " +
                                 dir.Path() + "/day" + std::to_string(b) + ".csv");
        if (r.status != 0) std::fprintf(stderr, "import %d: %s\n", b, r.out.c_str());
        _exit(r.status == 0 ? 1 : 100);
      }
      children.push_back(pid);
    }
    EXPECT_EQ(SumOfChildCounts(children, "an import of its own day was refused"), bookkeepers) << round;
  }
  EXPECT_EQ(count(), before + rounds * bookkeepers * perDay);
  EXPECT_EQ(LineNumberFault(year), "");
}

// Random imports of postings, one after another, into a year file and a year on the server: after each,
// both hold the same rows with the same line numbers, numbered on from what the day already held, and
// print the same detail ledger. The first import is larger than the later ones, so that these look up each
// day's last line in the book as the bulk of imports into a large book does.
TEST(ServerImports, AnySequenceNumbersLinesAsTheEmbeddedEngineDoes) {
  REQUIRE_TEST_SERVER(cluster);
  BothEngines both(cluster, 0);
  const std::string &fileYear = both.fileYear, &serverYear = both.serverYear;
  const std::string days[] = {"0105", "0105", "0212", "0212", "0331", "0701", "1130"};
  const std::string accounts[] = {"1001-1-1", "1001-1-2", "1002-3-1", "1003-2-2", "1405"};
  for (unsigned seed : {1u, 2u, 3u}) {
    std::mt19937 rnd(seed);
    for (int import = 0; import < 4; ++import) {
      int lines = import == 0 && seed == 1 ? 400 : 3 + static_cast<int>(rnd() % 25);
      std::string csv = "date,account,summary,debit,credit,mark,quantity\n";
      for (int i = 0; i < lines; ++i) {
        std::string account = accounts[rnd() % std::size(accounts)];
        std::string amount = std::to_string(rnd() % 5000 + 1) + "." + std::to_string(rnd() % 10) + "0";
        csv += kYear + days[rnd() % std::size(days)] + "," + account + ",第" + std::to_string(seed) + "批" +
               std::to_string(import) + "-" + std::to_string(i) + "," + (rnd() % 2 ? amount + "," : "," + amount) +
               "," + std::to_string(rnd() % 3) + "," + (account == "1405" ? std::to_string(rnd() % 9 + 1) : "") +
               "\n";
      }
      std::string file = both.dir.Path() + "/import.csv";
      WriteFile(file, csv);
      std::string where = "seed " + std::to_string(seed) + ", import " + std::to_string(import);
      for (const std::string& year : {fileYear, serverYear}) {
        CliResult r = RunCli("import postings " + Quoted(year) + " " + file);
        ASSERT_EQ(r.status, 0) << where << ": " << r.out;
        EXPECT_EQ(LineNumberFault(year), "") << where << " " << year;
      }
      const std::string rows = " 'select t,trim(kno),rn,mry,f,my,nu,mk,tt from p0 order by t,kno,rn'";
      EXPECT_EQ(RunAdmin("sql " + Quoted(fileYear) + rows).out, RunAdmin("sql " + Quoted(serverYear) + rows).out)
          << where;
      for (const char* code : {"1001-1-1", "1405"}) {
        std::string report = std::string(" --code ") + code + " --mode detail --head";
        EXPECT_EQ(RunCli("report ledger " + Quoted(fileYear) + report).out,
                  RunCli("report ledger " + Quoted(serverYear) + report).out)
            << where << " " << code;
      }
    }
  }
}

}  // namespace
