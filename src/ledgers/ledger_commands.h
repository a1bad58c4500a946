#pragma once
// Command numbers of the ledger windows' own menu items.
namespace ledgercmd {
constexpr int kChangePeriod = 40016;  // 改变时间和类型(&K)
constexpr int kAutoMode = 32847;      // 自动选择输出方式
constexpr int kDetailMode = 32848;    // 输出明细记录
constexpr int kSummaryMode = 32849;   // 输出汇总记录
}  // namespace ledgercmd
