#pragma once

// Small builders for exchange tests: files in memory and lines joined as the formats
// join them.

#include "exchange/TextFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <initializer_list>

namespace rktest {

// The modification time every in-memory file gets.
inline QDateTime fileTime()
{
    return QDateTime(QDate(2004, 5, 6), QTime(7, 8, 9));
}

inline TSourceFile sourceFile(const QByteArray& data, const QString& name = QStringLiteral("/data/roll.txt"))
{
    return TSourceFile{name, data, fileTime()};
}

// Lines each ended by CR LF, given as Windows-1252 bytes.
inline QByteArray crlfLines(std::initializer_list<QByteArray> lines)
{
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + "\r\n";
    return text;
}

}  // namespace rktest
