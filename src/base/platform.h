#pragma once
// The desktop platform as the core sees it. The Qt front end implements it; tests script it.
// Nothing in the core shows a message, reads the clock or touches the clipboard any other way.
#include <optional>
#include <string>
#include <vector>

#include "base/file_facts.h"

enum class MsgIcon { None, Exclamation, Stop, Warning, Information, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct DateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Texts are GBK. defaultButton is the answer preselected (Yes/No questions that destroy data preselect No).
  virtual MsgAnswer MessageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                               MsgButtons buttons, MsgAnswer defaultButton) = 0;
  virtual std::string ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  virtual DateTime Now() = 0;
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;

  // Per-user remembered values (the data file and the operator). Values are GBK.
  virtual std::optional<std::string> ReadSetting(const std::string& key) = 0;
  virtual bool WriteSetting(const std::string& key, const std::string& value) = 0;

  // File queries on GBK paths.
  virtual FileFacts QueryFile(const std::string& path) = 0;
  virtual std::vector<std::string> Printers() = 0;
};

// The platform in use. Starts as the plain console platform (no questions asked, settings in the user's
// configuration folder) until the front end or a test installs its own.
Platform& Plat();
void SetPlatform(Platform* platform);

// The caption of the program's messages.
extern const char* const kMsgCaption;

// Shorthand for the plain message of the program: caption "Tavrel软件".
MsgAnswer ShowMessage(const std::string& text, MsgIcon icon = MsgIcon::Exclamation,
                      MsgButtons buttons = MsgButtons::Ok, MsgAnswer defaultButton = MsgAnswer::Ok);
