#pragma once
// Per-user remembered values in a small "key=value" file (UTF-8) under the user's configuration folder;
// it plays the part the registry plays on other desktops.
#include <map>
#include <optional>
#include <string>

class SettingsFile {
 public:
  // The default file: $XDG_CONFIG_HOME/tavrel/settings.conf, or ~/.config/tavrel/settings.conf.
  SettingsFile();
  explicit SettingsFile(std::string utf8Path);

  std::optional<std::string> Read(const std::string& key) const;  // GBK value
  bool Write(const std::string& key, const std::string& value);   // creates the file and folder
  const std::string& Path() const { return path_; }

 private:
  std::map<std::string, std::string> Load() const;
  std::string path_;
};
