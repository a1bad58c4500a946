// Kills the tool with SIGKILL at random moments while it changes a year file, as a power cut would, and
// looks at what is left: either no year file or one that opens, passes SQLite's integrity check and holds
// all of the change or none of it; and when none, the same command run again succeeds.
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

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// Starts the tool, its output thrown away.
pid_t StartTool(const std::vector<std::string>& args) {
  pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv{const_cast<char*>(TAVREL_CLI)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
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

// "absent", "broken: …", or the values of the statement, joined.
std::string Digest(const std::string& file, const std::string& sql) {
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

std::vector<Writer> Writers() {
  auto set = [](const std::string& f) { ASSERT_EQ(RunTool({"create-set", f + "/s"}), 0); };
  return {
      {"create-set", [](const std::string&) {},
       [](const std::string& f) {
         return std::vector<std::string>{"create-set", f + "/s"};
       },
       "s/2026.vyx", "select count(*) from opr"},
      {"new-year", set,
       [](const std::string& f) {
         return std::vector<std::string>{"new-year", f + "/s/2026.vyx", "2027"};
       },
       "s/2027.vyx", "select count(*) from opr"},
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
      if (left == after) {
        ++all;
        continue;
      }
      EXPECT_EQ(left, before) << w.name << " killed after " << at.count() << " µs";
      ++none;
      EXPECT_EQ(RunTool(w.command(folder)), 0) << w.name << " again after a kill at " << at.count() << " µs";
      EXPECT_EQ(Digest(folder + "/" + w.file, w.digest), after) << w.name;
    }
  }
  std::printf("crash test: %d rounds, %d left nothing, %d left everything\n", rounds, none, all);
}

}  // namespace
