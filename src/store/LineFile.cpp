#include "LineFile.h"

#include "Gbk.h"
#include "TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QLatin1StringView kCopySuffix(".tmp");
constexpr int kCopyMarkLength = 6;

QString copyPath(const QString &path)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString mark;
    for (int i = 0; i < kCopyMarkLength; ++i)
        mark += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return path + QLatin1Char('.') + mark + kCopySuffix;
}

bool isCopyOf(const QString &entry, const QString &name)
{
    if (entry.size() != name.size() + 1 + kCopyMarkLength + kCopySuffix.size() || !entry.startsWith(name + QLatin1Char('.'))
        || !entry.endsWith(kCopySuffix))
        return false;
    for (const QChar c : QStringView(entry).sliced(name.size() + 1, kCopyMarkLength)) {
        if (c.unicode() >= 0x80 || !c.isLetterOrNumber())
            return false;
    }
    return true;
}

// A copy whose writer was killed before the rename stays beside the file for ever unless
// the next write takes it away; a writer that is still at work holds its copy locked.
void removeStaleCopies(const QString &path)
{
    const QFileInfo info(path);
    const QDir folder = info.dir();
    const QString name = info.fileName();
    const QStringList entries = folder.entryList({name + QStringLiteral(".*") + kCopySuffix}, QDir::Files | QDir::Hidden);
    for (const QString &entry : entries) {
        if (!isCopyOf(entry, name))
            continue;
        const QByteArray native = QFile::encodeName(folder.filePath(entry));
        const int descriptor = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0)
            continue;
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0)
            ::unlink(native.constData());
        ::close(descriptor);
    }
}

} // namespace

namespace LineFile {

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines << text.mid(start);
    return lines;
}

ReadResult<QByteArray> readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult<QByteArray>::failure(
            QStringLiteral("无法读取文件“%1”：%2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return ReadResult<QByteArray>::success(file.readAll());
}

std::optional<QStringList> lines(QByteArrayView bytes)
{
    const std::optional<QString> text = TextDecoding::decode(bytes);
    if (!text)
        return std::nullopt;
    return splitLines(*text);
}

QString notTextMessage(const QString &path)
{
    return QStringLiteral("无法读取文件“%1”：它不是文本文件（含有空字符或其他控制字符）。").arg(QDir::toNativeSeparators(path));
}

ReadResult<QStringList> read(const QString &path)
{
    const ReadResult<QByteArray> bytes = readBytes(path);
    if (!bytes)
        return ReadResult<QStringList>::failure(bytes.error);
    std::optional<QStringList> read = lines(*bytes);
    if (!read)
        return ReadResult<QStringList>::failure(notTextMessage(path));
    return ReadResult<QStringList>::success(std::move(*read));
}

Result write(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        const std::optional<QByteArray> encoded = Gbk::encode(line);
        if (!encoded)
            return Result::failure(Gbk::unencodableMessage(line));
        bytes += *encoded;
        bytes += "\r\n";
    }
    return writeBytes(path, bytes);
}

Result writeBytes(const QString &path, const QByteArray &bytes)
{
    // Through a link, as the editors do: the file it names is replaced, the link stays.
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    removeStaleCopies(target);
    const auto failure = [&](const QString &reason) {
        return Result::failure(QStringLiteral("无法写入文件“%1”：%2").arg(QDir::toNativeSeparators(path), reason));
    };

    QFile copy;
    for (int attempt = 0; attempt < 16 && !copy.isOpen(); ++attempt) {
        copy.setFileName(copyPath(target));
        (void)copy.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    }
    if (!copy.isOpen())
        return failure(copy.errorString());
    (void)::flock(copy.handle(), LOCK_EX);
    const QByteArray copyName = QFile::encodeName(copy.fileName());
    const auto giveUp = [&](const QString &reason) {
        copy.close();
        ::unlink(copyName.constData());
        return failure(reason);
    };
    if (copy.write(bytes) != bytes.size() || !copy.flush())
        return giveUp(copy.errorString());
    if (::fsync(copy.handle()) != 0 || ::rename(copyName.constData(), QFile::encodeName(target).constData()) != 0)
        return giveUp(qt_error_string(errno));
    copy.close();
    return Result::success();
}

} // namespace LineFile
