#pragma once

#include <QByteArray>
#include <QString>

/// How the readers of the Data folder's text files turn bytes into text: the files are
/// GBK, but a file saved by a current editor may be UTF-8, with or without a byte-order mark.
namespace TextDecoding {
/// True for bytes that are UTF-8 text and not plain ASCII: valid UTF-8 after an optional
/// byte-order mark, holding at least one non-ASCII character or the mark itself.
bool isUtf8Text(const QByteArray &bytes);
/// UTF-8 text (see isUtf8Text) decoded as UTF-8 without its mark; everything else as GBK.
QString decode(const QByteArray &bytes);
} // namespace TextDecoding
