#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

/// Names made of the 3755 characters of GB2312 level 1 (rows 16 to 55), and the forms a
/// Data file written by this program or by another one holds them in.
namespace Gb2312Corpus {
/// Every level-1 character once, in code order.
QString levelOneCharacters();
/// The characters cut into names of `length` characters (the last may be shorter).
QStringList names(int length);

/// How a file holds its text: GBK as this program writes, or what an editor saves.
enum class Form {
    Gbk,
    Utf8,
    Utf8WithMark,
    Utf16LittleEndian,
    Utf16BigEndian
};
/// Every form, with the name a test row shows.
QList<std::pair<Form, const char *>> forms();
/// The bytes of text in a form.
QByteArray bytes(const QString &text, Form form);
} // namespace Gb2312Corpus
