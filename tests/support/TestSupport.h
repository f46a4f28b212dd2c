#pragma once

// Helpers shared by every test suite. Fixtures are found through absolute paths that
// CMake configures, so a test passes from any working directory.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace rktest {

// Absolute path of a file below tests/fixtures.
QString fixturePath(const QString& relative);

// Absolute path of a file below resources/ (the files shipped with the program).
QString resourcePath(const QString& relative);

// Absolute path of a built executable, e.g. binaryPath("tools/f100sim/f100sim").
QString binaryPath(const QString& relative);

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

// A temporary directory removed when the object goes; path(name) joins a file name.
class TempDir
{
public:
    TempDir();
    QString path() const { return m_dir.path(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

}  // namespace rktest
