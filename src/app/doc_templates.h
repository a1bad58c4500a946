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
  int no;  // 1..13, in the order of creation
  FrameKind frame;
  const char* frameClass;
  const char* viewClass;
};

// The templates, in the order they are created at start-up.
const std::vector<DocTemplate>& DocTemplates();
// Template number no, or nullptr.
const DocTemplate* FindTemplate(int no);
// A frame that asks its view to save before it closes.
inline bool IsEntryFrame(FrameKind kind) {
  return kind != FrameKind::Child;
}

// The titles of the child windows, in their order, from what each view calls itself ("三栏式帐页 1002"; ""
// for a view without a title, which shows the document's name "Tavrel软件"). Windows of the same title are
// told apart by their number among them: "三栏式帐页 1002:2".
std::vector<std::string> ChildWindowTitles(const std::vector<std::string>& viewTitles);
