#pragma once

#include <QString>
#include <optional>

/// How the analysis writes its figures on screen; an absent figure is "—".
namespace StatisticsText {
inline const QString kAbsent = QStringLiteral("—");
/// Two decimals: 平均分 and 标准差 (85.50).
QString decimal(std::optional<double> value);
/// As short as exact: scores, 中位数 (85, 85.5).
QString score(std::optional<double> value);
/// A share as a percentage with two decimals (83.33%).
QString percent(std::optional<double> share);
/// Places gained with a sign: "+3", "-2", "0"; "缺考" when either score is missing.
QString change(std::optional<int> places);
} // namespace StatisticsText
