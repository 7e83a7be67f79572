#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace Gbk {
/// Encodes text as GBK bytes; nullopt when a character has no GBK form (an emoji, say).
std::optional<QByteArray> encode(const QString &text);
/// Decodes GBK bytes.
QString decode(const QByteArray &bytes);
/// The text of bytes that are GBK through and through; nullopt when a byte is not read
/// as GBK (the decoder drops a lead byte without its second byte silently, so only a round
/// trip tells).
std::optional<QString> decodeStrictly(QByteArrayView bytes);
/// The message shown when text holds a character GBK cannot store.
QString unencodableMessage(const QString &text);
} // namespace Gbk
