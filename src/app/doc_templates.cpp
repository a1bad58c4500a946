#include "app/doc_templates.h"

#include <map>
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
    {13, Child, "CChildFrame", "CStatementView"},
    {14, Child, "CChildFrame", "CTrialBalanceView"},
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

std::vector<std::string> ChildWindowTitles(const std::vector<std::string>& viewTitles) {
  std::vector<std::string> titles;
  std::map<std::string, int> total, seen;
  for (const std::string& t : viewTitles) titles.push_back(t.empty() ? "Tavrel软件" : t);
  for (const std::string& t : titles) ++total[t];
  for (std::string& t : titles)
    if (total[t] > 1) t += ":" + std::to_string(++seen[t]);
  return titles;
}
