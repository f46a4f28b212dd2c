#include "exchange/ImportSupport.h"

#include "exchange/FileFilters.h"

#include <QDir>
#include <QFileInfo>

EFileFormatError FileFormatError(const QString& fileName, int line, const QString& field,
                                 const QString& problem)
{
    QString where = QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(fileName));
    if (line > 0)
        where += QStringLiteral(", line %1").arg(line);
    if (!field.isEmpty())
        where += QStringLiteral(", field \"%1\"").arg(field);
    return EFileFormatError(where + QStringLiteral(": ") + problem);
}

EFileFormatError TooManyFramesError(const QString& fileName, int line)
{
    return FileFormatError(fileName, line, QString(),
                           QStringLiteral("more than %1 frames; a roll holds at most %1")
                               .arg(MaxFramesPerFile));
}

QString FileNameOnly(const QString& fileName)
{
    return QFileInfo(fileName).fileName();
}

bool StartsWithKey(const QString& line, QLatin1String key)
{
    return line.startsWith(key, Qt::CaseInsensitive);
}

TQuotedFields SplitQuotedCommaLine(const QString& line)
{
    TQuotedFields result;
    qsizetype i = 0;
    const qsizetype size = line.size();
    while (true) {
        QString field;
        if (i < size && line.at(i) == QLatin1Char('"')) {
            ++i;
            bool closed = false;
            while (i < size) {
                if (line.at(i) == QLatin1Char('"')) {
                    if (i + 1 < size && line.at(i + 1) == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                field += line.at(i++);
            }
            if (!closed)
                result.AllQuoted = false;
            // Anything between the closing quote and the next comma is kept as well.
            while (i < size && line.at(i) != QLatin1Char(',')) {
                result.AllQuoted = false;
                field += line.at(i++);
            }
        } else {
            result.AllQuoted = false;
            while (i < size && line.at(i) != QLatin1Char(','))
                field += line.at(i++);
        }
        result.Fields << field;
        if (i >= size)
            break;
        ++i;  // the comma
    }
    return result;
}
