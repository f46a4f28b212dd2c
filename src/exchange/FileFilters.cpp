#include "exchange/FileFilters.h"

#include "exchange/FieldReader.h"
#include "exchange/ImportSupport.h"
#include "exchange/MV1.h"

#include <QFileInfo>

#include <array>

namespace {

// The first bytes of an F90 data file: the length-prefixed model string "N90".
constexpr char F90Magic[] = "\x03N90";

const std::array<QLatin1String, 6> SoftTALKKeys{
    QLatin1String("SEPARATOR="), QLatin1String("FILMNO="), QLatin1String("FRAMES="),
    QLatin1String("CAMERA="),    QLatin1String("ISO="),    QLatin1String("DATA="),
};

enum class TKeyResult { None, Some, All };

TKeyResult softTALKKeys(const QStringList& lines)
{
    std::array<bool, SoftTALKKeys.size()> found{};
    for (const QString& line : lines) {
        for (size_t k = 0; k < SoftTALKKeys.size(); ++k) {
            if (!found[k] && StartsWithKey(line, SoftTALKKeys[k]))
                found[k] = true;
        }
    }
    const auto count = std::count(found.cbegin(), found.cend(), true);
    if (count == 0)
        return TKeyResult::None;
    return count == static_cast<long>(found.size()) ? TKeyResult::All : TKeyResult::Some;
}

// Every line that is not blank passes: the first line of the file holds the separator
// exactly twice (three fields), every later line at least 16 times (17 fields).
bool fitsSeparator(const QStringList& lines, QChar separator)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).trimmed().isEmpty())
            continue;
        const qsizetype count = lines.at(i).count(separator);
        if (i == 0 ? count != 2 : count < 16)
            return false;
    }
    return true;
}

// The same test for files whose fields are all enclosed in double quotes and separated
// by commas.
bool fitsQuotedCommas(const QStringList& lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).trimmed().isEmpty())
            continue;
        const TQuotedFields split = SplitQuotedCommaLine(lines.at(i));
        if (!split.AllQuoted || (i == 0 ? split.Fields.size() != 3 : split.Fields.size() < 17))
            return false;
    }
    return true;
}

int32_t softTALKRollNumber(const QStringList& lines)
{
    for (const QString& line : lines) {
        if (StartsWithKey(line, QLatin1String("FILMNO=")))
            return LeadingInteger(line.mid(7)).value_or(-1);
    }
    return -1;
}

}  // namespace

QString ExchangeFormatName(TExchangeFormat format)
{
    switch (format) {
    case efSoftTALK: return QStringLiteral("softtalk");
    case efPhotoSecretary: return QStringLiteral("photosecretary");
    case efCSV: return QStringLiteral("csv");
    case efF90: return QStringLiteral("f90");
    case efMV1: return QStringLiteral("mv1");
    case efUnrecognised: break;
    }
    return QStringLiteral("unrecognised");
}

TExchangeFormat ExchangeFormatFromName(const QString& name)
{
    for (const TExchangeFormat format : {efSoftTALK, efPhotoSecretary, efCSV, efF90, efMV1}) {
        if (name.compare(ExchangeFormatName(format), Qt::CaseInsensitive) == 0)
            return format;
    }
    return efUnrecognised;
}

TExchangeFormat DetectFileFormat(const QString& fileName)
{
    return DetectFormat(LoadSourceFile(fileName).Data);
}

TExchangeFormat DetectFormat(const QByteArray& data)
{
    // A file without a single byte holds nothing to import, whatever its name says.
    if (data.isEmpty())
        return efUnrecognised;
    const QStringList lines = SplitTextLines(data);
    if (!lines.isEmpty() && IsMV1Header(lines.first()))
        return efMV1;
    if (data.startsWith(QByteArrayView(F90Magic, 4)))
        return efF90;
    switch (softTALKKeys(lines)) {
    case TKeyResult::All: return efSoftTALK;
    case TKeyResult::Some: return efUnrecognised;
    case TKeyResult::None: break;
    }
    if (fitsSeparator(lines, QLatin1Char('\t')) || fitsSeparator(lines, QLatin1Char(';'))
        || fitsQuotedCommas(lines))
        return efPhotoSecretary;
    return efUnrecognised;
}

int32_t ReadFileRollNumber(const QString& fileName)
{
    const TSourceFile source = LoadSourceFile(fileName);
    return ProposedRollNumber(source, DetectFormat(source.Data));
}

int32_t ProposedRollNumber(const TSourceFile& source, TExchangeFormat format)
{
    switch (format) {
    case efSoftTALK: return softTALKRollNumber(SplitTextLines(source.Data));
    case efPhotoSecretary:
    case efF90: return FileNameRollNumber(source.FileName);
    case efMV1: return MV1RollNumber(SplitTextLines(source.Data));
    case efCSV:
    case efUnrecognised: break;
    }
    return -1;
}

int32_t FileNameRollNumber(const QString& fileName)
{
    const QString name = QFileInfo(fileName).completeBaseName();
    int64_t value = 0;
    bool anyDigit = false;
    for (const QChar c : name) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            continue;
        anyDigit = true;
        value = value * 10 + (c.unicode() - '0');
        if (value > INT32_MAX)
            return -1;
    }
    return anyDigit ? static_cast<int32_t>(value) : -1;
}

bool ImportFile(const QString& fileName, TRKRollSet& rollSet, int32_t rollNumber,
                const QString& photographer)
{
    const TSourceFile source = LoadSourceFile(fileName);
    const qsizetype before = rollSet.Rolls.size() + rollSet.Frames.size();
    switch (DetectFormat(source.Data)) {
    case efSoftTALK: ReadSoftTALKData(source, rollSet, rollNumber, photographer); break;
    case efPhotoSecretary: ReadPhotoSecretaryData(source, rollSet, rollNumber, photographer); break;
    case efF90: ReadF90Data(source, rollSet, rollNumber); break;
    case efMV1: ReadMV1Data(source, rollSet, rollNumber, photographer); break;
    case efCSV:
    case efUnrecognised: break;
    }
    return rollSet.Rolls.size() + rollSet.Frames.size() > before;
}

bool ReadSoftTALKFile(const QString& fileName, TRKRollSet& rollSet, int32_t rollNumber,
                      const QString& photographer)
{
    ReadSoftTALKData(LoadSourceFile(fileName), rollSet, rollNumber, photographer);
    return true;
}

bool ReadPhotoSecretaryFile(const QString& fileName, TRKRollSet& rollSet, int32_t rollNumber,
                            const QString& photographer)
{
    ReadPhotoSecretaryData(LoadSourceFile(fileName), rollSet, rollNumber, photographer);
    return true;
}

bool ReadF90File(const QString& fileName, TRKRollSet& rollSet, int32_t rollNumber)
{
    ReadF90Data(LoadSourceFile(fileName), rollSet, rollNumber);
    return true;
}
