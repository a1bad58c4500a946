#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace {
// Runs the program with the arguments under the offscreen platform and a home of its own; its exit status,
// or -1 when it had to be stopped.
int RunProgram(const std::string& args) {
  TempDir home;
  std::string command = "HOME=" + home.Path() + " XDG_CONFIG_HOME=" + home.Path() +
                        " QT_QPA_PLATFORM=offscreen timeout 20 '" TAVREL_PROGRAM "' " + args +
                        " >/dev/null 2>&1";
  int status = std::system(command.c_str());
  if (!WIFEXITED(status) || WEXITSTATUS(status) == 124) return -1;
  return WEXITSTATUS(status);
}
}  // namespace

TEST(ProgramStart, RequestsOtherThanOneFileEndTheProgramAtOnce) {
  EXPECT_EQ(RunProgram("--print 2026.vyx"), 0);
  EXPECT_EQ(RunProgram("-p"), 0);
  EXPECT_EQ(RunProgram("2025.vyx 2026.vyx"), 0);
}
