#pragma once
// The texts of the cells the ledgers, entry sheets and lists show: the figures, unpadded, and the pick of
// one column among a row's cells.
#include <string>
#include <vector>

#include "base/text.h"

// An amount in cents.
inline std::string MoneyText(double value) {
  return FormatAmount(value, 0, 2, 2);
}
// A quantity (or foreign amount) of up to four places.
inline std::string QuantityText(double value) {
  return FormatAmount(value, 0, 0, 4);
}
// A price (or rate) of two to four places.
inline std::string PriceText(double value) {
  return FormatAmount(value, 0, 2, 4);
}
// The cell of column col among a row's cells; "" for a column beside them.
inline std::string CellOf(const std::vector<std::string>& cells, int col) {
  return col >= 0 && col < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(col)] : std::string();
}
