#include "import_command.h"

#include <algorithm>

#include "base/gbk.h"
#include "base/text.h"
#include "cli_support.h"
#include "data/data_env.h"

namespace {

std::vector<ImportKind>& Kinds() {
  static std::vector<ImportKind> kinds;
  return kinds;
}

int Import(const std::vector<std::string>& args) {
  if (args.empty()) return -1;
  const ImportKind* kind = nullptr;
  for (const ImportKind& k : Kinds())
    if (k.name == args[0]) kind = &k;
  if (!kind) return Fail("没有这种导入：“" + args[0] + "”。");
  CliOptions options;
  std::string error;
  if (!ParseOptions({args.begin() + 1, args.end()}, kind->flags, options, error)) return Fail(error);
  if (options.positional.size() != 2) return -1;
  for (const auto& [name, value] : options.values)
    if (std::find(kind->flags.begin(), kind->flags.end(), name) == kind->flags.end())
      return Fail("导入 " + kind->name + " 没有选项 --" + name + "。");
  CsvTable table;
  if (!table.Load(gbk::ToUtf8(options.positional[1]), error)) return Fail(error);
  CVyDataEnv env;
  if (!OpenYear(env, options.positional[0], kind->command)) return 1;
  ImportOutcome out = kind->run(env, table, options);
  for (const std::string& line : out.refused) Fail(line);
  if (!out.Ok()) return 1;
  // Taken, but worth saying: on standard error, so that the count stays the one line of the output.
  for (const std::string& line : out.notes) Fail(line);
  Print(Format("%d 行已导入。", out.imported));
  return 0;
}

std::string KindsUsage() {
  std::string text;
  for (const ImportKind& k : Kinds()) {
    text += "      " + k.name;
    for (const std::string& flag : k.flags) text += " [--" + flag + "]";
    text += "\n";
  }
  return text;
}

const RegisterCliCommand kImport({"import", "import KIND FILE CSV        check and write every line, or none",
                                  Import, KindsUsage});

}  // namespace

RegisterImportKind::RegisterImportKind(ImportKind k) {
  Kinds().push_back(std::move(k));
}

std::vector<std::string> ImportKindNames() {
  std::vector<std::string> names;
  for (const ImportKind& k : Kinds()) names.push_back(k.name);
  return names;
}
