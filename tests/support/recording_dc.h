#pragma once
// A device context of fixed metrics that records what is drawn: every byte is half as wide as the font is
// high (a two-byte character as wide as high), so a body font of 16 makes "T" 8 units wide.
#include <string>
#include <vector>

#include "formview/device_context.h"

class RecordingDC : public VyMeasureDC {
 public:
  struct Text {
    int x, y;
    std::string text;
    uint32_t colour;
    int height;
  };
  struct Segment {
    int x1, y1, x2, y2;
    uint32_t colour;
  };
  struct Rect {
    VyRect r;
    uint32_t colour;
  };

  explicit RecordingDC(bool printing = false) : VyMeasureDC(printing) {}

  void SetTextColor(uint32_t rgb) override { colour_ = rgb; }
  void TextOut(int x, int y, std::string_view text) override {
    texts.push_back({x, y, std::string(text), colour_, Selected().height});
  }
  void Line(int x1, int y1, int x2, int y2, uint32_t rgb) override { lines.push_back({x1, y1, x2, y2, rgb}); }
  void FillRect(const VyRect& r, uint32_t rgb) override { fills.push_back({r, rgb}); }
  void FrameRect(const VyRect& r, uint32_t rgb) override { frames.push_back({r, rgb}); }
  void InvertRect(const VyRect& r) override { inverted.push_back(r); }

  void Clear() {
    texts.clear();
    lines.clear();
    fills.clear();
    frames.clear();
    inverted.clear();
  }
  // The first text drawn equal to t, or null.
  const Text* Find(const std::string& t) const {
    for (const Text& x : texts)
      if (x.text == t) return &x;
    return nullptr;
  }

  std::vector<Text> texts;
  std::vector<Segment> lines;
  std::vector<Rect> fills, frames;
  std::vector<VyRect> inverted;

 private:
  uint32_t colour_ = 0;
};
