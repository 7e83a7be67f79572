#pragma once

#include <QString>

/// Class and subject names become parts of table and file names and lines of GBK list
/// files; these say why a name cannot (empty when it can).
namespace NameRules {
/// For a class name that is not empty.
QString classRefusal(const QString &className);
/// For a subject name that is not empty.
QString subjectRefusal(const QString &subject);
/// For a class and subject that each pass their own rule: refused when a file named from
/// them (class + subject + "名单默认模板.qs", say) would be longer than a file name can be.
QString fileNameRefusal(const QString &className, const QString &subject);
/// The longest file name, in bytes, the file system takes.
inline constexpr int kMaxFileNameBytes = 255;
} // namespace NameRules
