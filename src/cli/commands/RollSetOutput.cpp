#include "cli/commands/RollSetOutput.h"

#include "model/ColumnTexts.h"

#include <QJsonArray>
#include <QJsonValue>

#include <algorithm>
#include <set>

namespace cli {
namespace {

QJsonValue DateJson(const QDateTime& date)
{
    if (date.isNull())
        return QJsonValue::Null;
    const bool dayOnly = date.time() == QTime(0, 0);
    return date.toString(dayOnly ? QStringLiteral("yyyy-MM-dd")
                                 : QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QJsonObject RollJson(const TRKRoll& roll)
{
    return QJsonObject{
        {QStringLiteral("RollNumber"), roll.RollNumber},
        {QStringLiteral("ISO"), roll.ISO},
        {QStringLiteral("Photographer"), roll.Photographer},
        {QStringLiteral("CameraType"), roll.CameraType},
        {QStringLiteral("Comment"), roll.Comment},
        {QStringLiteral("Date"), DateJson(roll.Date)},
    };
}

QJsonObject FrameJson(const TRKFrame& frame)
{
    return QJsonObject{
        {QStringLiteral("RecordingMode"), frame.RecordingMode},
        {QStringLiteral("RollNumber"), frame.RollNumber},
        {QStringLiteral("FrameNumber"), frame.FrameNumber},
        {QStringLiteral("ShutterSpeed"), frame.ShutterSpeed},
        {QStringLiteral("Aperture"), frame.Aperture},
        {QStringLiteral("Focal"), frame.Focal},
        {QStringLiteral("FlashType"), frame.FlashType},
        {QStringLiteral("LensMinFocal"), frame.LensMinFocal},
        {QStringLiteral("LensMaxFocal"), frame.LensMaxFocal},
        {QStringLiteral("MaxApertureAtMin"), frame.MaxApertureAtMin},
        {QStringLiteral("MaxApertureAtMax"), frame.MaxApertureAtMax},
        {QStringLiteral("ExposureValueDiff"), frame.ExposureValueDiff},
        {QStringLiteral("ExposureComp"), frame.ExposureComp},
        {QStringLiteral("FlashComp"), frame.FlashComp},
        {QStringLiteral("ExposureMode"), frame.ExposureMode},
        {QStringLiteral("MeterMode"), frame.MeterMode},
        {QStringLiteral("FlashMode"), frame.FlashMode},
        {QStringLiteral("MultipleExposure"), frame.MultipleExposure},
        {QStringLiteral("Comment"), frame.Comment},
        {QStringLiteral("Date"), DateJson(frame.Date)},
    };
}

QString DateText(const QDateTime& date)
{
    const QJsonValue value = DateJson(date);
    return value.isNull() ? QString() : value.toString();
}

// One frame table, columns as wide as their widest cell.
void PrintFrames(const QList<const TRKFrame*>& frames, CliContext& context)
{
    QList<QStringList> rows{{QStringLiteral("Frame"), QStringLiteral("Shutter"),
                             QStringLiteral("Aperture"), QStringLiteral("Focal"),
                             QStringLiteral("Lens"), QStringLiteral("Max aperture"),
                             QStringLiteral("Exposure"), QStringLiteral("Meter"),
                             QStringLiteral("EV diff"), QStringLiteral("Exp. comp"),
                             QStringLiteral("Flash"), QStringLiteral("Flash mode"),
                             QStringLiteral("Flash comp"), QStringLiteral("Multiple")}};
    for (const TRKFrame* frame : frames) {
        const TFrameColumnTexts texts = FrameColumnTexts(*frame);
        rows.append({QString::number(frame->FrameNumber), texts.ShutterSpeed, texts.Aperture,
                     texts.Focal, texts.Lens, texts.MaxAperture, texts.ExposureMode,
                     texts.MeterMode, texts.ExposureValueDiff, texts.ExposureComp,
                     texts.FlashType, texts.FlashMode, texts.FlashComp,
                     frame->MultipleExposure ? QStringLiteral("yes") : QString()});
    }
    QList<qsizetype> widths(rows.first().size(), 0);
    for (const QStringList& row : rows)
        for (qsizetype i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype i = 0; i < row.size(); ++i)
            line += row[i].leftJustified(widths[i] + 2);
        context.out << "  " << line.trimmed() << "\n";
    }
}

}  // namespace

QJsonObject rollSetJson(const TRKRollSet& rollSet)
{
    QJsonArray rolls;
    for (const TRKRoll& roll : rollSet.Rolls)
        rolls.append(RollJson(roll));
    QJsonArray frames;
    for (const TRKFrame& frame : rollSet.Frames)
        frames.append(FrameJson(frame));
    return QJsonObject{{QStringLiteral("rolls"), rolls}, {QStringLiteral("frames"), frames}};
}

void printRollSet(const TRKRollSet& rollSet, CliContext& context)
{
    context.out << rollSet.Rolls.size() << (rollSet.Rolls.size() == 1 ? " roll, " : " rolls, ")
                << rollSet.Frames.size() << (rollSet.Frames.size() == 1 ? " frame" : " frames")
                << "\n";
    std::set<int32_t> listed;
    for (const TRKRoll& roll : rollSet.Rolls) {
        listed.insert(roll.RollNumber);
        QStringList parts{QStringLiteral("Roll %1").arg(roll.RollNumber),
                          QStringLiteral("ISO %1").arg(RollISOText(roll)), roll.CameraType,
                          roll.Photographer, DateText(roll.Date)};
        if (!roll.Comment.isEmpty())
            parts << roll.Comment;
        parts.removeAll(QString());
        context.out << "\n" << parts.join(QStringLiteral("  ")) << "\n";
        QList<const TRKFrame*> frames;
        for (const TRKFrame& frame : rollSet.Frames)
            if (frame.RollNumber == roll.RollNumber)
                frames.append(&frame);
        if (frames.isEmpty())
            context.out << "  (no frames)\n";
        else
            PrintFrames(frames, context);
    }
    QList<const TRKFrame*> orphans;
    for (const TRKFrame& frame : rollSet.Frames)
        if (!listed.count(frame.RollNumber))
            orphans.append(&frame);
    if (!orphans.isEmpty()) {
        context.out << "\nFrames of no roll in the data\n";
        PrintFrames(orphans, context);
    }
}

}  // namespace cli
