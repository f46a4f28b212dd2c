#pragma once

// Shooting data as it comes from the camera or from an exchange file: a roll set of
// rolls and frames, every exposure value kept as the camera's own byte code. The codes
// become texts only when a frame is written to the database or an exchange file.
//
// A roll set is a plain value: copy it to hand it on. Nothing in it refers outside it,
// and frames name their roll by number only (the set never checks that link).

#include <QDateTime>
#include <QList>
#include <QString>

#include <cstdint>

struct TRKRoll
{
    int32_t RollNumber = 0;  // from the camera a 16-bit unsigned value
    uint8_t ISO = 0;         // film speed code; 0 = unknown
    QString Photographer;
    QString CameraType;
    QString Comment;
    QDateTime Date;          // null until a producer sets it

    friend bool operator==(const TRKRoll&, const TRKRoll&) = default;
};

struct TRKFrame
{
    uint8_t RecordingMode = 0;  // 0 = simple record, 1 = detailed record
    int32_t RollNumber = 0;
    uint8_t FrameNumber = 0;
    uint8_t ShutterSpeed = 0;
    uint8_t Aperture = 0;
    uint8_t Focal = 0;
    uint8_t FlashType = 0;       // 0 none given, 1 off, 2 non-TTL, 3 TTL, 4 unknown
    uint8_t LensMinFocal = 0;
    uint8_t LensMaxFocal = 0;
    uint8_t MaxApertureAtMin = 0;
    uint8_t MaxApertureAtMax = 0;
    uint8_t ExposureValueDiff = 0;  // EV codes: signed sixths of a stop
    uint8_t ExposureComp = 0;
    uint8_t FlashComp = 0;
    uint8_t ExposureMode = 0;    // 1 P, 2 A, 3 S, 4 M; 0 not known
    uint8_t MeterMode = 0;       // 1 matrix, 2 centre-weighted, 3 spot; 0 not known
    uint8_t FlashMode = 0;       // 1..5, 0 none
    bool MultipleExposure = false;
    QString Comment;
    QDateTime Date;

    friend bool operator==(const TRKFrame&, const TRKFrame&) = default;
};

struct TRKRollSet
{
    QList<TRKRoll> Rolls;    // in the order met in the source
    QList<TRKFrame> Frames;  // all frames of all rolls, in the order met

    friend bool operator==(const TRKRollSet&, const TRKRollSet&) = default;
};

// How many frames of the set carry the given roll number, wherever they stand.
int CountFramesOfRoll(const TRKRollSet& rollSet, int32_t rollNumber);
