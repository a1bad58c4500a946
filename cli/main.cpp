// tavrel-cli: account sets, year files, the SQL dialect, the calculator, reports and imports from the command
// line. Arguments are UTF-8; everything printed is UTF-8. Each subcommand lives in a file of its own and adds
// itself to the table in cli_support.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/gbk.h"
#include "base/text.h"
#include "base/version.h"
#include "cli_support.h"
#include "data/db_error.h"

namespace {

int Usage() {
  std::fputs(gbk::ToUtf8(UsageText()).c_str(), stderr);
  return 2;
}

// What a command printed reaches its reader only when the last buffered bytes are written and the file is
// closed: a full disk or a closed pipe shows there, and a result cut short is a failure.
int Finish(int status) {
  int error = std::fflush(stdout) != 0 ? errno : std::ferror(stdout) ? EIO : 0;
  bool failed = error != 0;
  // A standard output closed from the start, with nothing written to it, is no failure.
  if (std::fclose(stdout) != 0 && (failed || errno != EBADF)) {
    failed = true;
    error = errno;
  }
  if (!failed) return status;
  Fail(Format("无法写出结果（标准输出）：%s", std::strerror(error ? error : EIO)));
  return 1;
}

int Run(int argc, char* argv[]) {
  if (argc < 2) return Usage();
  if (std::string(argv[1]) == "--version") {
    std::printf("tavrel-cli %s\n", TavrelVersion());
    return 0;
  }
  Cli();
  std::vector<std::string> args;
  for (int i = 2; i < argc; ++i) {
    auto g = gbk::FromUtf8(argv[i]);
    if (!g) return Fail(Format("参数“%s”含有 GBK 不能表示的字符。", argv[i]));
    // The operator to log in as is an option of every command that opens a year file.
    if (*g == "--operator") {
      if (i + 1 >= argc) return Fail("选项“--operator”缺少它的值。");
      auto opno = gbk::FromUtf8(argv[++i]);
      if (!opno) return Fail(Format("参数“%s”含有 GBK 不能表示的字符。", argv[i]));
      CliOperator() = *opno;
      continue;
    }
    args.push_back(*g);
  }
  std::string name = argv[1];
  for (const CliCommand& c : CliCommands()) {
    if (c.name != name) continue;
    try {
      int status = c.run(args);
      return status < 0 ? Usage() : status;
    } catch (const jet::DbError& e) {
      return Fail(e.what());
    }
  }
  return Usage();
}

}  // namespace

int main(int argc, char* argv[]) {
  KeepCommandLine(argv);
  return Finish(Run(argc, argv));
}
