#include "base/settings_file.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/gbk.h"

namespace {
std::string DefaultPath() {
  std::string base;
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x) {
    base = x;
  } else if (const char* h = std::getenv("HOME"); h && *h) {
    base = std::string(h) + "/.config";
  } else {
    base = ".";
  }
  return base + "/tavrel/settings.conf";
}
}  // namespace

SettingsFile::SettingsFile() : path_(DefaultPath()) {}
SettingsFile::SettingsFile(std::string utf8Path) : path_(std::move(utf8Path)) {}

std::map<std::string, std::string> SettingsFile::Load() const {
  std::map<std::string, std::string> values;
  std::ifstream in(path_);
  std::string line;
  while (std::getline(in, line)) {
    auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    values[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return values;
}

std::optional<std::string> SettingsFile::Read(const std::string& key) const {
  auto values = Load();
  auto it = values.find(key);
  if (it == values.end()) return std::nullopt;
  return gbk::FromUtf8(it->second);
}

bool SettingsFile::Write(const std::string& key, const std::string& value) {
  if (key.find_first_of("=\n") != std::string::npos || value.find('\n') != std::string::npos) return false;
  auto values = Load();
  values[key] = gbk::ToUtf8(value);
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
  // Write a sibling file and rename it over the old one, so a crash never leaves half a file.
  std::string tmp = path_ + ".tmp";
  {
    std::ofstream out(tmp, std::ios::trunc);
    if (!out) return false;
    for (auto& [k, v] : values) out << k << '=' << v << '\n';
    if (!out.good()) return false;
  }
  std::filesystem::rename(tmp, path_, ec);
  return !ec;
}
