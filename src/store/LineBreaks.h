#pragma once

#include <QString>

/// A value that is one line of a text file (a comment of the grade settings) must not
/// hold a line break, or every later line of the file would shift.
namespace LineBreaks {
/// text with every line break taken out: CR, LF, and the other characters that end a
/// line (vertical tab, form feed, next line, line and paragraph separators).
QString removed(const QString &text);
} // namespace LineBreaks
