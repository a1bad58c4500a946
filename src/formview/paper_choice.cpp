#include "formview/paper_choice.h"

VyPaperChoice ChoosePaper(const std::vector<VyPaper>& papers, int pageWidth, int pageLength, int offsetWidth,
                          int offsetLength) {
  long long w = pageWidth + offsetWidth, l = pageLength + offsetLength;
  auto distance = [](long long a, long long b, long long x, long long y) {
    return (a - x) * (a - x) + (b - y) * (b - y);
  };
  VyPaperChoice best;
  long long bestDistance = 0;
  for (size_t i = 0; i < papers.size(); ++i) {
    for (bool turned : {false, true}) {
      long long pw = turned ? papers[i].length : papers[i].width;
      long long pl = turned ? papers[i].width : papers[i].length;
      long long d = distance(pw, pl, w, l);
      if (best.index < 0 || d < bestDistance) {
        best = {static_cast<int>(i), turned};
        bestDistance = d;
      }
    }
  }
  return best;
}
