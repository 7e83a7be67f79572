#include "XlsxReader.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

#include <zlib.h>

namespace {

quint32 le(const QByteArray &data, qsizetype at, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | quint8(data.at(at + i));
    return value;
}

QByteArray inflateRaw(const QByteArray &compressed, qsizetype size)
{
    QByteArray out(size, Qt::Uninitialized);
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return {};
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.constData()));
    stream.avail_in = uInt(compressed.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    const int status = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    return status == Z_STREAM_END ? out : QByteArray();
}

QStringList sharedStrings(const QByteArray &xml)
{
    QStringList strings;
    QXmlStreamReader reader(xml);
    QString current;
    bool inItem = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"si") {
            inItem = true;
            current.clear();
        } else if (reader.isStartElement() && reader.name() == u"t" && inItem) {
            current += reader.readElementText();
        } else if (reader.isEndElement() && reader.name() == u"si") {
            strings << current;
            inItem = false;
        }
    }
    return strings;
}

} // namespace

int XlsxSheet::lastRow() const
{
    static const QRegularExpression digits(QStringLiteral("\\d+$"));
    int last = 0;
    for (auto it = cells.cbegin(); it != cells.cend(); ++it)
        last = std::max(last, digits.match(it.key()).captured().toInt());
    return last;
}

QByteArray readZipMember(const QString &archive, const QString &member)
{
    QFile file(archive);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    const qsizetype end = data.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0 || end + 22 > data.size())
        return {};
    const quint32 entries = le(data, end + 10, 2);
    qsizetype at = le(data, end + 16, 4);
    for (quint32 i = 0; i < entries && at + 46 <= data.size(); ++i) {
        const quint32 method = le(data, at + 10, 2);
        const quint32 compressedSize = le(data, at + 20, 4);
        const quint32 size = le(data, at + 24, 4);
        const quint32 nameLength = le(data, at + 28, 2);
        const quint32 extraLength = le(data, at + 30, 2);
        const quint32 commentLength = le(data, at + 32, 2);
        const quint32 local = le(data, at + 42, 4);
        const QString name = QString::fromUtf8(data.mid(at + 46, nameLength));
        at += 46 + nameLength + extraLength + commentLength;
        if (name != member)
            continue;
        const qsizetype start = local + 30 + le(data, local + 26, 2) + le(data, local + 28, 2);
        const QByteArray body = data.mid(start, compressedSize);
        if (method == 0)
            return body;
        return method == 8 ? inflateRaw(body, size) : QByteArray();
    }
    return {};
}

XlsxSheet readXlsxSheet(const QString &path)
{
    XlsxSheet sheet;
    const QByteArray xml = readZipMember(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    if (xml.isEmpty())
        return sheet;
    const QStringList strings = sharedStrings(readZipMember(path, QStringLiteral("xl/sharedStrings.xml")));
    QXmlStreamReader reader(xml);
    QString reference;
    QString type;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        if (reader.name() == u"c") {
            reference = reader.attributes().value(QStringLiteral("r")).toString();
            type = reader.attributes().value(QStringLiteral("t")).toString();
        } else if (reader.name() == u"v") {
            const QString text = reader.readElementText();
            if (type == u"s")
                sheet.cells[reference] = strings.value(text.toInt());
            else if (type == u"str")
                sheet.cells[reference] = text;
            else
                sheet.cells[reference] = text.toDouble();
        } else if (reader.name() == u"t" && type == u"inlineStr") {
            sheet.cells[reference] = reader.readElementText();
        }
    }
    sheet.ok = !reader.hasError();
    return sheet;
}
