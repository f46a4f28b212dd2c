#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <stdexcept>

namespace rktest {

QString fixturePath(const QString& relative)
{
    return QDir(QStringLiteral(RK_FIXTURES_DIR)).filePath(relative);
}

QString resourcePath(const QString& relative)
{
    return QDir(QStringLiteral(RK_RESOURCES_DIR)).filePath(relative);
}

QString binaryPath(const QString& relative)
{
    return QDir(QStringLiteral(RK_BINARY_DIR)).filePath(relative);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read test file " + path.toStdString());
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file " + path.toStdString());
}

TempDir::TempDir()
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary directory");
}

}  // namespace rktest
