#pragma once

#include <QString>

/// Class and subject names become parts of table and file names and lines of GBK list
/// files; these say why a name cannot (empty when it can).
namespace NameRules {
/// For a class name that is not empty.
QString classRefusal(const QString &className);
/// For a subject name that is not empty.
QString subjectRefusal(const QString &subject);
} // namespace NameRules
