#include "f100sim/SimStateFile.h"

#include "f100sim/MemoryImage.h"

#include <QFile>
#include <QSaveFile>

#include <cctype>

namespace f100sim {

namespace {

QByteArray hexOf(const QByteArray& bytes)
{
    return bytes.toHex().toUpper();
}

}  // namespace

bool readWholeFile(const QString& path, QByteArray* contents, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Failed to open file %1: %2").arg(path, file.errorString());
        return false;
    }
    *contents = file.readAll();
    return true;
}

bool parseHexBytes(QByteArray text, QByteArray* bytes)
{
    text.replace(' ', QByteArray());
    if (text.size() % 2 != 0)
        return false;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    }
    *bytes = QByteArray::fromHex(text);
    return true;
}

bool saveStateFile(const QString& path, const TSimState& state, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Couldn't create \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    QByteArray text = "# Simulated F100: custom settings B1-B4, data settings byte, memory image\n";
    text += "custom=" + hexOf(QByteArray(reinterpret_cast<const char*>(state.CustomSettings.data()), 4)) + '\n';
    text += "data=" + hexOf(QByteArray(1, static_cast<char>(state.DataSettings))) + '\n';
    text += "image=" + hexOf(state.Image) + '\n';
    file.write(text);
    if (!file.commit()) {
        *error = QStringLiteral("Couldn't write \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool loadStateFile(const QString& path, TSimState* state, QString* error)
{
    QByteArray contents;
    if (!readWholeFile(path, &contents, error))
        return false;
    TSimState loaded;
    bool haveCustom = false;
    bool haveData = false;
    bool haveImage = false;
    int lineNumber = 0;
    for (const QByteArray& rawLine : contents.split('\n')) {
        ++lineNumber;
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const qsizetype equals = line.indexOf('=');
        const QByteArray key = line.left(equals).trimmed();
        QByteArray value;
        const auto fail = [&](const QString& what) {
            *error = QStringLiteral("%1, line %2: %3").arg(path).arg(lineNumber).arg(what);
            return false;
        };
        if (equals < 0 || !parseHexBytes(line.mid(equals + 1).trimmed(), &value))
            return fail(QStringLiteral("expected key=hex bytes"));
        if (key == "custom") {
            if (value.size() != 4)
                return fail(QStringLiteral("custom needs 4 bytes"));
            for (size_t i = 0; i < 4; ++i)
                loaded.CustomSettings[i] = static_cast<uint8_t>(value[static_cast<qsizetype>(i)]);
            haveCustom = true;
        } else if (key == "data") {
            if (value.size() != 1)
                return fail(QStringLiteral("data needs 1 byte"));
            loaded.DataSettings = static_cast<uint8_t>(value[0]);
            haveData = true;
        } else if (key == "image") {
            QString why;
            if (!checkMemoryImage(value, &why))
                return fail(why);
            loaded.Image = value;
            haveImage = true;
        } else {
            return fail(QStringLiteral("unknown key \"%1\"").arg(QString::fromLatin1(key)));
        }
    }
    if (!haveCustom || !haveData || !haveImage) {
        *error = QStringLiteral("%1: needs the keys custom, data and image").arg(path);
        return false;
    }
    *state = loaded;
    return true;
}

}  // namespace f100sim
