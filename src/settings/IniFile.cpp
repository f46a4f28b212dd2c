#include "IniFile.h"

#include "SettingsError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

// A settings file is a few kilobytes; anything this large is not one, and reading it
// whole would only exhaust memory.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

bool sameName(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

QString decodeText(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder ansi("windows-1252", QStringDecoder::Flag::Stateless);
    if (ansi.isValid())
        return ansi.decode(bytes);
    return QString::fromLatin1(bytes);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

bool holdsLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

// A section header is "[name]"; anything after the closing bracket is ignored.
std::optional<QString> sectionName(const QString& trimmed)
{
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

ESettingsError writeError(const QString& fileName, const QString& reason)
{
    return ESettingsError(QStringLiteral("Couldn't write \"%1\": %2")
                              .arg(QDir::toNativeSeparators(fileName), reason));
}

}  // namespace

IniFile IniFile::load(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return {};
    const auto readError = [&](const QString& reason) {
        return ESettingsError(QStringLiteral("Couldn't read \"%1\": %2")
                                  .arg(QDir::toNativeSeparators(fileName), reason));
    };
    if (info.isDir())
        throw readError(QStringLiteral("it is a directory"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw readError(file.errorString());
    if (file.size() > kMaxFileSize)
        throw readError(QStringLiteral("the file is too large to be a settings file (%1 bytes)")
                            .arg(file.size()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw readError(file.errorString());
    return parse(bytes);
}

IniFile IniFile::parse(const QByteArray& bytes)
{
    IniFile document;
    QList<Line>* target = &document.m_preamble;
    for (const QString& text : splitLines(decodeText(bytes))) {
        const QString trimmed = text.trimmed();
        if (const auto name = sectionName(trimmed)) {
            document.m_sections.append(Section{*name, text, {}});
            target = &document.m_sections.last().lines;
            continue;
        }
        Line line;
        line.text = text;
        const bool comment = trimmed.startsWith(u';') || trimmed.startsWith(u'#');
        const qsizetype equals = trimmed.indexOf(u'=');
        if (!comment && equals > 0) {
            line.key = trimmed.left(equals).trimmed();
            line.value = trimmed.mid(equals + 1).trimmed();
            line.kind = line.key.isEmpty() ? LineKind::Other : LineKind::Pair;
        }
        target->append(line);
    }
    return document;
}

QByteArray IniFile::serialize() const
{
    QString text;
    const auto put = [&text](const QString& line) {
        text += line;
        text += QLatin1String("\r\n");
    };
    for (const Line& line : m_preamble)
        put(line.text);
    for (const Section& section : m_sections) {
        put(section.header);
        for (const Line& line : section.lines)
            put(line.text);
    }
    return text.toUtf8();
}

void IniFile::save(const QString& fileName) const
{
    const QString directory = QFileInfo(fileName).absolutePath();
    if (!QDir().mkpath(directory))
        throw writeError(fileName, QStringLiteral("couldn't create the directory"));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw writeError(fileName, file.errorString());
    const QByteArray bytes = serialize();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw writeError(fileName, reason);
    }
    if (!file.commit())
        throw writeError(fileName, file.errorString());
}

QStringList IniFile::sections() const
{
    QStringList names;
    for (const Section& section : m_sections) {
        if (!names.contains(section.name, Qt::CaseInsensitive))
            names.append(section.name);
    }
    return names;
}

bool IniFile::hasSection(const QString& section) const
{
    return findSection(section) != nullptr;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    if (const Section* found = findSection(section)) {
        for (const Line& line : found->lines) {
            if (line.kind == LineKind::Pair && sameName(line.key, key))
                return line.value;
        }
    }
    return std::nullopt;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    if (section.trimmed().isEmpty() || section.trimmed() != section || section.contains(u']')
        || holdsLineBreak(section))
        throw ESettingsError(QStringLiteral("\"%1\" cannot be a section name").arg(section));
    if (!isValidKey(key))
        throw ESettingsError(QStringLiteral("\"%1\" cannot be stored as a key: it must not be "
                                            "empty, hold \"=\" or a line break, start with "
                                            "\";\", \"#\" or \"[\", or have spaces around it")
                                 .arg(key));
    if (!isValidValue(value))
        throw ESettingsError(
            QStringLiteral("the value of \"%1\" cannot hold a line break").arg(key));

    Section* target = findSection(section);
    if (!target) {
        // A blank line before the new section, unless the file ends with one already.
        QList<Line>& tail = m_sections.isEmpty() ? m_preamble : m_sections.last().lines;
        const QString lastText = !tail.isEmpty()        ? tail.last().text
                                 : m_sections.isEmpty() ? QString()
                                                        : m_sections.last().header;
        if (!lastText.trimmed().isEmpty())
            tail.append(Line{});
        m_sections.append(Section{section, QLatin1Char('[') + section + QLatin1Char(']'), {}});
        target = &m_sections.last();
    }

    QList<Line>& lines = target->lines;
    qsizetype lastPair = -1;
    qsizetype lastText = -1;
    bool replaced = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Line& line = lines[i];
        if (line.kind == LineKind::Pair && sameName(line.key, key)) {
            if (replaced) {
                lines.removeAt(i--);
                continue;
            }
            line = pairLine(line.key, value);
            replaced = true;
        }
        if (line.kind == LineKind::Pair)
            lastPair = i;
        if (!line.text.trimmed().isEmpty())
            lastText = i;
    }
    if (!replaced)
        lines.insert((lastPair >= 0 ? lastPair : lastText) + 1, pairLine(key, value));
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList names;
    if (const Section* found = findSection(section)) {
        for (const Line& line : found->lines) {
            if (line.kind == LineKind::Pair && !names.contains(line.key, Qt::CaseInsensitive))
                names.append(line.key);
        }
    }
    return names;
}

QStringList IniFile::keyLines(const QString& section) const
{
    QStringList texts;
    if (const Section* found = findSection(section)) {
        for (const Line& line : found->lines) {
            if (line.kind == LineKind::Pair)
                texts.append(line.text.trimmed());
        }
    }
    return texts;
}

void IniFile::removeKey(const QString& section, const QString& key)
{
    if (Section* found = findSection(section)) {
        found->lines.removeIf([&key](const Line& line) {
            return line.kind == LineKind::Pair && sameName(line.key, key);
        });
    }
}

void IniFile::eraseSection(const QString& section)
{
    m_sections.removeIf([&section](const Section& s) { return sameName(s.name, section); });
}

bool IniFile::isValidKey(const QString& key)
{
    return !key.isEmpty() && key.trimmed() == key && !key.contains(u'=') && !holdsLineBreak(key)
        && !key.startsWith(u';') && !key.startsWith(u'#') && !key.startsWith(u'[');
}

bool IniFile::isValidValue(const QString& value)
{
    return !holdsLineBreak(value);
}

IniFile::Line IniFile::pairLine(const QString& key, const QString& value)
{
    const QString trimmedValue = value.trimmed();
    return Line{LineKind::Pair, key + QLatin1Char('=') + trimmedValue, key, trimmedValue};
}

const IniFile::Section* IniFile::findSection(const QString& name) const
{
    for (const Section& section : m_sections) {
        if (sameName(section.name, name))
            return &section;
    }
    return nullptr;
}

IniFile::Section* IniFile::findSection(const QString& name)
{
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}
