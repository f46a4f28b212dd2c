// Preset texts come from a hand-editable settings file: any bytes, in any encoding, must
// read as some record, and that record must survive being stored and read again.

#include "model/CameraSettings.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(const QString& text)
{
    const TF100CustomSettings settings = TextToCustomSettings(text);
    const QString stored = CustomSettingsToText(settings);
    if (stored.size() != 22 || TextToCustomSettings(stored) != settings)
        std::abort();
    if (DecodeCustomSettings(EncodeCustomSettings(settings)) != settings)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Check(QString::fromLatin1(bytes));
    Check(QString::fromUtf8(bytes));
    return 0;
}
