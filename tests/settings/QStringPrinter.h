#pragma once

// Lets GoogleTest print QStrings in failure messages.

#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
