#pragma once
// What every subcommand of tavrel-cli shares: printing GBK texts as UTF-8, the console platform, opening a
// year file, and the table of subcommands each file adds its own to.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/platform.h"

class CVyDataEnv;

// The tool's own command line, kept by main for RunInstead.
void KeepCommandLine(char** argv);
// Replaces this process with the program at utf8Path, given the same arguments; returns only when that
// fails, with the message printed and status 1.
int RunInstead(const std::string& utf8Path);

void Print(const std::string& gbkText);  // a line on standard output
int Fail(const std::string& gbkText);    // a line on standard error; returns 1
// The refusal of outputs that already exist (at least one), given without --force.
std::string ExistingRefusal(const std::vector<std::string>& existing);

// Messages of the core go to standard error as they come; questions take their default answer unless the
// command was given --yes, which answers every question 是.
class CliPlatform : public Platform {
 public:
  CliPlatform();
  MsgAnswer MessageBox(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons,
                       MsgAnswer defaultButton) override;
  std::string ClipboardText() override { return {}; }
  void SetClipboardText(const std::string&) override {}
  DateTime Now() override { return base_.Now(); }
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  std::optional<std::string> ReadSetting(const std::string&) override { return std::nullopt; }
  bool WriteSetting(const std::string&, const std::string&) override { return true; }
  FileFacts QueryFile(const std::string& path) override { return base_.QueryFile(path); }
  std::vector<std::string> Printers() override { return {}; }

  bool answerYes = false;
  int shown = 0;  // messages shown so far

 private:
  Platform& base_;
};
CliPlatform& Cli();

// The operator the tool logs in as: --operator OPNO anywhere after the command (main takes it out of the
// arguments), else "" for the file's default operator, as the login dialog proposes it.
std::string& CliOperator();
// Opens and validates a year file and logs in as the login dialog does: the operator, the password from the
// environment variable TAVREL_PASSWORD or else asked on the terminal (never taken from the command line),
// then the right that the menu command `command` needs (command_table.cpp; 0 asks none). False after the
// message: any message of the open (an unknown operator too), a wrong password, a missing right.
// work, when given, names what runs in the refusal for want of the right, for a command of the tool that is
// no menu command of the window.
bool OpenYear(CVyDataEnv& env, const std::string& file, int command, const std::string& work = {});
// The same login on any file of the program whatever its name (a backup in 备份/), opened read-only when
// asked; the year's settings are not read.
bool OpenAnyFile(CVyDataEnv& env, const std::string& file, int command, bool readOnly);

// Options of the form --name VALUE or --flag, after the positional arguments.
struct CliOptions {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;  // flags have the value "1"
  bool Has(const std::string& name) const { return values.count(name) != 0; }
  std::string Get(const std::string& name, const std::string& otherwise = {}) const {
    auto it = values.find(name);
    return it == values.end() ? otherwise : it->second;
  }
};
// Splits args; the names in flags take no value. False with a message when an option lacks its value.
bool ParseOptions(const std::vector<std::string>& args, const std::vector<std::string>& flags,
                  CliOptions& out, std::string& error);

// A subcommand: its name, its line in the usage text, and what runs it (arguments in GBK).
struct CliCommand {
  std::string name;
  std::string usage;
  // Returns the exit status, or -1 when the arguments do not fit (the usage text is printed then).
  std::function<int(const std::vector<std::string>& args)> run;
  // More usage lines (the kinds of report and import); may be empty.
  std::function<std::string()> details = {};
};
struct RegisterCliCommand {
  explicit RegisterCliCommand(CliCommand c);
};
const std::vector<CliCommand>& CliCommands();
// Every subcommand's usage line and details, sorted by name, after "usage:".
std::string UsageText();
