#pragma once
// Runs tavrel-cli as a user would and reads what it prints (standard output and error together).
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

struct CliResult {
  int status;
  std::string out;
};

// Any command line of the shell, standard error with standard output.
inline CliResult RunCommand(const std::string& commandLine) {
  std::string cmd = commandLine + " 2>&1";
  CliResult r{0, {}};
  FILE* p = popen(cmd.c_str(), "r");
  std::array<char, 4096> buf{};
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  r.status = WEXITSTATUS(pclose(p));
  return r;
}

// As the file's default operator (102 in a new account set, who keeps the books), without a password.
inline CliResult RunCli(const std::string& args) {
  return RunCommand(std::string(TAVREL_CLI) + " " + args);
}

// Logged in as the operator with the password given, as a script would: the password in TAVREL_PASSWORD.
inline CliResult RunCliAs(const std::string& opno, const std::string& password, const std::string& args) {
  return RunCommand("TAVREL_PASSWORD='" + password + "' " + std::string(TAVREL_CLI) + " " + args +
                    " --operator " + opno);
}

// As the administrator of a new account set (101, no password): the administration commands and sql.
inline CliResult RunAdmin(const std::string& args) {
  return RunCliAs("101", "", args);
}
