// Arbitrary bytes as a settings file: parsing must not crash, and what is written must
// read back as the same document (a rewrite never changes the file again).

#include "settings/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const IniFile first = IniFile::parse(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QByteArray written = first.serialize();
    const IniFile second = IniFile::parse(written);
    if (second.serialize() != written || second.sections() != first.sections())
        std::abort();
    for (const QString& section : first.sections()) {
        if (second.keys(section) != first.keys(section))
            std::abort();
        for (const QString& key : first.keys(section)) {
            if (second.value(section, key) != first.value(section, key))
                std::abort();
        }
    }
    return 0;
}
