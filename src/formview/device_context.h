#pragma once
// The device context the form engine draws through: the screen (the Qt widget's painter), the printer or a
// test recorder. Coordinates are device units of the page: pixels on screen, printer dots on paper.
#include <cstdint>
#include <string_view>

#include "data/page_settings.h"

struct VyRect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom are outside the rectangle
  bool operator==(const VyRect&) const = default;
};

// A font as selected: the logical font and its height in device units.
struct VyFontSel {
  VyLogFont font;
  int height = 16;
};

class VyDC {
 public:
  virtual ~VyDC() = default;

  virtual bool IsPrinting() const = 0;
  // Selects a font; returns the one selected before, for putting it back.
  virtual VyFontSel SelectFont(const VyFontSel& font) = 0;
  // Width of a GBK text in the selected font.
  virtual int TextWidth(std::string_view text) = 0;
  virtual void SetTextColor(uint32_t rgb) = 0;
  // Writes a GBK text with its top-left corner at (x, y).
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  // A 1-pixel line; both ends are drawn.
  virtual void Line(int x1, int y1, int x2, int y2, uint32_t rgb) = 0;
  virtual void FillRect(const VyRect& r, uint32_t rgb) = 0;
  // A 1-pixel frame just inside the rectangle.
  virtual void FrameRect(const VyRect& r, uint32_t rgb) = 0;
  // Inverts the pixels of the rectangle (selections, the dragged rule).
  virtual void InvertRect(const VyRect& r) = 0;

  // The system's window colours.
  virtual uint32_t WindowColour() const { return VyRgb(255, 255, 255); }
  virtual uint32_t WindowTextColour() const { return VyRgb(0, 0, 0); }
};

// Measures as a fixed-pitch face would (a byte half as wide as the font is high, at least one unit) and
// draws nothing. The engine measures with it when no screen is attached (pagination without a window).
class VyMeasureDC : public VyDC {
 public:
  explicit VyMeasureDC(bool printing = false) : printing_(printing) {}
  bool IsPrinting() const override { return printing_; }
  VyFontSel SelectFont(const VyFontSel& font) override {
    VyFontSel old = font_;
    font_ = font;
    return old;
  }
  int TextWidth(std::string_view text) override { return static_cast<int>(text.size()) * ByteWidth(); }
  void SetTextColor(uint32_t) override {}
  void TextOut(int, int, std::string_view) override {}
  void Line(int, int, int, int, uint32_t) override {}
  void FillRect(const VyRect&, uint32_t) override {}
  void FrameRect(const VyRect&, uint32_t) override {}
  void InvertRect(const VyRect&) override {}

 protected:
  int ByteWidth() const { return font_.height / 2 > 0 ? font_.height / 2 : 1; }
  const VyFontSel& Selected() const { return font_; }

 private:
  bool printing_;
  VyFontSel font_;
};
