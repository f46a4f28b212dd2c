#pragma once

// Database files for exchange tests: made empty, filled with given rows, and read back
// as the texts the export sees.

#include "ExportFixture.h"

#include "db/Connection.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "db/Table.h"

#include <QMap>

namespace rktest {

// A new database file holding the given rolls and frames, texts exactly as given.
inline void createDatabase(const QString& fileName, const QList<TGoldenRoll>& rolls)
{
    CreateDatabaseFile(kNativeDatabaseFormat, fileName);
    TDBConnection connection;
    connection.open(fileName);
    TDBTable rollTable;
    TDBTable frameTable;
    for (const auto& [table, name] : {std::pair{&rollTable, "Rolls"}, std::pair{&frameTable, "Frames"}}) {
        table->setConnection(&connection);
        table->setTableName(QString::fromLatin1(name));
        table->setOpenMode(TDBOpenMode::InsertOnly);
        table->open();
    }
    for (const TGoldenRoll& golden : rolls) {
        const TExportRoll& roll = golden.Roll;
        rollTable.insert();
        rollTable.field(QStringLiteral("RollNumber")).setInteger(roll.RollNumber);
        rollTable.field(QStringLiteral("Photographer")).setString(roll.Photographer);
        rollTable.field(QStringLiteral("CameraType")).setString(roll.CameraType);
        rollTable.field(QStringLiteral("ISO")).setString(roll.ISO);
        rollTable.field(QStringLiteral("Comment")).setString(roll.Comment);
        if (roll.Date.isValid())
            rollTable.field(QStringLiteral("Date")).setDateTime(roll.Date.startOfDay());
        rollTable.post();
        for (const TExportFrame& frame : golden.Frames) {
            frameTable.insert();
            frameTable.field(QStringLiteral("RollNumber")).setInteger(frame.RollNumber);
            frameTable.field(QStringLiteral("FrameNumber")).setInteger(frame.FrameNumber);
            const std::pair<const char*, const QString*> texts[] = {
                {"ShutterSpeed", &frame.ShutterSpeed}, {"Aperture", &frame.Aperture},
                {"Lens", &frame.Lens}, {"Focal", &frame.Focal}, {"MaxAperture", &frame.MaxAperture},
                {"ExposureMode", &frame.ExposureMode}, {"MeterMode", &frame.MeterMode},
                {"ExposureValueDiff", &frame.ExposureValueDiff}, {"ExposureComp", &frame.ExposureComp},
                {"FlashType", &frame.FlashType}, {"FlashMode", &frame.FlashMode},
                {"FlashComp", &frame.FlashComp}, {"Comment", &frame.Comment},
                {"PictureFileName", &frame.PictureFileName}};
            for (const auto& [column, text] : texts)
                frameTable.field(QString::fromLatin1(column)).setString(*text);
            if (frame.Date.isValid())
                frameTable.field(QStringLiteral("Date")).setDateTime(frame.Date.startOfDay());
            frameTable.post();
        }
    }
}

// Every roll of an open database with its frames, as the export reads them.
inline QList<TGoldenRoll> readDatabase(TDatabase& database)
{
    QList<int32_t> numbers;
    TDBTable& rolls = database.rolls();
    for (rolls.first(); !rolls.eof(); rolls.next())
        numbers << rolls.field(QStringLiteral("RollNumber")).asInteger();
    QList<TGoldenRoll> result;
    for (const int32_t number : numbers) {
        TGoldenRoll golden;
        rolls.locate(QStringLiteral("RollNumber"), {number});
        golden.Roll.RollNumber = number;
        golden.Roll.Photographer = rolls.field(QStringLiteral("Photographer")).asString();
        golden.Roll.CameraType = rolls.field(QStringLiteral("CameraType")).asString();
        golden.Roll.ISO = rolls.field(QStringLiteral("ISO")).asString();
        golden.Roll.Comment = rolls.field(QStringLiteral("Comment")).asString();
        golden.Roll.Date = rolls.field(QStringLiteral("Date")).asDateTime().date();
        TDBTable& frames = database.frames();
        for (frames.first(); !frames.eof(); frames.next()) {
            QStringList texts;
            for (const char* column : {"ShutterSpeed", "Aperture", "Lens", "Focal", "MaxAperture", "ExposureMode",
                                       "MeterMode", "ExposureValueDiff", "ExposureComp", "FlashType", "FlashMode",
                                       "FlashComp"})
                texts << frames.field(QString::fromLatin1(column)).asString();
            golden.Frames << GoldenFrame(number, frames.field(QStringLiteral("FrameNumber")).asInteger(), texts,
                                         frames.field(QStringLiteral("Date")).asDateTime().date(),
                                         frames.field(QStringLiteral("Comment")).asString(),
                                         frames.field(QStringLiteral("PictureFileName")).asString());
        }
        result << golden;
    }
    return result;
}

}  // namespace rktest
