// Kills the tool with SIGKILL at random moments while it changes a year file, as a power cut would, and
// looks at what is left: either no year file or one that opens, passes SQLite's integrity check and holds
// all of the change or none of it; and when none, the same command run again succeeds. Every copy left
// under a backup's name opens too, whenever the kill came.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "data/data_env.h"
#include "entry/account_entry_view.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// What the entry window by account does on Ctrl+S, run in this process: loads a month of an account, types
// the given number of rows and saves with 是. Exits 0 when the month was saved.
[[noreturn]] void SaveMonth(const std::string& file, const std::string& code, int year, int month, int rows) {
  ScriptedPlatform platform;
  CVyDataEnv env;
  if (!env.Open(file, "101", 0)) _exit(2);
  CQirnpz1 view;
  view.SetDataEnv(&env);
  view.InitForm();
  view.OnSize(1400, 900);
  view.Load(code, year, month, 0);
  for (int r = 0; r < rows; ++r) {
    const std::string cells[] = {std::to_string(r % 20 + 1), "row" + std::to_string(r),
                                 std::to_string(r + 1) + ".25"};
    for (int c = 0; c < 3; ++c) {
      view.SetCurrent(r, c, 999, "TEXT");
      VyCellInfo held;
      view.GetCell(r, c, "TEXT", held, false);
      for (size_t i = 0; i < held.text.size(); ++i) view.OnKeyDown(VyKey::Backspace, false, false);
      view.OnChar(cells[c]);
    }
    view.SetCurrent(r, 0, 0, "TEXT");
    view.OnKeyDown(VyKey::Down, false, false);
  }
  platform.answers.push_back(MsgAnswer::Yes);
  _exit(view.SaveFlow() == CEntryView::kSaved ? 0 : 1);
}

// Starts the tool, its output thrown away; "@save-month FILE CODE YEAR MONTH ROWS" runs SaveMonth instead.
pid_t StartTool(const std::vector<std::string>& args) {
  pid_t pid = fork();
  if (pid == 0 && args[0] == "@save-month")
    SaveMonth(args[1], args[2], std::stoi(args[3]), std::stoi(args[4]), std::stoi(args[5]));
  if (pid == 0) {
    std::vector<std::string> all = args;
    // The administration commands are the administrator's (101, no password in a new account set).
    for (const char* admin : {"new-year", "carry-forward", "copy-info", "backup"})
      if (args[0] == admin) all.insert(all.end(), {"--operator", "101"});
    setenv("TAVREL_PASSWORD", "", 1);
    std::vector<char*> argv{const_cast<char*>(TAVREL_CLI)};
    for (const std::string& a : all) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execv(TAVREL_CLI, argv.data());
    _exit(127);
  }
  return pid;
}

int WaitTool(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunTool(const std::vector<std::string>& args) {
  return WaitTool(StartTool(args));
}

// Starts the tool and kills it after the given time (it may have ended by then).
void RunAndKill(const std::vector<std::string>& args, std::chrono::microseconds after) {
  pid_t pid = StartTool(args);
  std::this_thread::sleep_for(after);
  kill(pid, SIGKILL);
  WaitTool(pid);
}

std::string Digest(const std::string& file, const std::string& sql);

// Of a backup folder: "N copies", or the first copy that does not open.
std::string BackupsDigest(const std::string& folder) {
  int copies = 0;
  std::error_code ec;
  for (auto& e : fs::directory_iterator(folder, ec)) {
    if (e.path().extension() != ".vyx") continue;
    std::string d = Digest(e.path().string(), "select count(*) from systab");
    if (d != "1|") return e.path().filename().string() + " " + d;
    ++copies;
  }
  return std::to_string(copies) + " copies";
}

// Every copy under a backup's name below the folder, each looked at; "" when all open.
std::string BrokenBackups(const std::string& folder) {
  std::string broken;
  for (auto& e : fs::recursive_directory_iterator(folder))
    if (e.is_directory() && e.path().filename() == "备份") {
      std::string d = BackupsDigest(e.path().string());
      if (d.find(" copies") == std::string::npos) broken += d + "\n";
    }
  return broken;
}

// Working files of copies whose process is gone, which the next copy removes.
int Leftovers(const std::string& folder) {
  int n = 0;
  for (auto& e : fs::recursive_directory_iterator(folder))
    n += e.path().extension() == ".part" || e.path().string().ends_with("-journal");
  return n;
}

// "absent", "broken: …", or the values of the statement, joined; of a backup folder, its copies.
std::string Digest(const std::string& file, const std::string& sql) {
  if (file.ends_with("备份")) return BackupsDigest(file);
  if (!fs::exists(file)) return "absent";
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return "broken: cannot open";
  }
  std::string out;
  auto each = [](void* o, int n, char** values, char**) {
    for (int i = 0; i < n; ++i)
      *static_cast<std::string*>(o) += std::string(values[i] ? values[i] : "") + "|";
    return 0;
  };
  std::string check;
  char* err = nullptr;
  if (sqlite3_exec(db, "PRAGMA integrity_check", each, &check, &err) != SQLITE_OK || check != "ok|")
    out = "broken: integrity " + check + (err ? err : "");
  else if (sqlite3_exec(db, sql.c_str(), each, &out, &err) != SQLITE_OK)
    out = std::string("broken: ") + (err ? err : "");
  sqlite3_free(err);
  sqlite3_close(db);
  return out;
}

