#pragma once
// tavrel-cli import KIND FILE CSV: the kind's columns, and the core function that checks and writes the
// records (io/import_run.h). Each kind adds itself with RegisterImportKind in a file of its own.
#include <functional>
#include <string>
#include <vector>

#include "cli_support.h"
#include "io/import_run.h"

class CVyDataEnv;

struct ImportKind {
  std::string name;
  int command;  // the menu command whose window writes these records: its right is needed
  std::function<ImportOutcome(CVyDataEnv& env, CsvTable& table, const CliOptions& options)> run;
  std::vector<std::string> flags = {};  // the options it takes, none with a value
};
struct RegisterImportKind {
  explicit RegisterImportKind(ImportKind k);
};
// The names of every import kind.
std::vector<std::string> ImportKindNames();
