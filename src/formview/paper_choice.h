#pragma once
// Choosing the printer's paper for a form's page size.
#include <string>
#include <vector>

// A paper of the printer, in tenths of a millimetre, as the printer lists it (upright).
struct VyPaper {
  std::string name;
  int width = 0, length = 0;
};

struct VyPaperChoice {
  int index = -1;  // -1: the printer lists no paper
  bool landscape = false;
};

// The paper nearest (least sum of squared differences) to the page plus the printer's unprintable offsets;
// a paper may also be used turned on its side, which suits the forms wider than long.
VyPaperChoice ChoosePaper(const std::vector<VyPaper>& papers, int pageWidth, int pageLength,
                          int offsetWidth = 0, int offsetLength = 0);

// The factor, at most 1, that brings a page onto a paper lying as given: a page larger than its paper is
// shrunk whole rather than cut at the paper's edge, and a smaller one keeps its size.
double ShrinkToFit(int paperWidth, int paperLength, int pageWidth, int pageLength);

// How a page lies on one paper chosen for it: turned when that shrinks it less (when it fits either way,
// as ChoosePaper would turn it), and the factor it is then printed at.
struct VyPaperFit {
  bool landscape = false;
  double scale = 1;
};
VyPaperFit FitOnPaper(const VyPaper& paper, int pageWidth, int pageLength);
