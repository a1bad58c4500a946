#pragma once
// The pinyin initials of a GBK text, for finding an account by typing "gsyh" for 工商银行. The common
// characters (GB2312's first level, 3,755 of them) are stored in pinyin order, so each initial is a range
// of their codes; rarer characters have no initial here and are left out, letters and digits stay
// (lowercase), anything else is left out.
#include <string>

std::string PinyinInitials(const std::string& gbk);
