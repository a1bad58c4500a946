// Files the user names for an output: what may never be written over, replacing only when asked, the
// book's permission bits, and a failed write that leaves the old file and nothing else.
#include "io/safe_output.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace
