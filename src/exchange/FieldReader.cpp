#include "exchange/FieldReader.h"

#include "model/Texts.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

const QString Tab = QStringLiteral("\t");

bool equalsUpper(const QString& upper, const char* text)
{
    return upper == QLatin1String(text);
}

// Digits after an optional sign, from position i; empty on overflow of 32 bits.
std::optional<int32_t> readDigits(const QString& text, qsizetype& i)
{
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    int64_t value = 0;
    const int64_t limit = negative ? int64_t(INT32_MAX) + 1 : INT32_MAX;
    for (; i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128; ++i) {
        value = value * 10 + (text.at(i).unicode() - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

}  // namespace

TFieldReader::TFieldReader(QString line, QString separator)
    : m_rest(std::move(line))
    , m_separator(separator.isEmpty() ? Tab : std::move(separator))
{
}

QString TFieldReader::takeFirstField()
{
    const qsizetype at = m_rest.indexOf(m_separator);
    if (at < 0)
        return {};
    QString field = m_rest.left(at);
    m_rest.remove(0, at + m_separator.size());
    return field;
}

QString TFieldReader::takeField()
{
    skipLeadingSpaces();
    return takeFirstField();
}

void TFieldReader::skipLeadingSpaces()
{
    qsizetype spaces = 0;
    while (spaces < m_rest.size() && m_rest.at(spaces) == QLatin1Char(' '))
        ++spaces;
    m_rest.remove(0, spaces);
}

uint8_t TFieldReader::takeShutterSpeed() { return TextToShutterSpeed(takeField()); }
uint8_t TFieldReader::takeAperture() { return InterpretAperture(takeField()); }
TFocalAndLens TFieldReader::takeFocalAndLens() { return TextToFocalAndLens(takeField()); }
TCodePair TFieldReader::takeMaxApertureRange() { return InterpretMaxApertureRange(takeField()); }
uint8_t TFieldReader::takeExposureMode() { return InterpretExposureMode(takeField().toUpper()); }
uint8_t TFieldReader::takeMetering() { return InterpretMetering(takeField().toUpper()); }
uint8_t TFieldReader::takeFlashMode() { return InterpretFlashMode(takeField().toUpper()); }
uint8_t TFieldReader::takeFlashType() { return InterpretFlashType(takeField()); }
QDate TFieldReader::takeDate() { return ParseFieldDate(takeField().toUpper()); }
QTime TFieldReader::takeTime() { return ParseFieldTime(takeField()); }

uint8_t TFieldReader::takeEV()
{
    QString field = takeField();
    const qsizetype comma = field.indexOf(QLatin1Char(','));
    if (comma >= 0)
        field[comma] = QLatin1Char('.');
    return TextToEV(field);
}

bool TFieldReader::takeMultipleExposure()
{
    skipLeadingSpaces();
    const bool on = m_rest.left(2).compare(QLatin1String("ON"), Qt::CaseInsensitive) == 0;
    // The field is consumed whatever it holds, so that "Off" does not shift the date,
    // time and comment fields that follow it.
    takeFirstField();
    return on;
}

TCodePair TFieldReader::takeSoftTALKFlash()
{
    const QString field = takeField();
    if (field.isEmpty())
        return {0, 0};
    if (field.left(3).compare(QLatin1String("OFF"), Qt::CaseInsensitive) == 0)
        return {1, 0};
    const qsizetype space = field.indexOf(QLatin1Char(' '));
    const QString type = (space < 0 ? field : field.left(space)).toUpper();
    uint8_t flashType = 4;
    if (equalsUpper(type, "NON-TTL"))
        flashType = 2;
    else if (equalsUpper(type, "TTL"))
        flashType = 3;
    else if (equalsUpper(type, "OFF"))
        flashType = 1;
    QString mode = space < 0 ? QString() : field.mid(space);
    qsizetype spaces = 0;
    while (spaces < mode.size() && mode.at(spaces) == QLatin1Char(' '))
        ++spaces;
    return {flashType, InterpretFlashMode(mode.mid(spaces).toUpper())};
}

bool TFieldReader::nextTwoFieldsEmpty() const
{
    return m_rest.startsWith(m_separator + m_separator);
}

void SetFocalAndLens(TRKFrame& frame, const TFocalAndLens& focal)
{
    frame.Focal = focal.Focal;
    frame.LensMinFocal = focal.LensMinFocal;
    frame.LensMaxFocal = focal.LensMaxFocal;
}

uint8_t InterpretExposureMode(const QString& text)
{
    if (equalsUpper(text, "P MODE") || equalsUpper(text, "PROGRAM"))
        return 1;
    if (equalsUpper(text, "A MODE") || equalsUpper(text, "APERTURE PRIORITY AUTO"))
        return 2;
    if (equalsUpper(text, "M MODE") || equalsUpper(text, "MANUAL"))
        return 4;
    return 3;
}

uint8_t InterpretMetering(const QString& text)
{
    if (equalsUpper(text, "SPOT"))
        return 3;
    if (equalsUpper(text, "CENTER WEIGHTED") || equalsUpper(text, "CENTRE WEIGHTED"))
        return 2;
    return 1;
}

uint8_t InterpretFlashMode(const QString& text)
{
    if (equalsUpper(text, "NORMAL"))
        return 1;
    if (equalsUpper(text, "SLOW"))
        return 2;
    if (equalsUpper(text, "REAR"))
        return 3;
    if (equalsUpper(text, "RED-EYE"))
        return 4;
    // PhotoSecretary files written by us carry the database's "RED-EYE+SLOW".
    if (equalsUpper(text, "RED-EYE & SLOW") || equalsUpper(text, "RED-EYE+SLOW"))
        return 5;
    return 0;
}

uint8_t InterpretFlashType(const QString& text)
{
    const QString upper = text.toUpper();
    if (upper == RKText(rktext::FlashTypeOff).toUpper())
        return 1;
    if (upper == RKText(rktext::FlashTypeNonTTL).toUpper())
        return 2;
    if (upper == RKText(rktext::FlashTypeTTL).toUpper())
        return 3;
    return 4;
}

uint8_t InterpretAperture(const QString& text)
{
    const QString unknown = RKText(rktext::Unknown);
    if (text.toUpper().contains(unknown.toUpper()))
        return TextToAperture(unknown);
    return TextToAperture(text);
}

TCodePair InterpretMaxApertureRange(const QString& text)
{
    // The range is looked for inside the field only: "-Unknown-", which marks a lens of
    // unknown aperture, is one value and not a range.
    const qsizetype dash = text.indexOf(QLatin1Char('-'));
    const bool unknown = text.toUpper().contains(RKText(rktext::Unknown).toUpper());
    if (dash < 0 || unknown) {
        const uint8_t code = InterpretAperture(text);
        return {code, code};
    }
    return {TextToAperture(text.left(dash).trimmed()), TextToAperture(text.mid(dash + 1).trimmed())};
}

QDate ParseFieldDate(const QString& text)
{
    if (text.trimmed().isEmpty())
        return {};
    static const QRegularExpression monthDayYear(
        QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{1,4})\\s*$"));
    const QRegularExpressionMatch match = monthDayYear.match(text);
    if (match.hasMatch()) {
        int year = match.captured(3).toInt();
        if (match.capturedLength(3) <= 2) {
            // Two-digit years: the century that keeps the date from lying in the future.
            const int thisYear = QDate::currentDate().year();
            year += thisYear - thisYear % 100;
            if (year > thisYear)
                year -= 100;
        }
        const QDate date(year, match.captured(1).toInt(), match.captured(2).toInt());
        if (date.isValid())
            return date;
    }
    const QDate local = QLocale().toDate(text.trimmed(), QLocale::ShortFormat);
    return local.isValid() ? local : QDate();
}

QTime ParseFieldTime(const QString& text)
{
    if (text.trimmed().isEmpty())
        return {};
    static const QRegularExpression hoursMinutesSeconds(
        QStringLiteral("^\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*$"));
    const QRegularExpressionMatch match = hoursMinutesSeconds.match(text);
    if (match.hasMatch()) {
        const QTime time(match.captured(1).toInt(), match.captured(2).toInt(),
                         match.captured(3).toInt());
        if (time.isValid())
            return time;
    }
    const QString trimmed = text.trimmed();
    for (const auto format : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QTime local = QLocale().toTime(trimmed, format);
        if (local.isValid())
            return local;
    }
    return {};
}

std::optional<int32_t> LeadingInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    return readDigits(text, i);
}

std::optional<int32_t> StrictInteger(const QString& text)
{
    const QString trimmed = text.trimmed();
    qsizetype i = 0;
    const std::optional<int32_t> value = readDigits(trimmed, i);
    const qsizetype signLength = trimmed.startsWith(QLatin1Char('-')) || trimmed.startsWith(QLatin1Char('+')) ? 1 : 0;
    if (!value || i != trimmed.size() || i == signLength)
        return std::nullopt;
    return value;
}
