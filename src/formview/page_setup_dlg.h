#pragma once
// The page set-up dialog "Tavrel软件－页面设置": works on a copy of a view's page settings; the view takes
// the copy only when the dialog is confirmed.
#include <string>
#include <vector>

#include "data/page_settings.h"

class CVyPageSetupDlg {
 public:
  // The millimetre fields, in the order they are checked on confirmation.
  enum Field { kWidth, kLength, kRow, kTop, kBottom, kLeft, kRight };
  static constexpr int kFieldCount = 7;
  static constexpr const char* kCaption = "Tavrel软件－页面设置";
  static constexpr const char* kCopyTitle = "请选择要拷贝页面格式的帐务源文件";

  CVyPageSetupDlg(const PageSettings& ps, int nFlag, const std::string& sFieldMode);

  PageSettings settings;           // the dialog's copy
  std::string field[kFieldCount];  // texts of the millimetre fields
  Field focus = kWidth;            // where the focus goes after a refusal

  // The fields written again from the copy ("%.1lf" millimetres).
  void FieldsFromSettings();

  // The font list: its column captions and widths, and one row per section font.
  static std::vector<std::string> FontHeaders();
  std::vector<int> FontColumnWidths() const;
  std::vector<std::vector<std::string>> FontRows() const;
  // The colour that goes with font ord (0 title, 1 page head, 2 body, 3 page foot).
  uint32_t FontColour(int ord) const;
  void SetFont(int ord, const VyLogFont& font, uint32_t colour);

  // One step of a field's spin control (+1 up, -1 down); false when refused (the dialog beeps).
  bool Step(Field f, int direction);
  // "取默认值": the base and per-form defaults.
  void TakeDefaults();
  // "拷贝": this form's settings from another data file. False (after a message) when it cannot be read.
  bool CopyFrom(const std::string& gbkPath);
  // The extensions the copy's file dialog offers, the current product's first.
  static std::vector<std::string> CopyExtensions(const std::string& current);
  // "确认": every check in order; on success the copy holds the new values.
  bool Confirm();

 private:
  bool Number(Field f, double& value) const;
  bool Refuse(Field f, const char* message);
  int nFlag_;
  std::string sFieldMode_;
};
