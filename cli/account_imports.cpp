// tavrel-cli import accounts FILE CSV: the chart, line by line as the account dialog adds it.
#include "accounts/account_import.h"
#include "app/command_table.h"
#include "import_command.h"

namespace {

const RegisterImportKind kAccounts(
    {"accounts", cmd::kAccountSetup, [](CVyDataEnv& env, CsvTable& table, const CliOptions&) {
       return ImportAccounts(env, table);
     }});

}  // namespace
