#pragma once
// The form engine's device context over a QPainter: the screen, a printer, a PDF file or the print preview.
// Without a painter it only measures (the view measures texts outside of painting).
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <string>
#include <unordered_map>
#include <vector>

#include "formview/device_context.h"

QColor ToQColor(uint32_t rgb);
uint32_t FromQColor(const QColor& c);
QFont ToQFont(const VyLogFont& font, int pixelHeight);
VyLogFont FromQFont(const QFont& font, const VyLogFont& base);

class QtDC : public VyDC {
 public:
  QtDC(QPainter* painter, QPaintDevice* device, bool printing);

  void SetPainter(QPainter* painter) { painter_ = painter; }
  bool IsPrinting() const override { return printing_; }
  VyFontSel SelectFont(const VyFontSel& font) override;
  int TextWidth(std::string_view text) override;
  void SetTextColor(uint32_t rgb) override { colour_ = ToQColor(rgb); }
  void TextOut(int x, int y, std::string_view text) override;
  void Line(int x1, int y1, int x2, int y2, uint32_t rgb) override;
  void FillRect(const VyRect& r, uint32_t rgb) override;
  void FrameRect(const VyRect& r, uint32_t rgb) override;
  void InvertRect(const VyRect& r) override;

 private:
  struct Face {
    VyFontSel sel;
    QFont font;
    QFontMetricsF metrics;
    // Widths already measured: the engine asks the width of "T" for every cell, and a ledger's texts
    // repeat from row to row. Bounded, since a run prints many pages through one context.
    mutable std::unordered_map<std::string, int> widths;
  };
  const Face& Current();

  QPainter* painter_;
  QPaintDevice* device_;
  bool printing_;
  VyFontSel selected_;
  std::vector<Face> faces_;  // the few fonts a page uses, built once
  int current_ = -1;
  QColor colour_ = Qt::black;
};
