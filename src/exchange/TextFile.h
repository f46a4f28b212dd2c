#pragma once

// Files of the exchange formats: 8-bit Windows-1252 text (the code page the formats were
// written in) and the raw bytes of binary files. Lines end with CR LF; reading accepts
// LF-only lines as well.
//
// Every function throws EFileError, naming the file and the system's reason, when a file
// cannot be read or written. Used on one thread at a time (no shared state).

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// A file as the readers see it: its name, its bytes and its last modification time.
struct TSourceFile
{
    QString FileName;
    QByteArray Data;
    QDateTime Modified;
};

// Reads the whole file.
TSourceFile LoadSourceFile(const QString& fileName);

// False when this Qt has no Windows-1252 codec (a Qt built without ICU or iconv); the
// exchange formats cannot be read or written correctly then.
bool Windows1252Available();

QString DecodeWindows1252(const QByteArray& bytes);

// Characters Windows-1252 cannot hold become "?".
QByteArray EncodeWindows1252(const QString& text);

// The lines of a text: split at LF, with the CRs that end a line removed (so CR LF and the
// CR CR LF that SoftTALK comments end with both end one line). A final line break does
// not start another line; an empty text has no lines.
QStringList SplitTextLines(const QByteArray& bytes);

// Writes the text encoded as Windows-1252, replacing a file of the same name. The old
// file stays untouched when the write fails.
void WriteTextFile(const QString& fileName, const QString& text);
