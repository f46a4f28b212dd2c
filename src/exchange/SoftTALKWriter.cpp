// SoftTALK files as SoftTALK reads them: key lines, then one TAB-separated line per
// frame in SoftTALK's own words ("A Mode", "Centre Weighted", "TTL   Rear").

#include "exchange/ExchangeTexts.h"
#include "exchange/ExportRolls.h"
#include "exchange/WriterSupport.h"

namespace {

const QString Tab = QStringLiteral("\t");
const QString Indent = QStringLiteral("  ");

int cameraCode(const QString& cameraType)
{
    if (cameraType == RKText(rktext::CameraF90))
        return 1;
    if (cameraType == RKText(rktext::CameraF90X))
        return 2;
    if (cameraType == RKText(rktext::CameraF100))
        return 4;
    if (cameraType == RKText(rktext::CameraF5))
        return 8;
    return 0;
}

QString multipleExposureSuffix()
{
    return QStringLiteral(" + ") + RKText(rktext::MultipleExposure);
}

QString apertureForm(const QString& text)
{
    if (text.compare(RKText(rktext::Unknown), Qt::CaseInsensitive) == 0)
        return QStringLiteral("-Unknown-");
    QString result = text;
    result.replace(QStringLiteral("f"), QStringLiteral("f/"), Qt::CaseInsensitive);
    result = ReplaceFirst(result, QStringLiteral("-f"), QStringLiteral(" - f"));
    result = ReplaceFirst(result, QStringLiteral(","), QStringLiteral("."));
    return Indent + result;
}

QString modeForm(const QString& text)
{
    const QString mode = ReplaceFirst(text, multipleExposureSuffix(), QString());
    const struct
    {
        const char* database;
        const char* softTALK;
    } modes[] = {
        {rktext::ExposureModes[1], "P Mode"},
        {rktext::ExposureModes[2], "A Mode"},
        {rktext::ExposureModes[3], "S Mode"},
        {rktext::ExposureModes[4], "M Mode"},
    };
    for (const auto& m : modes) {
        if (mode == RKText(m.database))
            return Indent + QString::fromLatin1(m.softTALK);
    }
    return Indent + mode;
}

QString meteringForm(const QString& text)
{
    if (text == RKText(rktext::MeterModes[1]))
        return Indent + QStringLiteral("Matrix");
    if (text == RKText(rktext::MeterModes[3]))
        return Indent + QStringLiteral("Spot");
    if (text == RKText(rktext::MeterModes[2]) || text == QLatin1String("Center"))
        return Indent + QStringLiteral("Centre Weighted");
    return Indent + RKText(rktext::Unknown);
}

QString compensationForm(const QString& text)
{
    const QString result =
        ReplaceFirst(ReplaceFirst(text, QStringLiteral("+"), QString()), QStringLiteral("."), QStringLiteral(","));
    return result.isEmpty() ? QStringLiteral("0,0") : result;
}

QString focalForm(const QString& focal, const QString& lens)
{
    if (focal == RKText(rktext::Prime))
        return Indent + lens;
    if (focal != lens)
        return Indent + focal + QStringLiteral(" (") + ReplaceFirst(lens, QStringLiteral("-"), QStringLiteral("mm-"))
               + QStringLiteral(")");
    return Indent + lens;
}

QString flashForm(const QString& type, const QString& mode)
{
    const QString off = RKText(rktext::FlashTypeOff);
    QString typePart = type;
    if (type == RKText(rktext::FlashTypeNonTTL))
        typePart = QStringLiteral("Non-TTL");
    else if (type == RKText(rktext::FlashTypeTTL))
        typePart = QStringLiteral("TTL");
    else if (type == RKText(rktext::Unknown))
        typePart = QStringLiteral("Unknown");
    else if (type == off || type.isEmpty())
        typePart = QStringLiteral("Off");
    if (type == off)
        return Indent + typePart;

    static const char* const syncParts[] = {"", "Normal", "Slow", "Rear", "Red-eye", "Red-eye & Slow"};
    QString syncPart = mode;
    for (size_t i = 1; i < rktext::FlashModes.size(); ++i) {
        if (mode == RKText(rktext::FlashModes[i]))
            syncPart = QString::fromLatin1(syncParts[i]);
    }
    return Indent + typePart + QStringLiteral("   ") + syncPart;
}

QString f100FrameLine(const TExportFrame& frame)
{
    QString comment = SingleLine(frame.Comment);
    if (frame.ExposureMode.contains(RKText(rktext::MultipleExposure)))
        comment += QStringLiteral("(Multiexposure)");
    const QStringList fields{
        QString::number(frame.FrameNumber),
        Indent + frame.ShutterSpeed,
        apertureForm(frame.Aperture),
        modeForm(frame.ExposureMode),
        meteringForm(frame.MeterMode),
        compensationForm(frame.ExposureValueDiff),
        compensationForm(frame.ExposureComp),
        focalForm(frame.Focal, frame.Lens),
        apertureForm(frame.MaxAperture),
        flashForm(frame.FlashType, frame.FlashMode),
        compensationForm(frame.FlashComp),
        comment,
    };
    // Every field is followed by a TAB, and seven more end the line.
    return fields.join(Tab) + Tab.repeated(8);
}

}  // namespace

QString SoftTALKFileText(const TExportRoll& roll, const QList<TExportFrame>& frames)
{
    // Every line of the comment becomes a "comment=" line; the last one ends with an
    // extra CR, as SoftTALK writes it.
    QString comment = roll.Comment;
    comment.replace(CrLf, QStringLiteral("\n"));
    comment.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    comment.replace(QStringLiteral("\n"), CrLf + QStringLiteral("comment="));

    const int camera = cameraCode(roll.CameraType);
    QString text = QStringLiteral("comment=") + comment + QStringLiteral("\r") + CrLf;
    text += QStringLiteral("separator=\t") + CrLf;
    text += QStringLiteral("filmno=") + QString::number(roll.RollNumber) + CrLf;
    text += QStringLiteral("frames=") + QString::number(frames.size()) + CrLf;
    text += QStringLiteral("camera=") + QString::number(camera) + CrLf;
    text += QStringLiteral("ISO=  ") + roll.ISO + CrLf;
    text += QStringLiteral("data=") + CrLf;
    for (const TExportFrame& frame : frames) {
        switch (camera) {
        case 4: text += f100FrameLine(frame) + CrLf; break;
        case 1:
        case 2: text += QStringLiteral("F90") + CrLf; break;
        case 8: text += QStringLiteral("F5") + CrLf; break;
        default: break;
        }
    }
    return text;
}