struct Writer {
  std::string name;
  // Makes the state before the change in the folder (with the tool).
  std::function<void(const std::string& folder)> prepare;
  std::function<std::vector<std::string>(const std::string& folder)> command;
  std::string file;    // the year file the change writes, relative to the folder
  std::string digest;  // what the change changes
};

// The year of the files create-set makes: this year.
const std::string kYear = std::to_string(
    std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()))
        .year()
        .
        operator int());
const std::string kNext = std::to_string(std::stoi(kYear) + 1);

void WriteFile(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fputs(text.c_str(), f);
  std::fclose(f);
}

// A chart of 30 accounts with 12 sub-accounts each, and an opening balance for every sub-account.
void WriteBook(const std::string& folder) {
  std::string accounts = "code,name,kind,unit,multi,side,width\n", openings = "code,side,amount,quantity\n";
  for (int a = 1; a <= 30; ++a) {
    accounts += std::to_string(1000 + a) + ",科目" + std::to_string(a) + ",,,,,\n";
    for (int c = 1; c <= 12; ++c) {
      std::string code = std::to_string(1000 + a) + "-" + std::to_string(c);
      accounts += code + ",明细" + std::to_string(c) + ",,,,,\n";
      openings += code + (c % 2 ? ",debit," : ",credit,") + std::to_string(a * 100 + c) + ".25,\n";
    }
  }
  std::string postings = "date,account,summary,debit,credit,mark,quantity\n";
  for (int i = 0; i < 4000; ++i) {
    std::string date =
        kYear + (i % 12 < 9 ? "0" : "") + std::to_string(i % 12 + 1) + "1" + std::to_string(i % 9);
    std::string code = std::to_string(1001 + i % 30) + "-" + std::to_string(1 + i % 12);
    std::string amount = std::to_string(i % 500 + 1) + ".50";
    postings += date + "," + code + ",摘要" + std::to_string(i) + "," +
                (i % 2 ? amount + "," : "," + amount) + "," + std::to_string(i % 3) + ",\n";
  }
  WriteFile(folder + "/accounts.csv", accounts);
  WriteFile(folder + "/openings.csv", openings);
  WriteFile(folder + "/postings.csv", postings);
}

