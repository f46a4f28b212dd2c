#include "cli/commands/MemoryImageFile.h"

#include "camera/ShootingData.h"
#include "model/Errors.h"
#include "settings/Settings.h"

#include <QFile>

namespace cli {

bool decodeMemoryImageFile(const QString& fileName, CliContext& context, TRKRollSet& rollSet)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        context.err << "Failed to open file " << fileName << ": " << file.errorString() << "\n";
        return false;
    }
    const QByteArray image = file.readAll();

    QString photographer;
    try {
        photographer = Settings::open(context.settingsFile)->readPhotographer();
    } catch (const ERKError& error) {
        context.err << "Couldn't read the settings: " << error.describe() << "\n";
        return false;
    }
    QString problem;
    if (!DecodeShootingData(image, rollSet, photographer, &problem)) {
        context.err << fileName << " is not a memory image of the camera: " << problem << "\n";
        return false;
    }
    return true;
}

}  // namespace cli
