#pragma once

// Helpers shared by the writers. Internal to the exchange layer.

#include <QString>

struct TExportRoll;
struct TExportFrame;

inline const QString CrLf = QStringLiteral("\r\n");

// A text on one line: every line break (CR LF, or a CR or LF alone) becomes a space.
inline QString SingleLine(QString text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    text.replace(CrLf, QStringLiteral(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// Replaces the first occurrence only, as the formats' conversions do.
inline QString ReplaceFirst(QString text, const QString& before, const QString& after,
                            Qt::CaseSensitivity cs = Qt::CaseSensitive)
{
    const qsizetype at = text.indexOf(before, 0, cs);
    if (at >= 0)
        text.replace(at, before.size(), after);
    return text;
}

// The CSV lines, appended to a text that grows without being copied.
void AppendCSVRollLine(QString& out, const TExportRoll& roll);
void AppendCSVFrameLine(QString& out, const TExportFrame& frame);
