#include "formview/paper_choice.h"

#include <algorithm>

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

double ShrinkToFit(int paperWidth, int paperLength, int pageWidth, int pageLength) {
  double scale = 1;
  if (pageWidth > 0 && paperWidth > 0) scale = std::min(scale, static_cast<double>(paperWidth) / pageWidth);
  if (pageLength > 0 && paperLength > 0)
    scale = std::min(scale, static_cast<double>(paperLength) / pageLength);
  return scale;
}

VyPaperFit FitOnPaper(const VyPaper& paper, int pageWidth, int pageLength) {
  const double upright = ShrinkToFit(paper.width, paper.length, pageWidth, pageLength);
  const double turned = ShrinkToFit(paper.length, paper.width, pageWidth, pageLength);
  if (upright != turned) return {turned > upright, std::max(upright, turned)};
  return {ChoosePaper({paper}, pageWidth, pageLength).landscape, upright};
}
