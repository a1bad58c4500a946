#include "calc/capitals.h"

#include <cmath>

#include "base/money.h"
#include "base/text.h"

namespace {

const char* const kCapitals[] = {"零", "壹", "贰", "叁", "肆", "伍", "陆", "柒", "捌", "玖"};
const char* const kChineseDigits[] = {"○", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
constexpr int kHighestPlace = 11;  // 仟亿

// The unit written after a digit at place p (0 is yuan, -1 jiao, -2 fen).
const char* UnitOf(int p, bool zero) {
  if (p == -2) return "分";
  if (p == -1) return "角";
  if (p == 0) return "元";
  if (p == 4) return "万";
  if (p == 8) return "亿";
  if (zero) return "";
  static const char* const kInGroup[] = {"", "拾", "佰", "仟"};
  return kInGroup[p % 4];
}

}  // namespace

std::string AmountInCapitals(double amount) {
  if (!std::isfinite(amount)) return std::string();
  double a = std::fabs(amount);
  if (money::ToCents(a) == 0) return std::string();
  std::string digits = ReplaceAll(ReplaceAll(FormatAmount(a, 0, 2, 2), ",", ""), ".", "");
  const int count = static_cast<int>(digits.size());
  if (count < 3 || count - 3 > kHighestPlace) return std::string();

  // Below ten yuan a zero yuan digit is not written, nor a zero jiao after it: 0.05 is "伍分".
  int first = 0;
  if (count == 3 && digits[0] == '0') first = digits[1] == '0' ? 2 : 1;

  std::string text;
  for (int i = first; i < count; ++i) {
    int d = digits[static_cast<size_t>(i)] - '0';
    int place = count - 3 - i;
    text += kCapitals[d];
    text += UnitOf(place, d == 0);
  }
  // Runs of zeros collapse to one "零", and a zero just before a unit of yuan, wan or yi is not read.
  text = ReplaceAll(text, "零零", "零");
  text = ReplaceAll(text, "零零", "零");
  text = ReplaceAll(text, "零亿", "亿");
  text = ReplaceAll(text, "亿零万零元", "亿元");
  text = ReplaceAll(text, "零万", "万");
  // A wan group of zeros between yi and a non-zero yuan group is read as one "零" (壹亿零壹元), not "亿万".
  text = ReplaceAll(ReplaceAll(text, "亿万", "亿零"), "零零", "零");
  text = ReplaceAll(text, "万零元", "万元");
  text = ReplaceAll(text, "零元", "元");
  text = ReplaceAll(text, "零角零分", "");
  text = ReplaceAll(text, "零角", "零");
  text = ReplaceAll(text, "零分", "");
  if (digits.ends_with("00")) text += "整";
  // Any negative amount that is written at all is marked, down to minus half a cent.
  return amount < 0 ? "负" + text : text;
}

std::string DigitsInChinese(double value) {
  if (!std::isfinite(value)) return std::string();
  std::string whole = ReplaceAll(FormatAmount(std::trunc(value) + 0.0, 0, 0, 0), ",", "");
  if (whole.empty()) whole.push_back('0');
  std::string text;
  for (char c : whole) text += c >= '0' && c <= '9' ? kChineseDigits[c - '0'] : std::string(1, c);
  return text;
}
