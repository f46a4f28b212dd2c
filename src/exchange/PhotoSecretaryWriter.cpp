// PhotoSecretary files as PhotoSecretary reads them: a roll line, then one TAB-separated
// line of 17 fields per frame, in PhotoSecretary's own words ("Multi", "Aperture
// priority auto", "250" for 1/250). The date, time and comment fields stay empty.

#include "exchange/ExchangeTexts.h"
#include "exchange/ExportRolls.h"
#include "exchange/WriterSupport.h"

namespace {

const QString Tab = QStringLiteral("\t");

QString multipleExposureSuffix()
{
    return QStringLiteral(" + ") + RKText(rktext::MultipleExposure);
}

QString shutterForm(const QString& text)
{
    return ReplaceFirst(ReplaceFirst(text, QStringLiteral("1/"), QString(), Qt::CaseInsensitive),
                        QStringLiteral("\""), QStringLiteral("s"));
}

QString apertureForm(QString text)
{
    text.replace(QLatin1Char('f'), QLatin1Char('F'));
    text.replace(QStringLiteral("-"), QStringLiteral(" - "));
    return text;
}

QString focalForm(QString focal, QString lens)
{
    const bool prime = focal == RKText(rktext::Prime);
    focal.remove(QStringLiteral("mm"), Qt::CaseInsensitive);
    lens.remove(QStringLiteral("mm"), Qt::CaseInsensitive);
    if (!prime && focal != lens)
        return focal + QStringLiteral(" (") + lens + QStringLiteral(")");
    return lens;
}

QString meteringForm(const QString& text)
{
    if (text == RKText(rktext::MeterModes[1]))
        return QStringLiteral("Multi");
    if (text == RKText(rktext::MeterModes[3]))
        return QStringLiteral("Spot");
    if (text == RKText(rktext::MeterModes[2]) || text == QLatin1String("Center"))
        return RKText(rktext::CenterWeighted);
    return text;
}

QString modeForm(QString text)
{
    text.remove(multipleExposureSuffix(), Qt::CaseInsensitive);
    if (text == RKText(rktext::ExposureModes[1]))
        return QStringLiteral("Program");
    if (text == RKText(rktext::ExposureModes[2]))
        return QStringLiteral("Aperture priority auto");
    if (text == RKText(rktext::ExposureModes[4]))
        return QStringLiteral("Manual");
    return text;
}

QString flashModeForm(const QString& text)
{
    if (text.isEmpty() || text == RKText(rktext::FlashModes[1]))
        return QStringLiteral("Normal");
    return text;
}

QString compensationForm(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("0.0");
    return ReplaceFirst(text, QStringLiteral(","), QStringLiteral("."));
}

QString flashTypeForm(const QString& text)
{
    if (text.compare(QLatin1String("OFF"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Off");
    return text;
}

// A simple frame of a multiple exposure holds "ME" alone.
QString multipleExposureForm(const QString& exposureMode)
{
    const bool multiple = exposureMode.contains(multipleExposureSuffix())
                          || exposureMode == RKText(rktext::MultipleExposure);
    return multiple ? QStringLiteral("On") : QStringLiteral("Off");
}

QString frameLine(const TExportFrame& frame)
{
    const QStringList fields{
        QString::number(frame.FrameNumber),
        shutterForm(frame.ShutterSpeed),
        apertureForm(frame.Aperture),
        focalForm(frame.Focal, frame.Lens),
        apertureForm(frame.MaxAperture),
        meteringForm(frame.MeterMode),
        modeForm(frame.ExposureMode),
        flashModeForm(frame.FlashMode),
        compensationForm(frame.ExposureComp),
        compensationForm(frame.ExposureValueDiff),
        compensationForm(frame.FlashComp),
        flashTypeForm(frame.FlashType),
        multipleExposureForm(frame.ExposureMode),
    };
    // Date, time, a third field and the comment stay empty: 16 TABs in every line.
    return fields.join(Tab) + Tab.repeated(4);
}

}  // namespace

QString PhotoSecretaryFileText(const TExportRoll& roll, const QList<TExportFrame>& frames)
{
    // A TAB in the comment would make the roll line unreadable as one.
    QString comment = SingleLine(roll.Comment);
    comment.replace(QLatin1Char('\t'), QLatin1Char(' '));
    QString text = roll.ISO + Tab + Tab + comment.trimmed() + CrLf;
    for (const TExportFrame& frame : frames)
        text += frameLine(frame) + CrLf;
    return text;
}
