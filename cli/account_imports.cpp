// tavrel-cli import accounts FILE CSV: the chart, line by line as the account dialog adds it.
#include "import_command.h"
#include "io/account_import.h"

namespace {

const RegisterImportKind kAccounts({"accounts", ImportAccounts});

}  // namespace
