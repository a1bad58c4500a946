#include "app/command_line.h"

#include <filesystem>

#include "base/gbk.h"

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  if (args.empty()) return line;
  line.kind = CommandLine::Kind::Other;
  if (args.size() != 1 || args[0].empty() || args[0][0] == '-') return line;
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(args[0], ec);
  if (ec) return line;
  auto gbkPath = gbk::FromUtf8(full.lexically_normal().string());
  if (!gbkPath) return line;
  line.kind = CommandLine::Kind::OpenFile;
  line.file = *gbkPath;
  return line;
}
