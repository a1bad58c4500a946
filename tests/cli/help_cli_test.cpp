// The tool's version, its help for a report kind, its shell completion (run in bash as the shell would) and
// its manual page, all held to the tool's own tables of commands, kinds and options.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The report kinds, from the lines of "report --help".
std::vector<std::string> ReportKinds() {
  std::vector<std::string> kinds;
  for (const std::string& line : Lines(RunCli("report --help").out))
    if (line.starts_with("tavrel-cli report ")) kinds.push_back(line.substr(18, line.find(' ', 18) - 18));
  return kinds;
}

TEST(HelpCli, VersionAndEachKindsOptions) {
  CliResult version = RunCli("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("tavrel-cli ") + TAVREL_VERSION + "\n");

  CliResult all = RunCli("report --help");
  EXPECT_EQ(all.status, 0);
  std::vector<std::string> kinds = ReportKinds();
  EXPECT_GE(kinds.size(), 13u) << all.out;
  for (const std::string& kind : kinds) {
    CliResult one = RunCli("help " + kind);
    EXPECT_EQ(one.status, 0) << kind;
    EXPECT_NE(all.out.find(one.out), std::string::npos) << kind;
    EXPECT_EQ(RunCli("report " + kind + " --help").out, one.out) << kind;
    EXPECT_NE(one.out.find("[--format text|csv|pdf|xlsx]"), std::string::npos) << kind;
  }
  EXPECT_NE(RunCli("help ledger").out.find("--code C [--from M] [--to M] [--unreached] [--mode auto|detail|summary]"),
            std::string::npos);
  CliResult unknown = RunCli("help ledgers");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.out, "没有这个命令或报表：“ledgers”。\n");
}

TEST(HelpCli, TheShellCompletesCommandsKindsOptionsAndTheirValues) {
  TempDir dir;
  std::string script = dir.Path() + "/tavrel-cli.bash";
  std::ofstream(script) << RunCli("help --bash-completion").out;
  auto complete = [&](const std::string& words, const std::string& path = "") {
    // The last word is the one being completed ("" after a blank).
    std::string line = words, array;
    int count = 0;
    std::istringstream in(line);
    for (std::string w; in >> w; ++count) array += "'" + w + "' ";
    if (line.ends_with(" ")) {
      array += "''";
      ++count;
    }
    CliResult r = RunCommand((path.empty() ? "" : "PATH='" + path + "':$PATH ") + "bash -c \"source '" + script +
                             "'; COMP_WORDS=(" + array + "); COMP_CWORD=" +
                             std::to_string(count - 1) + "; _tavrel_cli; echo \\${COMPREPLY[*]}\"");
    return r.out.substr(0, r.out.size() - 1);
  };
  struct Case {
    std::string words, completions;
  } cases[] = {
      {"tavrel-cli rep", "report"},
      {"tavrel-cli --v", "--version"},
      {"tavrel-cli report led", "ledger"},
      {"tavrel-cli report t", "turnover trial"},
      {"tavrel-cli import ", "accounts postings openings"},
      {"tavrel-cli report ledger f.vyx --m", "--mode"},
      {"tavrel-cli report ledger f.vyx --mode ", "auto detail summary"},
      {"tavrel-cli report ledger f.vyx --code 1002 --format x", "xlsx"},
      {"tavrel-cli report search f.vyx --side ", "debit credit auto"},
      {"tavrel-cli report interest f.vyx --method ", "equal actual"},
      {"tavrel-cli report turnover f.vyx --al", "--all-levels"},
      {"tavrel-cli carry-forward f.vyx --", "--accounts --balances --yes --keep-pl"},
      {"tavrel-cli report statement f.vyx --", "--form --month --narrow --format --output --force --printer --operator --head --help"},
      {"tavrel-cli help entry-m", "entry-month"},
  };
  for (const Case& c : cases) EXPECT_EQ(complete(c.words), c.completions) << c.words;
  // After --printer the print service's queues and default, never the usage's placeholder NAME.
  const std::string bin = dir.Path() + "/bin";
  std::filesystem::create_directories(bin);
  std::ofstream(bin + "/lpstat") << "#!/bin/sh\nprintf 'office\\nlabels\\n'\n";
  std::filesystem::permissions(bin + "/lpstat", std::filesystem::perms::owner_all);
  EXPECT_EQ(complete("tavrel-cli report ledger f.vyx --printer ", bin), "office labels default");
  // Every option a kind's usage names completes.
  for (const std::string& kind : ReportKinds()) {
    std::string usage = RunCli("help " + kind).out;
    for (size_t p = usage.find("--"); p != std::string::npos; p = usage.find("--", p + 2)) {
      std::string option = usage.substr(p, usage.find_first_of(" ]\n", p) - p);
      std::string got = " " + complete("tavrel-cli report " + kind + " f.vyx " + option) + " ";
      EXPECT_NE(got.find(" " + option + " "), std::string::npos) << kind << " " << option;
    }
  }
}

TEST(HelpCli, TheManualPageNamesEveryCommandAndKind) {
  // The English page and the Chinese one alike.
  for (const char* file : {"/packaging/man/tavrel-cli.1", "/packaging/man/zh_CN/tavrel-cli.1"}) {
  std::ifstream in(std::string(TAVREL_SOURCE_DIR) + file);
  std::stringstream page;
  page << in.rdbuf();
  std::string text = page.str();
  ASSERT_FALSE(text.empty()) << file;
  // roff writes a hyphen as "\-".
  for (size_t p = text.find("\\-"); p != std::string::npos; p = text.find("\\-", p)) text.replace(p, 2, "-");
  std::vector<std::string> names = ReportKinds();
  for (const std::string& line : Lines(RunCli("help").out))
    if (line.starts_with("  tavrel-cli ")) names.push_back(line.substr(13, line.find(' ', 13) - 13));
  EXPECT_GT(names.size(), 25u);
  // Each has an entry of its own: ".B ledger …" or ".BI "backup " FILE".
  for (const std::string& name : names)
    EXPECT_TRUE(text.find("\n.B " + name + " ") != std::string::npos ||
                text.find("\n.B " + name + "\n") != std::string::npos ||
                text.find("\n.BI \"" + name + " \"") != std::string::npos)
        << file << " " << name;
  }
}

}  // namespace
