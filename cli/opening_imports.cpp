// tavrel-cli import openings: opening balances from CSV, saved as the opening-balance dialog saves them.
#include "accounts/opening_import.h"
#include "app/command_table.h"
#include "import_command.h"

namespace {

const RegisterImportKind kOpenings(
    {"openings", cmd::kOpenings, [](CVyDataEnv& env, CsvTable& table, const CliOptions&) {
       return ImportOpenings(env, table);
     }});

}  // namespace
