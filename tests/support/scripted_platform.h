#pragma once
// A platform for tests: records every message, answers questions from a queue, keeps settings in memory,
// and tells a fixed date. File queries go to the real file system unless a path is scripted.
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "base/file_facts.h"
#include "base/platform.h"

struct RecordedMessage {
  std::string text, caption;
  MsgIcon icon;
  MsgButtons buttons;
  MsgAnswer defaultButton;
};

class ScriptedPlatform : public Platform {
 public:
  ScriptedPlatform() { SetPlatform(this); }
  ~ScriptedPlatform() override { SetPlatform(nullptr); }

  MsgAnswer MessageBox(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons,
                       MsgAnswer defaultButton) override {
    messages.push_back({text, caption, icon, buttons, defaultButton});
    if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    if (answers.empty()) return defaultButton;
    MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::string ClipboardText() override { return clipboard; }
  void SetClipboardText(const std::string& text) override { clipboard = text; }
  DateTime Now() override { return now; }
  void BeginWaitCursor() override { ++waitDepth; }
  void EndWaitCursor() override { --waitDepth; }
  std::optional<std::string> ReadSetting(const std::string& key) override {
    auto it = settings.find(key);
    if (it == settings.end()) return std::nullopt;
    return it->second;
  }
  bool WriteSetting(const std::string& key, const std::string& value) override {
    settings[key] = value;
    settingWrites.push_back(key);
    return true;
  }
  FileFacts QueryFile(const std::string& path) override {
    auto it = files.find(path);
    if (it != files.end()) return it->second;
    return QueryRealFile(path);
  }
  std::vector<std::string> Printers() override { return printers; }

  // Texts of the recorded messages, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (auto& m : messages) t.push_back(m.text);
    return t;
  }
  std::string LastText() const { return messages.empty() ? std::string() : messages.back().text; }

  std::vector<RecordedMessage> messages;
  std::deque<MsgAnswer> answers;
  std::string clipboard;
  DateTime now{2026, 12, 7, 9, 30, 0};
  int waitDepth = 0;
  std::map<std::string, std::string> settings;
  std::vector<std::string> settingWrites;
  std::map<std::string, FileFacts> files;
  std::vector<std::string> printers;
};
