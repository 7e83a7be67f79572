#pragma once

#include <QString>
#include <QStringView>
#include <optional>

class Database;

/// The one rule for the characters of a name (a student's, a class's, a subject's, a score
/// column's): names are shown, searched and typed again, so none may hold a character that
/// shows as nothing or moves the text about.
namespace NameCharacters {
/// True for a control character (tab and line breaks too), a format character (zero-width
/// spaces and joiners, direction marks, byte-order marks, soft hyphens) and the other
/// characters that show as nothing (fillers, variation selectors, line separators).
bool isHidden(char32_t c);
/// True when text holds such a character.
bool hasHidden(QStringView text);
/// text without them: the name as the teacher sees it.
QString visible(QStringView text);
/// "姓名“张三”含有看不见的字符（如制表符、零宽空格）" for a student's name with a hidden
/// character, empty for one without.
QString studentNameRefusal(const QString &name);
/// The refusal for the first student of table (by 编号) whose name holds a hidden
/// character, starting "编号为3的学生"; nullopt when there is none or the table cannot be
/// read (the statement that copies it then reports that).
std::optional<QString> firstHiddenStudentName(const Database &database, const QString &table);
} // namespace NameCharacters
