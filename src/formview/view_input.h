#pragma once
// What the host window tells the form engine and what the engine asks of it: keys, scroll requests, mouse
// cursors, the context menu and the host's services.
#include <string>
#include <vector>

enum class VyKey {
  Tab,
  Enter,
  Left,
  Right,
  Up,
  Down,
  PageUp,
  PageDown,
  Home,
  End,
  Backspace,
  Delete,
  Shift,
  Control,
  CapsLock,
  NumLock,
  Escape,
  Other
};

enum class VyScroll { LineUp, LineDown, PageUp, PageDown, Top, Bottom, Thumb };

enum class VyCursor { Arrow, IBeam, SizeColumn, SizeRow, SelectRow, SelectColumn, SelectAll };

// Command numbers the form views answer.
namespace vycmd {
constexpr int kSave = 3001;
constexpr int kNew = 3002;
constexpr int kDeleteSelection = 3006;
constexpr int kPageSetup = 915;
constexpr int kCalculator = 916;
constexpr int kOpen = 57601;
constexpr int kPrintSetup = 57606;
constexpr int kPrint = 57607;
constexpr int kPrintPreview = 57609;
constexpr int kCopy = 57634;
constexpr int kCut = 57635;
constexpr int kPaste = 57637;
constexpr int kUndo = 57643;
constexpr int kRedo = 57644;
}  // namespace vycmd

struct VyMenuItem {
  std::string text;  // "" for a separator
  int command = 0;
  bool enabled = true;
};

// The window hosting a view. Every call has a default that does nothing, so a view can live without one
// (tests, pagination).
class VyViewHost {
 public:
  virtual ~VyViewHost() = default;
  // The view's picture changed: repaint it.
  virtual void Redraw() {}
  // Row count, page size or scroll position changed: bring the scroll bars in step.
  virtual void ScrollSizesChanged() {}
  // The caret moved, changed height, appeared or disappeared.
  virtual void CaretChanged() {}
  // The resolution (dots per inch) of the printer the view prints on; 0 when unknown.
  virtual int PrinterResolution() { return 0; }
};
