#include "Gb2312Corpus.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Gb2312Corpus {

QString levelOneCharacters()
{
    // Rows 16 to 55 are the lead bytes B0 to D7; row 55 stops at D7F9.
    QByteArray bytes;
    for (int lead = 0xB0; lead <= 0xD7; ++lead) {
        for (int trail = 0xA1; trail <= (lead == 0xD7 ? 0xF9 : 0xFE); ++trail) {
            bytes += char(lead);
            bytes += char(trail);
        }
    }
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
}

QStringList names(int length)
{
    const QString characters = levelOneCharacters();
    QStringList result;
    for (qsizetype i = 0; i < characters.size(); i += length)
        result << characters.mid(i, length);
    return result;
}

QList<std::pair<Form, const char *>> forms()
{
    return {{Form::Gbk, "GBK"}, {Form::Utf8, "UTF-8"}, {Form::Utf8WithMark, "UTF-8 with mark"},
        {Form::Utf16LittleEndian, "UTF-16 LE with mark"}, {Form::Utf16BigEndian, "UTF-16 BE with mark"}};
}

QByteArray bytes(const QString &text, Form form)
{
    switch (form) {
    case Form::Gbk: return QStringEncoder("GBK").encode(text);
    case Form::Utf8: return text.toUtf8();
    case Form::Utf8WithMark: return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case Form::Utf16LittleEndian: return QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom).encode(text);
    case Form::Utf16BigEndian: return QStringEncoder(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom).encode(text);
    }
    return {};
}

} // namespace Gb2312Corpus
