#pragma once

#include <QString>
#include <optional>

/// Numbers as a teacher types them: full-width digits, signs and points (what a Chinese
/// input method gives, ８５) read as their plain forms, blanks around the number ignored.
namespace NumberText {
/// The text with every full-width form folded to its plain one (８５ → 85, －３ → -3) and
/// the blanks around it removed.
QString folded(const QString &text);
/// A whole number that fits a 32-bit INT column; nullopt for anything else (abc, 85.5,
/// 2147483648, an empty text).
std::optional<int> toInt32(const QString &text);
/// A number for a FLOAT column; nullopt when the text is no number.
std::optional<double> toReal(const QString &text);
} // namespace NumberText
