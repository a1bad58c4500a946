#include "qt_dc.h"

#include <QPen>
#include <cmath>

#include "base/money.h"
#include "gbk_qt.h"

QColor ToQColor(uint32_t rgb) {
  return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

uint32_t FromQColor(const QColor& c) {
  return VyRgb(c.red(), c.green(), c.blue());
}

QFont ToQFont(const VyLogFont& font, int pixelHeight) {
  // Widths are counted in half-width characters: where the face is missing, a face whose Latin letters are
  // exactly half as wide as its Chinese ones takes its place.
  QFont f;
  f.setFamilies(
      {Q(font.faceName), "WenQuanYi Micro Hei Mono", "WenQuanYi Zen Hei Mono", "Noto Sans Mono CJK SC"});
  f.setPixelSize(std::max(1, pixelHeight));
  f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight <= 0 ? 400 : font.weight, 1, 1000)));
  f.setItalic(font.italic != 0);
  f.setUnderline(font.underline != 0);
  f.setStrikeOut(font.strikeOut != 0);
  return f;
}

VyLogFont FromQFont(const QFont& font, const VyLogFont& base) {
  VyLogFont f = base;
  if (auto face = G(font.family())) f.faceName = face->substr(0, 31);
  int size = font.pixelSize() > 0 ? font.pixelSize() : static_cast<int>(font.pointSizeF() * 96 / 72 + 0.5);
  f.height = -std::max(1, size);
  f.weight = font.weight();
  f.italic = font.italic() ? 1 : 0;
  f.underline = font.underline() ? 1 : 0;
  f.strikeOut = font.strikeOut() ? 1 : 0;
  return f;
}

QtDC::QtDC(QPainter* painter, QPaintDevice* device, bool printing)
    : painter_(painter), device_(device), printing_(printing) {}

VyFontSel QtDC::SelectFont(const VyFontSel& font) {
  VyFontSel old = selected_;
  selected_ = font;
  current_ = -1;
  return old;
}

const QtDC::Face& QtDC::Current() {
  if (current_ >= 0) return faces_[static_cast<size_t>(current_)];
  for (size_t i = 0; i < faces_.size(); ++i)
    if (faces_[i].sel.height == selected_.height && faces_[i].sel.font == selected_.font) {
      current_ = static_cast<int>(i);
      return faces_[i];
    }
  QFont f = ToQFont(selected_.font, selected_.height);
  faces_.push_back({selected_, f, QFontMetricsF(f, device_), {}});
  current_ = static_cast<int>(faces_.size() - 1);
  return faces_.back();
}

int QtDC::TextWidth(std::string_view text) {
  if (text.empty()) return 0;
  const Face& face = Current();
  std::string key(text);
  if (auto it = face.widths.find(key); it != face.widths.end()) return it->second;
  // Rounded up, so that a text of n characters fits into n widths of "T".
  int width = static_cast<int>(std::ceil(face.metrics.horizontalAdvance(Q(key)) - money::kDecimalSlack));
  if (face.widths.size() >= 4096) face.widths.clear();
  face.widths.emplace(std::move(key), width);
  return width;
}

void QtDC::TextOut(int x, int y, std::string_view text) {
  if (!painter_ || text.empty()) return;
  const Face& face = Current();
  painter_->setFont(face.font);
  painter_->setPen(colour_);
  painter_->drawText(x, y + qRound(face.metrics.ascent()), Q(std::string(text)));
}

void QtDC::Line(int x1, int y1, int x2, int y2, uint32_t rgb) {
  if (!painter_) return;
  if (printing_) {
    // A rule is one printer dot, and the print preview shows the page at a few screen pixels to the
    // millimetre: a dot-wide rectangle there covers no pixel's centre and vanishes. A cosmetic pen is
    // one dot of whatever device shows it, a printer's on paper and a pixel in the preview, and a PDF
    // keeps it as the thinnest line its reader can draw.
    painter_->setPen(QPen(ToQColor(rgb), 0));
    painter_->drawLine(x1, y1, x2, y2);
    return;
  }
  if (y1 == y2) {
    painter_->fillRect(std::min(x1, x2), y1, std::abs(x2 - x1) + 1, 1, ToQColor(rgb));
  } else if (x1 == x2) {
    painter_->fillRect(x1, std::min(y1, y2), 1, std::abs(y2 - y1) + 1, ToQColor(rgb));
  } else {
    painter_->setPen(QPen(ToQColor(rgb), 0));
    painter_->drawLine(x1, y1, x2, y2);
  }
}

void QtDC::FillRect(const VyRect& r, uint32_t rgb) {
  if (painter_ && r.right > r.left && r.bottom > r.top)
    painter_->fillRect(r.left, r.top, r.right - r.left, r.bottom - r.top, ToQColor(rgb));
}

void QtDC::FrameRect(const VyRect& r, uint32_t rgb) {
  if (!painter_ || r.right <= r.left || r.bottom <= r.top) return;
  Line(r.left, r.top, r.right - 1, r.top, rgb);
  Line(r.left, r.bottom - 1, r.right - 1, r.bottom - 1, rgb);
  Line(r.left, r.top, r.left, r.bottom - 1, rgb);
  Line(r.right - 1, r.top, r.right - 1, r.bottom - 1, rgb);
}

void QtDC::InvertRect(const VyRect& r) {
  if (!painter_ || r.right <= r.left || r.bottom <= r.top) return;
  painter_->save();
  painter_->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter_->fillRect(r.left, r.top, r.right - r.left, r.bottom - r.top, Qt::white);
  painter_->restore();
}
