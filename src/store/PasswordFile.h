#pragma once

#include "DataFiles.h"
#include "Result.h"

#include <QString>
#include <optional>

/// The password file of a class and subject: the password's GBK bytes and nothing else.
namespace PasswordFile {
/// The largest number of bytes a stored password can have.
inline constexpr int kMaxBytes = 14;
/// The first white-space-delimited word of the file, at most 14 bytes, decoded from GBK;
/// nullopt when the file cannot be opened or holds no word.
std::optional<QString> readToken(const QString &path);
std::optional<QString> readToken(const DataFiles &files, const QString &name);
/// Empty when the password can be stored and read back whole; otherwise the Chinese
/// message explaining why it is refused (white space, over 14 bytes, not GBK).
QString refusalReason(const QString &password);
/// Writes the password's GBK bytes with nothing before or after them.
Result write(const QString &path, const QString &password);
Result write(DataFiles &files, const QString &name, const QString &password);
} // namespace PasswordFile
