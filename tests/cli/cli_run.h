#pragma once
// Runs tavrel-cli as a user would and reads what it prints (standard output and standard error together).
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

struct Result {
  int status;
  std::string out;
};

inline Result RunCli(const std::string& args) {
  std::string cmd = std::string(TAVREL_CLI) + " " + args + " 2>&1";
  Result r{0, {}};
  FILE* p = popen(cmd.c_str(), "r");
  std::array<char, 4096> buf{};
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  r.status = WEXITSTATUS(pclose(p));
  return r;
}
