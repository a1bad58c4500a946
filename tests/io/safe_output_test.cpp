// Files the user names for an output: what may never be written over, replacing only when asked, the
// book's permission bits, and a failed write that leaves the old file and nothing else; pipes, devices and
// sockets refused by their type without waiting; the question before files are replaced.
#include "io/safe_output.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/file_facts.h"
#include "support/year_file_fixture.h"

namespace {

namespace fs = std::filesystem;

using SafeOutputTest = YearFileTest;

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The refusal of a path, looked for in a child process: a look that blocks (on a FIFO, a terminal) is cut
// off after a few seconds and gives nullopt, so that it fails the test instead of hanging the run.
std::optional<std::string> RefusalWithin(const std::string& path, const std::string& book) {
  int fds[2];
  if (::pipe(fds) != 0) return std::nullopt;
  pid_t child = ::fork();
  if (child == 0) {
    ::close(fds[0]);
    std::string refusal = "[" + OutputRefusal(path, book) + "]";
    (void)!::write(fds[1], refusal.data(), refusal.size());
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string got;
  pollfd p{fds[0], POLLIN, 0};
  char buf[512];
  while (::poll(&p, 1, 5000) > 0) {
    ssize_t n = ::read(fds[0], buf, sizeof buf);
    if (n <= 0) break;
    got.append(buf, static_cast<size_t>(n));
  }
  ::close(fds[0]);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  if (got.size() < 2 || got.back() != ']') return std::nullopt;
  return got.substr(1, got.size() - 2);
}

unsigned Mode(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 0777;
}

TEST_F(SafeOutputTest, YearFilesDatabasesAndTheBookAreNeverWrittenOver) {
  std::string book = CreateAccountSetFile(dir.Path(), 2026);
  std::string other = MakeYearFile("ledger.db", 2026);  // an SQLite file under any name
  WriteText(dir.File("report.csv"), "old");
  fs::create_symlink(book, dir.File("link.csv"));
  fs::create_hard_link(book, dir.File("hard.csv"));
  fs::create_directory(dir.File("out"));
  struct Case {
    std::string path;
    bool refused;
  } cases[] = {
      {book, true},          {dir.File("2027.vyx"), true}, {dir.File("2027.VYX"), true},
      {other, true},         {dir.File("link.csv"), true}, {dir.File("hard.csv"), true},
      {dir.File("out"), true}, {dir.File("report.csv"), false}, {dir.File("new.csv"), false},
  };
  std::string before = Read(book);
  for (const Case& c : cases) {
    EXPECT_EQ(!OutputRefusal(c.path, book).empty(), c.refused) << c.path;
    std::string error;
    bool written = WriteOutputFile({c.path, book, true}, "a,b\r\n", error);
    EXPECT_EQ(written, !c.refused) << c.path << " " << error;
  }
  EXPECT_EQ(Read(book), before);
  EXPECT_EQ(Read(dir.File("report.csv")), "a,b\r\n");
}

TEST_F(SafeOutputTest, ReplacesOnlyWhenAskedWithTheBooksBitsAndNeverHalfWay) {
  std::string book = CreateAccountSetFile(dir.Path(), 2026);
  std::string out = dir.File("report.csv");
  WriteText(out, "old");
  std::string error;
  EXPECT_FALSE(WriteOutputFile({out, book, false}, "new", error));
  EXPECT_EQ(Read(out), "old");

  // A writer that fails half-way leaves the old file and no working file.
  EXPECT_FALSE(WriteOutputFile(
      {out, book, true},
      [](const std::string&, int fd, std::string& why) {
        (void)!::write(fd, "par", 3);
        why = "stopped";
        return false;
      },
      error));
  EXPECT_EQ(Read(out), "old");
  EXPECT_NE(error.find("stopped"), std::string::npos);

  for (unsigned mode : {0600u, 0640u, 0644u}) {
    ::chmod(book.c_str(), mode);
    ASSERT_TRUE(WriteOutputFile({out, book, true}, "new", error)) << error;
    EXPECT_EQ(Read(out), "new");
    EXPECT_EQ(Mode(out), mode);
  }

  // A link standing at the place is replaced itself; what it points at is never written.
  WriteText(dir.File("elsewhere.txt"), "keep");
  fs::create_symlink(dir.File("elsewhere.txt"), dir.File("via.csv"));
  EXPECT_FALSE(WriteOutputFile({dir.File("via.csv"), book, false}, "x", error));
  ASSERT_TRUE(WriteOutputFile({dir.File("via.csv"), book, true}, "x", error)) << error;
  EXPECT_FALSE(fs::is_symlink(dir.File("via.csv")));
  EXPECT_EQ(Read(dir.File("elsewhere.txt")), "keep");

  int files = 0;
  for (auto& e : fs::directory_iterator(dir.Path())) files += e.path().extension() == ".tmp";
  EXPECT_EQ(files, 0);
}

TEST_F(SafeOutputTest, OnlyRegularFilesAreReplacedAndTheLookNeverWaits) {
  std::string book = CreateAccountSetFile(dir.Path(), 2026);
  std::string other = MakeYearFile("ledger.db", 2026);
  ASSERT_EQ(::mkfifo(dir.File("fifo.csv").c_str(), 0600), 0);
  fs::create_symlink(dir.File("fifo.csv"), dir.File("via-fifo.csv"));
  int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", dir.File("sock.csv").c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  // A null device of its own in the folder (only root may make one).
  const bool device = ::mknod(dir.File("null.csv").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  // What a killed writer left beside the book, and a write-ahead log under a name of no database.
  WriteText(book + "-journal", std::string("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8) + "uncommitted");
  WriteText(dir.File("hot.bin"), std::string("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8));
  WriteText(dir.File("notes.txt"), "notes");
  WriteText(dir.File("notes.txt-wal"), "old");
  struct Case {
    std::string path;
    std::string says;   // a part of the refusal; "" when the path may be written
    bool write = true;  // also try to write there (never on the machine's own devices)
  } cases[] = {
      {dir.File("fifo.csv"), "管道"},
      {dir.File("via-fifo.csv"), "管道"},
      {dir.File("sock.csv"), "套接字"},
      {"/dev/null", "设备", false},
      {"/dev/stdout", "不能写入", false},
      {"/proc/self/fd/1", "不能写入", false},
      {book + "-journal", "附属文件"},
      {book + "-WAL", "附属文件"},
      {other + "-wal", "附属文件"},
      {other + "-shm", "附属文件"},
      {dir.File("2031.vyx-journal"), "附属文件"},
      {dir.File("hot.bin"), "数据库"},
      {dir.File("notes.txt-wal"), ""},
  };
  std::vector<Case> all(std::begin(cases), std::end(cases));
  if (device) all.push_back({dir.File("null.csv"), "设备"});
  for (const Case& c : all) {
    std::optional<std::string> refusal = RefusalWithin(c.path, book);
    ASSERT_TRUE(refusal.has_value()) << c.path << ": the look blocked";
    EXPECT_EQ(refusal->empty(), c.says.empty()) << c.path << " " << *refusal;
    EXPECT_NE(refusal->find(c.says), std::string::npos) << c.path << " " << *refusal;
    if (!c.write) continue;
    struct stat before {}, after {};
    ::lstat(c.path.c_str(), &before);
    std::string error;
    EXPECT_EQ(WriteOutputFile({c.path, book, true}, "a,b\r\n", error), c.says.empty()) << c.path;
    ::lstat(c.path.c_str(), &after);
    if (!c.says.empty()) {
      EXPECT_EQ(after.st_mode, before.st_mode) << c.path << " changed its type";
    }
  }
  EXPECT_EQ(Read(book + "-journal").substr(8), "uncommitted");
  EXPECT_EQ(Read(dir.File("notes.txt-wal")), "a,b\r\n");
  ::close(sock);
}

TEST_F(SafeOutputTest, AsksOnceBeforeReplacingAndNamesTheFiles) {
  EXPECT_TRUE(AskToReplace({}));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_FALSE(AskToReplace({"/a/1.pdf"}));  // 否 by default
  EXPECT_EQ(platform.LastText(), "“/a/1.pdf”已存在。\r要替换它吗？");
  platform.answers.push_back(MsgAnswer::Yes);
  std::vector<std::string> many;
  for (int i = 1; i <= 7; ++i) many.push_back("/a/" + std::to_string(i) + ".pdf");
  EXPECT_TRUE(AskToReplace(many));
  EXPECT_EQ(platform.LastText(),
            "“/a/1.pdf”\r“/a/2.pdf”\r“/a/3.pdf”\r“/a/4.pdf”\r“/a/5.pdf”\r等 7 个文件已存在。\r要替换它们吗？");
  EXPECT_EQ(platform.messages.size(), 2u);
  WriteText(dir.File("there.pdf"), "x");
  EXPECT_EQ(ExistingOutputs({dir.File("there.pdf"), dir.File("not.pdf")}),
            std::vector<std::string>{dir.File("there.pdf")});
}

}  // namespace
