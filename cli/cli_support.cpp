#include "cli_support.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/gbk.h"
#include "data/vy_data_env.h"

namespace {
char** commandLine = nullptr;
}  // namespace

void KeepCommandLine(char** argv) {
  commandLine = argv;
}

int RunInstead(const std::string& utf8Path) {
  std::fflush(stdout);
  if (commandLine) {
    char* self = commandLine[0];
    commandLine[0] = const_cast<char*>(utf8Path.c_str());
    execv(utf8Path.c_str(), commandLine);
    commandLine[0] = self;
  }
  std::string why = std::strerror(errno);
  return Fail("无法启动“" + gbk::FromUtf8(utf8Path).value_or(utf8Path) + "”：" + why);
}

void Print(const std::string& gbkText) {
  std::string line = gbk::ToUtf8(gbkText);
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), stdout);
}

int Fail(const std::string& gbkText) {
  std::string line = gbk::ToUtf8(gbkText);
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), stderr);
  return 1;
}

namespace {

// Message boxes break their lines with "\r" and indent with "\v"; a terminal wants line feeds. (GBK's
// second bytes are never control characters.)
std::string TerminalLines(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\v') continue;
    if (text[i] != '\r') {
      out.push_back(text[i]);
      continue;
    }
    out.push_back('\n');
    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return out;
}

}  // namespace

CliPlatform::CliPlatform() : base_(Plat()) {
  SetPlatform(this);
}

MsgAnswer CliPlatform::MessageBox(const std::string& text, const std::string&, MsgIcon, MsgButtons buttons,
                                  MsgAnswer defaultButton) {
  ++shown;
  Fail(TerminalLines(text));
  if (answerYes && (buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel))
    return MsgAnswer::Yes;
  return defaultButton;
}

CliPlatform& Cli() {
  static CliPlatform platform;
  return platform;
}

bool OpenYear(CVyDataEnv& env, const std::string& file, const std::string& opno) {
  // Any message of the open is a refusal here (an unknown operator among them), though a window would go
  // on with the default operator.
  int before = Cli().shown;
  return env.Open(file, opno, 1) && Cli().shown == before;
}

bool ParseOptions(const std::vector<std::string>& args, const std::vector<std::string>& flags,
                  CliOptions& out, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 3 || a.compare(0, 2, "--") != 0) {
      out.positional.push_back(a);
      continue;
    }
    std::string name = a.substr(2);
    bool isFlag = false;
    for (const std::string& f : flags) isFlag = isFlag || f == name;
    if (isFlag) {
      out.values.insert_or_assign(name, std::string(1, '1'));
    } else if (i + 1 < args.size()) {
      out.values[name] = args[++i];
    } else {
      error = "选项“" + a + "”缺少它的值。";
      return false;
    }
  }
  return true;
}

namespace {
std::vector<CliCommand>& Commands() {
  static std::vector<CliCommand> commands;
  return commands;
}
}  // namespace

RegisterCliCommand::RegisterCliCommand(CliCommand c) {
  Commands().push_back(std::move(c));
}
const std::vector<CliCommand>& CliCommands() {
  return Commands();
}

std::string UsageText() {
  std::vector<const CliCommand*> sorted;
  for (const CliCommand& c : CliCommands()) sorted.push_back(&c);
  std::sort(sorted.begin(), sorted.end(), [](auto* a, auto* b) { return a->name < b->name; });
  std::string text = "usage:\n";
  for (const CliCommand* c : sorted) {
    text += "  tavrel-cli " + c->usage + "\n";
    if (c->details) text += c->details();
  }
  return text;
}
