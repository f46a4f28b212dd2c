#include "exchange/TextFile.h"

#include "exchange/ExchangeErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

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
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EFileError(fileErrorText(QStringLiteral("Cannot create"), fileName, file.errorString()));
    const QByteArray bytes = EncodeWindows1252(text);
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw EFileError(fileErrorText(QStringLiteral("Cannot write"), fileName, file.errorString()));
}
