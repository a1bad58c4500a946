#include "import_command.h"

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
  if (args.size() != 3) return -1;
  const ImportKind* kind = nullptr;
  for (const ImportKind& k : Kinds())
    if (k.name == args[0]) kind = &k;
  if (!kind) return Fail("没有这种导入：“" + args[0] + "”。");
  CsvTable table;
  std::string error;
  if (!table.Load(gbk::ToUtf8(args[2]), error)) return Fail(error);
  CVyDataEnv env;
  if (!OpenYear(env, args[1], kind->command)) return 1;
  ImportOutcome out = kind->run(env, table);
  for (const std::string& line : out.refused) Fail(line);
  if (!out.Ok()) return 1;
  Print(Format("%d 行已导入。", out.imported));
  return 0;
}

std::string KindsUsage() {
  std::string text;
  for (const ImportKind& k : Kinds()) text += "      " + k.name + "\n";
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
