#include "accounts/account.h"

#include "accounts/account_code.h"

std::string ParentRefusal(const Account& parent) {
  if (parent.special) return "“" + parent.code + "”科目为专用科目，禁止明细化!";
  std::string limit = ChildLimitRefusal(parent.code);
  if (!limit.empty()) return limit;
  if (parent.aux == kAuxQuantity) return parent.code + "科目已被指定为数量金额式核算，不能再明细化!";
  if (parent.aux == kAuxCurrency) return parent.code + "科目已被指定为外币核算，不能再明细化!";
  return "";
}

std::string SavedParentRefusal(const Account& parent) {
  if (parent.special) return "其父科目为专用科目，禁止明细化!";
  if (parent.aux == kAuxCurrency) return "其父科目已被指定为外币核算，禁止明细化!";
  return "";
}

int MinColumnWidth(const std::string& name) {
  return static_cast<int>((name.size() + 1) / 2);
}

std::string ColumnRefusal(bool parentMultiColumn, Account& account) {
  if (!parentMultiColumn) {
    account.columnSide = 0;
    account.columnWidth = 0;
    return "";
  }
  if (account.columnSide == 0) return "因其父科目(帐户)为多栏式帐页，\n\r故请指定本科目(帐户)的多栏方向!";
  if (account.columnWidth == 0) return "请指定多栏式帐页的栏宽!";
  int least = MinColumnWidth(account.name);
  if (account.columnWidth < least) {
    account.columnWidth = least;
    return "多栏帐的栏宽不能小于本科目名称的汉字数!";
  }
  return "";
}

std::string AuxRefusal(Account& account) {
  if (account.aux == kAuxNone) {
    account.auxUnit.clear();
    return "";
  }
  if (account.auxUnit.empty()) return "数量单位不能为空，请重输!";
  return "";
}
