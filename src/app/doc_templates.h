#pragma once
// The kinds of data window: which frame hosts which view. Every data command opens one of these.
#include <string>
#include <vector>

enum class FrameKind {
  Child,           // CChildFrame: a plain child window, always opened maximised
  EntryByAccount,  // CQirnpzFrm: asks its view to save before it closes
  EntryByDate,     // CQirnpzFrm2: likewise
};

struct DocTemplate {
  int no;  // 1..11, in the order of creation
  FrameKind frame;
  const char* frameClass;
  const char* viewClass;
};

// The eleven templates, in the order they are created at start-up.
const std::vector<DocTemplate>& DocTemplates();
// Template number no (1..11), or nullptr.
const DocTemplate* FindTemplate(int no);
// A frame that asks its view to save before it closes.
inline bool IsEntryFrame(FrameKind kind) {
  return kind != FrameKind::Child;
}

// The title of a child window. Every data window shows the one untitled document "Tavrel软件"; while the
// document has several windows they are told apart by their number, "Tavrel软件:2".
std::string ChildWindowTitle(int number, int windowCount);
