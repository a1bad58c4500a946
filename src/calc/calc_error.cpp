#include "calc/calc_error.h"

std::string CalcErrorMessage(int code) {
  static const char* const kMessages[] = {
      "括号出错！",
      "除数为零！",
      "数字出错！",
      "函数名或变量名中有非法字符！",
      "函数无右括号！",
      "变量名出错！",
      "函数名出错！",
      "符号出错！",
      "运算符号出错！",
      "幂运算出错！",
      "函数参数数目过少！",
      "函数参数数目过多！",
      "引号不配对！",
      "数据类型不匹配！",
      "数学函数的定义域出错！",
      "金额太大，不能写成大写！",
  };
  constexpr int kCount = static_cast<int>(sizeof(kMessages) / sizeof(kMessages[0]));
  if (code >= 0 || -code > kCount) return std::string();
  return kMessages[-code - 1];
}
