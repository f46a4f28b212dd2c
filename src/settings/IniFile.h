#pragma once

// A generic ini document that keeps the file as the user left it.
//
// Sections and keys are compared without regard to case, and both keep their file order
// (QSettings sorts keys, which would scramble the order of named presets). Comments (lines
// starting with ";" or "#"), blank lines, lines that are not "key=value" and every section
// or key the program does not know survive a rewrite untouched; only the lines the program
// changes are rewritten.
//
// Keys and values are read with the spaces around them trimmed, as the Windows ini
// functions did. With duplicate sections or keys the first one counts.
//
// A plain value type with no locking: the owner (Settings) serialises access.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class IniFile
{
public:
    IniFile() = default;

    // Reads the file. A missing file gives an empty document; a file that exists but
    // cannot be read throws ESettingsError naming the file and the reason.
    static IniFile load(const QString& fileName);

    // The text is UTF-8. Files written by older Windows programs were in the ANSI code
    // page, so bytes that are not valid UTF-8 are read as Windows-1252 instead. A UTF-8
    // byte order mark is skipped. Lines may end CR LF, LF or CR.
    static IniFile parse(const QByteArray& bytes);

    // UTF-8 without byte order mark, every line ending CR LF (Windows programs read it).
    QByteArray serialize() const;

    // Writes the whole document atomically: the old file stays intact until the new one
    // is complete. Creates the directory when needed. Throws ESettingsError on failure.
    void save(const QString& fileName) const;

    QStringList sections() const;
    bool hasSection(const QString& section) const;

    // The value of the first matching key; nullopt when the section or key is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;

    // Replaces the value of an existing key (keeping its line and spelling, and dropping
    // later duplicates), or appends the key after the last key of the section, creating
    // the section at the end of the file when needed. Throws ESettingsError for a key or
    // value that the line format cannot hold (see isValidKey, isValidValue); the document
    // is then unchanged.
    void setValue(const QString& section, const QString& key, const QString& value);

    // Key names of a section in file order, each once, spelled as in the file.
    QStringList keys(const QString& section) const;

    // Every "key=value" line of a section as it stands in the file (trimmed), in file
    // order, duplicates included; comments, blank and other lines left out.
    QStringList keyLines(const QString& section) const;

    void removeKey(const QString& section, const QString& key);

    // Removes every section of that name with all its lines, comments included.
    void eraseSection(const QString& section);

    // A key must be non-empty, have no spaces around it, hold no "=" or line break, and
    // not start with ";", "#" or "[" (it would read back as a comment or a section).
    static bool isValidKey(const QString& key);
    // A value must hold no line break.
    static bool isValidValue(const QString& value);

private:
    enum class LineKind { Other, Pair };
    struct Line
    {
        LineKind kind = LineKind::Other;
        QString text;   // the line as written, without its line ending
        QString key;    // Pair only: trimmed text before the first "="
        QString value;  // Pair only: trimmed text after it
    };
    struct Section
    {
        QString name;
        QString header;
        QList<Line> lines;
    };

    static Line pairLine(const QString& key, const QString& value);
    const Section* findSection(const QString& name) const;
    Section* findSection(const QString& name);

    QList<Line> m_preamble;  // lines before the first section; no key there counts
    QList<Section> m_sections;
};
