#include "model/FrameTexts.h"

#include "model/CodeTables.h"
#include "model/Texts.h"

#include <span>

namespace {

QString FromTable(const char* text)
{
    return QString::fromLatin1(text);
}

// The text of an enumeration entry; nullptr and values past the end have no entry.
QString EnumText(std::span<const char* const> texts, unsigned value)
{
    if (value >= texts.size() || texts[value] == nullptr)
        return FromTable(rktext::NoEntry);
    return RKText(texts[value]);
}

// A text with its first "." read as a decimal comma.
QString WithDecimalComma(QString text)
{
    const qsizetype dot = text.indexOf(u'.');
    if (dot >= 0)
        text[dot] = u',';
    return text;
}

QString WithoutApertureMarks(QString text)
{
    text.remove(u' ');
    text.remove(u'f');
    text.remove(u'F');
    text.remove(u'/');
    return text;
}

QString TextBefore(const QString& text, QChar separator)
{
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? QString() : text.first(at);
}

QString TextAfter(const QString& text, QChar separator)
{
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? text : text.sliced(at + 1);
}

}  // namespace

QString ShutterSpeedToText(uint8_t code)
{
    for (const TCodeText& entry : ShutterSpeedTable()) {
        if (entry.Code == code)
            return FromTable(entry.Text);
    }
    return FromTable(rktext::NoEntry);
}

uint8_t TextToShutterSpeed(const QString& text)
{
    QString asSeconds;
    const qsizetype s = text.indexOf(u's', 0, Qt::CaseInsensitive);
    if (s >= 0) {
        asSeconds = text;
        asSeconds[s] = QChar::fromLatin1(rktext::SecondsMark);
    }
    for (const TCodeText& entry : ShutterSpeedTable()) {
        const QLatin1StringView entryText(entry.Text);
        if (entryText == text || (s >= 0 && entryText == asSeconds))
            return entry.Code;
        if (entryText.startsWith(QLatin1StringView("1/")) && entryText.sliced(2) == text)
            return entry.Code;
    }
    return 0;
}

QString ApertureToText(uint8_t code)
{
    if (code == ApertureUnknownCode)
        return RKText(rktext::Unknown);
    const auto table = ApertureTable();
    if (code >= table.size())
        return FromTable(rktext::NoEntry);
    return u'f' + FromTable(table[code]);
}

uint8_t TextToAperture(const QString& text)
{
    const QString wanted = WithoutApertureMarks(text);
    const QString wantedWithComma = WithDecimalComma(wanted);
    const auto matches = [&](const QString& entryText) {
        return entryText == wanted || WithDecimalComma(entryText) == wantedWithComma;
    };
    const auto table = ApertureTable();
    for (size_t code = 0; code < table.size(); ++code) {
        if (matches(FromTable(table[code])))
            return static_cast<uint8_t>(code);
    }
    // Cleaned like the input, so that a translation with spaces or an "f" still matches.
    if (matches(WithoutApertureMarks(RKText(rktext::Unknown))))
        return ApertureUnknownCode;
    return 0;
}

QString FocalToText(uint8_t code)
{
    return FromTable(FocalTable()[code]);
}

uint8_t TextToFocal(const QString& text)
{
    QString wanted = text;
    const qsizetype unit = wanted.indexOf(QLatin1StringView(rktext::Millimetres));
    if (unit >= 0)
        wanted.remove(unit, 2);
    const auto table = FocalTable();
    for (size_t code = 0; code < table.size(); ++code) {
        if (QLatin1StringView(table[code]) == wanted)
            return static_cast<uint8_t>(code);
    }
    return 0;
}

QString ISOToText(uint8_t code)
{
    const auto table = ISOTable();
    if (code >= table.size())
        return FromTable(rktext::NoEntry);
    return code == 0 ? RKText(table[0]) : FromTable(table[code]);
}

uint8_t TextToISO(const QString& text)
{
    const auto table = ISOTable();
    for (size_t code = 1; code < table.size(); ++code) {
        if (QLatin1StringView(table[code]) == text)
            return static_cast<uint8_t>(code);
    }
    return 0;  // also the code of "UNKNOWN"
}

QString EVToText(uint8_t code)
{
    return FromTable(EVTable()[code].data());
}

uint8_t TextToEV(const QString& text)
{
    QString wanted = text;
    if (!wanted.isEmpty() && !wanted.startsWith(u'-') && !wanted.startsWith(u'+')
        && wanted != QLatin1StringView("0.0"))
        wanted.prepend(u'+');
    const auto table = EVTable();
    for (size_t code = 0; code < table.size(); ++code) {
        if (QLatin1StringView(table[code].data()) == wanted)
            return static_cast<uint8_t>(code);
    }
    return 0;
}

QString FlashTypeToText(uint8_t flashType)
{
    return EnumText(rktext::FlashTypes, flashType & 0x7F);
}

uint8_t TextToFlashType(const QString& text)
{
    if (text == RKText(rktext::FlashTypeTTL))
        return 3;
    if (text == RKText(rktext::FlashTypeNonTTL))
        return 2;
    if (text == RKText(rktext::FlashTypeOff))
        return 1;
    if (text.compare(QLatin1StringView(rktext::FlashTypeNone), Qt::CaseInsensitive) == 0)
        return 0;
    return 4;
}

QString MeterModeToText(uint8_t meterMode)
{
    return EnumText(rktext::MeterModes, meterMode);
}

QString ExposureModeToText(uint8_t exposureMode, bool multipleExposure)
{
    QString text = EnumText(rktext::ExposureModes, exposureMode);
    if (multipleExposure)
        text += QLatin1StringView(" + ") + RKText(rktext::MultipleExposure);
    return text;
}

QString FlashModeToText(uint8_t flashMode)
{
    return EnumText(rktext::FlashModes, flashMode & 0x7F);
}

QString LensToText(uint8_t minFocal, uint8_t maxFocal)
{
    const QString shortest = FocalToText(minFocal);
    const QString longest = FocalToText(maxFocal);
    const QLatin1StringView none(NoFocal);
    if (shortest == none || longest == none)
        return none.toString();
    const QLatin1StringView unit(rktext::Millimetres);
    if (minFocal == maxFocal)
        return shortest + unit;
    return shortest + u'-' + longest + unit;
}

QString MaxApertureToText(uint8_t atMinFocal, uint8_t atMaxFocal)
{
    const QString first = ApertureToText(atMinFocal);
    const QString second = ApertureToText(atMaxFocal);
    const QString unknown = RKText(rktext::Unknown);
    if (first == unknown || second == unknown || atMinFocal == atMaxFocal)
        return first;
    return first + u'-' + second;
}

TFocalAndLens TextToFocalAndLens(const QString& text)
{
    if (!text.contains(u'(')) {
        const uint8_t focal = TextToFocal(text);
        return {focal, focal, focal};
    }
    TFocalAndLens result;
    const qsizetype space = text.indexOf(u' ');
    result.Focal = TextToFocal(space >= 0 ? text.first(space) : TextBefore(text, u'('));

    const QString range = TextAfter(text, u'(');
    QString longest = range;
    if (range.contains(u'-')) {
        result.LensMinFocal = TextToFocal(TextBefore(range, u'-'));
        longest = TextAfter(range, u'-');
    }
    const qsizetype close = longest.indexOf(u')');
    if (close >= 0)
        longest.remove(close, 1);
    result.LensMaxFocal = TextToFocal(longest);
    // A prime lens written as a range of one: "50mm (50mm)".
    if (!range.contains(u'-'))
        result.LensMinFocal = result.LensMaxFocal;
    return result;
}
