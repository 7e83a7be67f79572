#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace Gbk {
/// Encodes text as GBK bytes; nullopt when a character has no GBK form (an emoji, say).
std::optional<QByteArray> encode(const QString &text);
/// Decodes GBK bytes.
QString decode(const QByteArray &bytes);
/// The message shown when text holds a character GBK cannot store.
QString unencodableMessage(const QString &text);
} // namespace Gbk
