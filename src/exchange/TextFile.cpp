#include "exchange/TextFile.h"

#include "exchange/ExchangeErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

constexpr char Codec[] = "windows-1252";

QString fileErrorText(const QString& action, const QString& fileName, const QString& reason)
{
    return QStringLiteral("%1 \"%2\": %3").arg(action, QDir::toNativeSeparators(fileName), reason);
}

}  // namespace

TSourceFile LoadSourceFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(fileErrorText(QStringLiteral("Cannot open"), fileName, file.errorString()));
    TSourceFile source;
    source.FileName = fileName;
    source.Data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EFileError(fileErrorText(QStringLiteral("Cannot read"), fileName, file.errorString()));
    source.Modified = QFileInfo(file).lastModified();
    return source;
}

bool Windows1252Available()
{
    return QStringDecoder(Codec).isValid() && QStringEncoder(Codec).isValid();
}

QString DecodeWindows1252(const QByteArray& bytes)
{
    QStringDecoder decoder(Codec);
    if (!decoder.isValid())
        throw EFileError(QStringLiteral("This build of Qt cannot decode Windows-1252 text"));
    return decoder(bytes);
}

QByteArray EncodeWindows1252(const QString& text)
{
    // Most text is plain ASCII, which is the same in Windows-1252.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return text.toLatin1();
    QStringEncoder encoder(Codec);
    if (!encoder.isValid())
        throw EFileError(QStringLiteral("This build of Qt cannot encode Windows-1252 text"));
    QByteArray bytes = encoder(text);
    if (!encoder.hasError())
        return bytes;
    // Rare: some character has no Windows-1252 byte. Encode one character at a time so
    // that exactly those become "?".
    bytes.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QStringEncoder single(Codec);
        const QByteArray one = single(QStringView(text).mid(i, length));
        bytes += single.hasError() ? QByteArray("?") : one;
        i += length - 1;
    }
    return bytes;
}

QStringList SplitTextLines(const QByteArray& bytes)
{
    const QString text = DecodeWindows1252(bytes);
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        while (end > start && text.at(end - 1) == QLatin1Char('\r'))
            --end;
        lines << text.mid(start, end - start);
        start = next;
    }
    return lines;
}

void WriteTextFile(const QString& fileName, const QString& text)
{
    // Written beside the target and renamed over it, so a failed write never leaves a
    // cut file in place of a good one. Not synced to disk: an export of thousands of
    // rolls must not wait for the disk once per file.
    const QString partName = fileName + QStringLiteral(".rk-part");
    QFile part(partName);
    if (!part.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EFileError(fileErrorText(QStringLiteral("Cannot create"), fileName, part.errorString()));
    const QByteArray bytes = EncodeWindows1252(text);
    const bool written = part.write(bytes) == bytes.size() && part.flush();
    const QString writeError = part.errorString();
    part.close();
    std::error_code renameError;
    if (written)
        std::filesystem::rename(partName.toStdU16String(), fileName.toStdU16String(), renameError);
    if (!written || renameError) {
        QFile::remove(partName);
        throw EFileError(fileErrorText(QStringLiteral("Cannot write"), fileName,
                                       written ? QString::fromStdString(renameError.message()) : writeError));
    }
}
