#include "cli_support.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <iterator>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "app/login_rules.h"
#include "base/gbk.h"
#include "base/text.h"
#include "data/data_env.h"

namespace {
char** commandLine = nullptr;
}  // namespace

void KeepCommandLine(char** argv) {
  commandLine = argv;
}

int RunInstead(const std::string& utf8Path) {
  // What is still buffered would be lost with this process.
  if (std::fflush(stdout) != 0) return Fail("无法写出结果（标准输出）。");
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

std::string ExistingRefusal(const std::vector<std::string>& existing) {
  if (existing.size() == 1) return "文件“" + existing[0] + "”已存在；要替换它，请加 --force（或 -f）。";
  return Format("“%s”等 %d 个文件已存在；要替换它们，请加 --force（或 -f）。", existing[0].c_str(),
                static_cast<int>(existing.size()));
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

std::string& CliOperator() {
  static std::string opno;
  return opno;
}

namespace {

// A signal that came while the password was typed, handled once the terminal is as it was.
volatile std::sig_atomic_t promptSignal = 0;

// The signals that end or stop the program from the terminal: each is held off while the echo is off, and
// acted on after it is back on.
constexpr int kPromptSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP, SIGTTIN, SIGTTOU};

// The password typed on the terminal, not echoed; nothing when there is no terminal to ask on. The echo is
// turned back on by every way out: the end of the line, the end of input, and Ctrl+C, Ctrl+\, a hang-up or
// a kill, after which the signal does what it would have done. Ctrl+Z stops the program with the echo on
// and asks again when it goes on.
std::optional<std::string> AskPassword(const std::string& opno) {
  int tty = ::open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
  if (tty < 0) return std::nullopt;
  const std::string prompt = gbk::ToUtf8("操作员" + opno + "的口令：");
  std::string typed;
  for (;;) {
    (void)!::write(tty, prompt.data(), prompt.size());
    promptSignal = 0;
    struct sigaction mine {}, before[std::size(kPromptSignals)];
    mine.sa_handler = [](int sig) { promptSignal = sig; };  // no SA_RESTART: the read returns at once
    sigemptyset(&mine.sa_mask);
    for (size_t i = 0; i < std::size(kPromptSignals); ++i) {
      ::sigaction(kPromptSignals[i], nullptr, &before[i]);
      // A signal the program was started to ignore stays ignored.
      if (before[i].sa_handler != SIG_IGN) ::sigaction(kPromptSignals[i], &mine, nullptr);
    }
    termios old {};
    bool quiet = ::tcgetattr(tty, &old) == 0;
    if (quiet) {
      termios noEcho = old;
      noEcho.c_lflag &= ~static_cast<tcflag_t>(ECHO);
      ::tcsetattr(tty, TCSAFLUSH, &noEcho);
    }
    typed.clear();
    char c;
    while (!promptSignal) {
      ssize_t n = ::read(tty, &c, 1);
      if (n < 0 && errno == EINTR) continue;
      if (n != 1 || c == '\n') break;
      typed.push_back(c);
    }
    if (quiet) ::tcsetattr(tty, TCSAFLUSH, &old);
    (void)!::write(tty, "\n", 1);
    for (size_t i = 0; i < std::size(kPromptSignals); ++i) ::sigaction(kPromptSignals[i], &before[i], nullptr);
    const int caught = promptSignal;
    if (!caught) break;
    // The signal's own action now: the program ends, or stops and, continued, asks again.
    ::raise(caught);
    if (caught != SIGTSTP && caught != SIGTTIN && caught != SIGTTOU) {
      // Handled by someone else and going on: the prompt was cut short, and a cut password matches none.
      ::close(tty);
      return std::string(1, '\x7f');
    }
  }
  ::close(tty);
  if (!typed.empty() && typed.back() == '\r') typed.pop_back();
  return gbk::FromUtf8(typed).value_or(std::string(1, '\x7f'));
}

bool PasswordAndRights(CVyDataEnv& env, int command, const std::string& work = {}) {
  std::string typed;
  if (const char* given = std::getenv("TAVREL_PASSWORD")) {
    // A password GBK cannot hold matches none.
    typed = gbk::FromUtf8(given).value_or(std::string(1, '\x7f'));
  } else if (!env.opPassword.empty()) {
    std::optional<std::string> asked = AskPassword(env.opno);
    if (!asked) {
      Fail("操作员" + env.opno + "有口令：请在终端上输入，或由环境变量 TAVREL_PASSWORD 给出。");
      return false;
    }
    typed = *asked;
  }
  if (!PasswordAccepted(env, typed)) return false;
  env.LoadRights();
  std::string refusal = command ? RightRefusal(env, command, work) : std::string();
  if (!refusal.empty()) {
    Fail(refusal);
    return false;
  }
  return true;
}

}  // namespace

bool OpenYear(CVyDataEnv& env, const std::string& file, int command, const std::string& work) {
  // Any message of the open is a refusal here (an unknown operator among them), though a window would go
  // on with the default operator.
  int before = Cli().shown;
  if (!env.Open(file, CliOperator(), 1) || Cli().shown != before) return false;
  return PasswordAndRights(env, command, work);
}

bool OpenAnyFile(CVyDataEnv& env, const std::string& file, int command, bool readOnly) {
  int before = Cli().shown;
  if (!env.OpenCopy(file, CliOperator(), 1, readOnly) || Cli().shown != before) return false;
  return PasswordAndRights(env, command);
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
    if (out.Has(name)) {
      error = "选项“" + a + "”给了两次。";
      return false;
    }
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
  text += "Commands on a year file log in as the program does: --operator OPNO (else the file's default\n"
          "operator), the password from TAVREL_PASSWORD or asked on the terminal; each needs the right of its\n"
          "menu command.\n";
  return text;
}
