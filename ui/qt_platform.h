#pragma once
// The desktop platform of the Qt program: message boxes, clipboard, clock, wait cursor, the settings file,
// file queries and printers.
#include "base/platform.h"
#include "base/settings_file.h"

class QMessageBox;

// Room beside a caption for the title bar's icon and buttons, in pixels.
constexpr int kCaptionRoom = 160;
// Makes a message box wide enough to show its whole caption.
void WidenForCaption(QMessageBox& box);

class QtPlatform : public Platform {
 public:
  QtPlatform() = default;
  explicit QtPlatform(SettingsFile settings) : settings_(std::move(settings)) {}

  MsgAnswer MessageBox(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons,
                       MsgAnswer defaultButton) override;
  std::string ClipboardText() override;
  void SetClipboardText(const std::string& text) override;
  DateTime Now() override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  std::optional<std::string> ReadSetting(const std::string& key) override { return settings_.Read(key); }
  bool WriteSetting(const std::string& key, const std::string& value) override {
    return settings_.Write(key, value);
  }
  FileFacts QueryFile(const std::string& path) override;
  std::vector<std::string> Printers() override;

 private:
  SettingsFile settings_;
};
