#include "app/command_line.h"

#include <filesystem>

#include "base/gbk.h"
#include "data/account_set.h"

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  if (args.empty()) return line;
  line.kind = CommandLine::Kind::Other;
  if (args.size() != 1 || args[0].empty() || args[0][0] == '-') return line;
  if (OnServer(args[0])) {
    // A year on a server is named by its URI, not a path of this machine.
    auto gbkName = gbk::FromUtf8(args[0]);
    if (!gbkName) return line;
    line.kind = CommandLine::Kind::OpenFile;
    line.file = *gbkName;
    return line;
  }
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(args[0], ec);
  if (ec) return line;
  auto gbkPath = gbk::FromUtf8(full.lexically_normal().string());
  if (!gbkPath) return line;
  line.kind = CommandLine::Kind::OpenFile;
  line.file = *gbkPath;
  return line;
}