std::vector<Writer> Writers() {
  auto set = [](const std::string& f) {
    ASSERT_EQ(RunTool({"create-set", f + "/s"}), 0);
    WriteBook(f);
  };
  auto chart = [set](const std::string& f) {
    set(f);
    ASSERT_EQ(RunTool({"import", "accounts", f + "/s/" + kYear + ".vyx", f + "/accounts.csv"}), 0);
  };
  auto book = [chart](const std::string& f) {
    chart(f);
    ASSERT_EQ(RunTool({"import", "openings", f + "/s/" + kYear + ".vyx", f + "/openings.csv"}), 0);
  };
  auto args = [](std::vector<std::string> a) {
    return [a](const std::string& f) {
      std::vector<std::string> out;
      for (const std::string& x : a) out.push_back(x[0] == '/' ? f + x : x);
      return out;
    };
  };
  const std::string year = "/s/" + kYear + ".vyx", next = "/s/" + kNext + ".vyx";
  const std::string balances = "select count(*),sum(f*my) from p0";
  return {
      {"create-set", [](const std::string&) {}, args({"create-set", "/s"}), "s/" + kYear + ".vyx",
       "select count(*) from opr"},
      {"new-year", set, args({"new-year", year, kNext}), "s/" + kNext + ".vyx", "select count(*) from opr"},
      {"import accounts", set, args({"import", "accounts", year, "/accounts.csv"}), "s/" + kYear + ".vyx",
       "select count(*) from subt"},
      {"import openings", chart, args({"import", "openings", year, "/openings.csv"}), "s/" + kYear + ".vyx",
       balances},
      {"import postings", book, args({"import", "postings", year, "/postings.csv"}), "s/" + kYear + ".vyx",
       balances},
      {"entry save",
       [book](const std::string& f) {
         book(f);
         ASSERT_EQ(RunTool({"import", "postings", f + "/s/" + kYear + ".vyx", f + "/postings.csv"}), 0);
       },
       args({"@save-month", year, "1001-1", kYear, "3", "300"}), "s/" + kYear + ".vyx",
       "select count(*),sum(f*my) from p0 where trim(kno)='1001-1' and tt='03' and rn>0"},
      {"carry-forward",
       [book](const std::string& f) {
         book(f);
         ASSERT_EQ(RunTool({"new-year", f + "/s/" + kYear + ".vyx", kNext}), 0);
       },
       args({"carry-forward", next, "--accounts", "--balances", "--yes"}), "s/" + kNext + ".vyx",
       "select (select count(*) from subt),count(*),sum(f*my) from p0"},
      {"copy-info",
       [book](const std::string& f) {
         book(f);
         ASSERT_EQ(RunTool({"create-set", f + "/t"}), 0);
       },
       args({"copy-info", "/t/" + kYear + ".vyx", year, "--accounts"}), "t/" + kYear + ".vyx",
       "select count(*) from subt"},
      {"backup",
       [book](const std::string& f) {
         book(f);
         ASSERT_EQ(RunTool({"import", "postings", f + "/s/" + kYear + ".vyx", f + "/postings.csv"}), 0);
       },
       args({"backup", year}), "s/备份", ""},
  };
}

TEST(CrashTest, AKilledWriterLeavesAllOrNothingAndCanRunAgain) {
  std::mt19937 random(7);
  int rounds = 0, none = 0, all = 0;
  for (const Writer& w : Writers()) {
    TempDir base;
    std::string prepared = base.Path() + "/prepared";
    fs::create_directories(prepared);
    w.prepare(prepared);
    std::string before = Digest(prepared + "/" + w.file, w.digest);

    // One whole run tells the state after and how long the change takes.
    std::string whole = base.Path() + "/whole";
    fs::copy(prepared, whole, fs::copy_options::recursive);
    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(RunTool(w.command(whole)), 0) << w.name;
    auto took =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    std::string after = Digest(whole + "/" + w.file, w.digest);
    ASSERT_NE(before, after) << w.name;

    for (int round = 0; round < 12; ++round, ++rounds) {
      std::string folder = base.Path() + "/round" + std::to_string(round);
      fs::copy(prepared, folder, fs::copy_options::recursive);
      auto at = std::chrono::microseconds(std::uniform_int_distribution<long>(0, took.count())(random));
      RunAndKill(w.command(folder), at);
      std::string left = Digest(folder + "/" + w.file, w.digest);
      EXPECT_EQ(BrokenBackups(folder), "") << w.name << " killed after " << at.count() << " µs";
      if (left == after) {
        ++all;
        continue;
      }
      EXPECT_EQ(left, before) << w.name << " killed after " << at.count() << " µs";
      ++none;
      EXPECT_EQ(RunTool(w.command(folder)), 0) << w.name << " again after a kill at " << at.count() << " µs";
      EXPECT_EQ(Digest(folder + "/" + w.file, w.digest), after) << w.name;
      EXPECT_EQ(BrokenBackups(folder), "") << w.name;
      EXPECT_EQ(Leftovers(folder), 0) << w.name << " again after a kill at " << at.count() << " µs";
    }
  }
  std::printf("crash test: %d rounds, %d left nothing, %d left everything\n", rounds, none, all);
}

}  // namespace
