#include "base/platform.h"

#include <cstdio>
#include <ctime>

#include "base/file_facts.h"
#include "base/gbk.h"
#include "base/settings_file.h"

const char* const kMsgCaption = "Tavrel软件";

namespace {

// Used where no front end is installed (the command-line tool): messages go to standard error,
// questions take their default answer.
class ConsolePlatform : public Platform {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string&, MsgIcon, MsgButtons,
                       MsgAnswer defaultButton) override {
    std::fprintf(stderr, "%s\n", gbk::ToUtf8(text).c_str());
    return defaultButton;
  }
  std::string ClipboardText() override { return clip_; }
  void SetClipboardText(const std::string& text) override { clip_ = text; }
  DateTime Now() override {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
  }
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  std::optional<std::string> ReadSetting(const std::string& key) override { return settings_.Read(key); }
  bool WriteSetting(const std::string& key, const std::string& value) override {
    return settings_.Write(key, value);
  }
  FileFacts QueryFile(const std::string& path) override { return QueryRealFile(path); }
  std::vector<std::string> Printers() override { return {}; }

 private:
  std::string clip_;
  SettingsFile settings_;
};

ConsolePlatform& Console() {
  static ConsolePlatform console;
  return console;
}

Platform* g_platform = nullptr;

}  // namespace

Platform& Plat() {
  return g_platform ? *g_platform : Console();
}
void SetPlatform(Platform* platform) {
  g_platform = platform;
}

MsgAnswer ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons, MsgAnswer defaultButton) {
  return Plat().MessageBox(text, kMsgCaption, icon, buttons, defaultButton);
}
