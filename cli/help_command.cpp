// tavrel-cli help [COMMAND|KIND]: the usage of everything, of one subcommand or of one report kind; and
// tavrel-cli help --bash-completion, the shell's completion of the tool, made from the same tables as the
// usage text (subcommands, report and import kinds, each one's options and the values they take), so that
// the two cannot disagree.
#include <cstdio>

#include "base/gbk.h"
#include "cli_support.h"
#include "help_command.h"
#include "import_command.h"
#include "report_command.h"

std::vector<UsageOption> UsageOptions(const std::string& usage) {
  std::vector<std::string> tokens;
  for (size_t pos = 0; pos < usage.size();) {
    size_t end = usage.find(' ', pos);
    if (end == std::string::npos) end = usage.size();
    if (end > pos) tokens.push_back(usage.substr(pos, end - pos));
    pos = end + 1;
  }
  std::vector<UsageOption> options;
  for (size_t i = 0; i < tokens.size(); ++i) {
    std::string t = tokens[i];
    if (t.starts_with("[")) t.erase(0, 1);
    if (!t.starts_with("--") || t.size() < 3) continue;
    // "[--output PATH [--force]]": a flag may close more than its own bracket.
    bool flag = t.ends_with("]");
    while (t.ends_with("]")) t.pop_back();
    UsageOption option{t, {}, !flag && i + 1 < tokens.size()};
    if (option.takesValue) {
      std::string value = tokens[i + 1];
      if (value.ends_with("]")) value.pop_back();
      for (size_t pos = 0; value.find('|') != std::string::npos && pos <= value.size();) {
        size_t bar = value.find('|', pos);
        if (bar == std::string::npos) bar = value.size();
        option.values.push_back(value.substr(pos, bar - pos));
        pos = bar + 1;
      }
    }
    options.push_back(option);
  }
  return options;
}

namespace {

std::string Words(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& w : words) text += (text.empty() ? "" : " ") + w;
  return text;
}

std::string Reply(const std::string& words) {
  return "COMPREPLY=($(compgen -W '" + words + "' -- \"$cur\"))";
}

// The case arms of one subcommand (key "report ledger", "backup" …): an option's values after it, and the
// options where a word begins with "-".
// A value the usage names by a word in capitals (NAME) is a placeholder, not a word to offer; the printer's
// is a print queue, which the print service lists.
void AddOptionArms(const std::string& key, const std::string& usage, std::string& values, std::string& names) {
  std::vector<std::string> all;
  for (const UsageOption& o : UsageOptions(usage)) {
    all.push_back(o.name);
    std::vector<std::string> words;
    for (const std::string& v : o.values)
      if (v.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos) words.push_back(v);
    if (o.name == "--printer")
      values += "    '" + key + "|" + o.name + "') COMPREPLY=($(compgen -W \"$(lpstat -e 2>/dev/null) " + Words(words) +
                "\" -- \"$cur\")); return;;\n";
    else if (!words.empty())
      values += "    '" + key + "|" + o.name + "') " + Reply(Words(words)) + "; return;;\n";
  }
  if (!all.empty()) names += "      '" + key + "') " + Reply(Words(all)) + ";;\n";
}

std::string BashCompletion() {
  std::vector<std::string> commands{"--version"};
  std::vector<std::string> reportKinds, helpTopics;
  std::string values, names;
  for (const CliCommand& c : CliCommands()) {
    commands.push_back(c.name);
    helpTopics.push_back(c.name);
    if (c.name != "report" && c.name != "import") AddOptionArms(c.name, c.usage, values, names);
  }
  for (const ReportKind& k : ReportKinds()) {
    reportKinds.push_back(k.name);
    helpTopics.push_back(k.name);
    AddOptionArms("report " + k.name, k.options + " " + kReportCommonOptions + " [--help]", values, names);
  }
  std::string s =
      "# bash completion for tavrel-cli, made by `tavrel-cli help --bash-completion` from the tool's own tables\n"
      "_tavrel_cli() {\n"
      "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} key=${COMP_WORDS[1]}\n"
      "  COMPREPLY=()\n"
      "  if [[ $COMP_CWORD -eq 1 ]]; then " + Reply(Words(commands)) + "; return; fi\n"
      "  case $key in\n"
      "  report|import)\n"
      "    if [[ $COMP_CWORD -eq 2 ]]; then\n"
      "      if [[ $key == report ]]; then " + Reply(Words(reportKinds) + " --help") + "\n"
      "      else " + Reply(Words(ImportKindNames())) + "; fi\n"
      "      return\n"
      "    fi\n"
      "    key=\"$key ${COMP_WORDS[2]}\";;\n"
      "  help)\n"
      "    [[ $COMP_CWORD -eq 2 ]] && " + Reply(Words(helpTopics) + " --bash-completion") + "\n"
      "    return;;\n"
      "  esac\n"
      "  case \"$key|$prev\" in\n" + values +
      "  esac\n"
      "  if [[ $cur == -* ]]; then\n"
      "    case $key in\n" + names +
      "    esac\n"
      "  fi\n"
      "}\n"
      "complete -o default -F _tavrel_cli tavrel-cli\n";
  return s;
}

int Help(const std::vector<std::string>& args) {
  if (args.empty()) {
    std::fputs(gbk::ToUtf8(UsageText()).c_str(), stdout);
    return 0;
  }
  if (args.size() != 1) return -1;
  if (args[0] == "--bash-completion") {
    std::fputs(BashCompletion().c_str(), stdout);
    return 0;
  }
  for (const ReportKind& k : ReportKinds())
    if (k.name == args[0]) {
      PrintKindHelp(k);
      return 0;
    }
  for (const CliCommand& c : CliCommands())
    if (c.name == args[0]) {
      Print("tavrel-cli " + c.usage);
      if (c.details) std::fputs(gbk::ToUtf8(c.details()).c_str(), stdout);
      return 0;
    }
  return Fail("没有这个命令或报表：“" + args[0] + "”。");
}

const RegisterCliCommand kHelp({"help", "help [COMMAND|KIND]         the usage of a command or of a report kind",
                                Help});

}  // namespace
