#include "Gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Gbk {

std::optional<QByteArray> encode(const QString &text)
{
    QStringEncoder encoder("GBK");
    QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError())
        return std::nullopt;
    return bytes;
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
}

std::optional<QString> decodeStrictly(QByteArrayView bytes)
{
    QStringDecoder decoder("GBK");
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    const std::optional<QByteArray> again = encode(text);
    if (!again || QByteArrayView(*again) != bytes)
        return std::nullopt;
    return text;
}

QString unencodableMessage(const QString &text)
{
    // Name the first character that has no GBK form, so the teacher knows what to change.
    QString culprit;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!encode(character)) {
            culprit = character;
            break;
        }
        i += length - 1;
    }
    return QStringLiteral("“%1”中含有无法保存的字符“%2”，请删去或换成别的字。").arg(text, culprit);
}

} // namespace Gbk
