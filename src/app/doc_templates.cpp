#include "app/doc_templates.h"

#include <string>

namespace {
using enum FrameKind;
const std::vector<DocTemplate> kTemplates = {
    {1, EntryByAccount, "CQirnpzFrm", "CQirnpz1"},   {2, EntryByDate, "CQirnpzFrm2", "CQirnpz2"},
    {3, Child, "CChildFrame", "CQirnpz3"},           {4, Child, "CChildFrame", "CQirnpz4"},
    {5, Child, "CChildFrame", "CQirnzb1"},           {6, Child, "CChildFrame", "CQirnzb2"},
    {7, Child, "CChildFrame", "CQirnzb3"},           {8, Child, "CChildFrame", "CHobdzb5"},
    {9, Child, "CChildFrame", "CHobdzb6"},           {10, Child, "CChildFrame", "CHobdzb7"},
    {11, Child, "CChildFrame", "CHobdSubjectPrint"}, {12, Child, "CChildFrame", "CBookCheckView"},
};
}  // namespace

const std::vector<DocTemplate>& DocTemplates() {
  return kTemplates;
}

const DocTemplate* FindTemplate(int no) {
  for (const DocTemplate& t : kTemplates)
    if (t.no == no) return &t;
  return nullptr;
}

std::string ChildWindowTitle(int number, int windowCount) {
  std::string title = "Tavrel软件";
  if (windowCount > 1) title += ":" + std::to_string(number);
  return title;
}
