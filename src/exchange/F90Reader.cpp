// F90 data files: a header of fixed byte fields and length-prefixed strings, then one
// record per frame. Every string is one length byte and that many bytes of text.

#include "exchange/FileFilters.h"
#include "exchange/ImportSupport.h"


#include <array>
#include <optional>

namespace {

// The F90's shutter speed coding, indexed by its code, as F100 codes. Codes 0x02, 0x03
// and above 0x4C have no F100 counterpart.
constexpr uint8_t NoShutterCode = 0xFF;
constexpr uint8_t UnknownShutterSpeed = 0x72;  // has no text: shown as "??"
constexpr std::array<uint8_t, 0x4D> F90ShutterTable{
    0x71, 0xE1, NoShutterCode, NoShutterCode, 0xE2, 0xE4, 0xE5, 0xE5,  // 0x00
    0xE8, 0xEA, 0xEB, 0xEB, 0xEE, 0xF0, 0xF0, 0xF2,                    // 0x08
    0xF4, 0xF6, 0xF6, 0xF8, 0xFA, 0xFC, 0x70, 0xFE,                    // 0x10
    0x00, 0x02, 0x03, 0x04, 0x06, 0x08, 0x09, 0x09,                    // 0x18
    0x0C, 0x0E, 0x0F, 0x0F, 0x12, 0x14, 0x14, 0x16,                    // 0x20
    0x18, 0x1A, 0x1A, 0x1C, 0x1E, 0x20, 0x21, 0x22,                    // 0x28
    0x24, 0x26, 0x27, 0x28, 0x2A, 0x2C, 0x2D, 0x2E,                    // 0x30
    0x30, 0x32, 0x33, 0x34, 0x36, 0x38, 0x39, 0x3A,                    // 0x38
    0x3C, 0x3E, 0x3F, 0x40, 0x42, 0x44, 0x45, 0x46,                    // 0x40
    0x48, 0x4A, 0x4B, 0x4C, 0x4E,                                      // 0x48
};

// Reads the file from the start; every read says whether the bytes were there.
class TByteReader
{
public:
    explicit TByteReader(const QByteArray& data) : m_data(data) {}

    qsizetype position() const { return m_position; }

    std::optional<uint8_t> byte()
    {
        if (m_position >= m_data.size())
            return std::nullopt;
        return static_cast<uint8_t>(m_data.at(m_position++));
    }

    bool skip(qsizetype count)
    {
        if (m_data.size() - m_position < count)
            return false;
        m_position += count;
        return true;
    }

    std::optional<uint32_t> uint32LittleEndian()
    {
        if (m_data.size() - m_position < 4)
            return std::nullopt;
        uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | static_cast<uint8_t>(m_data.at(m_position + i));
        m_position += 4;
        return value;
    }

    std::optional<QString> string()
    {
        const std::optional<uint8_t> length = byte();
        if (!length || m_data.size() - m_position < *length)
            return std::nullopt;
        const QString text = DecodeWindows1252(m_data.mid(m_position, *length));
        m_position += *length;
        return text;
    }

private:
    const QByteArray& m_data;
    qsizetype m_position = 0;
};

struct TNKNFormat
{
    QString Model;
    uint32_t Date = 0;
    QString Comment;
    QString Camera;
    uint8_t FilmSpeed = 0;
    uint8_t FrameCount = 0;
};

struct TFrameData
{
    QString Comment;
    uint8_t Shutter = 0;
    uint8_t Aperture = 0;
    uint8_t ModeFlags = 0;
    uint8_t Metering = 0;
    uint8_t FlashSync = 0;
    uint8_t Focal = 0;
    uint8_t Compensation = 0;
    uint8_t FlashCompensation = 0;
};

TNKNFormat readHeader(TByteReader& in, const QString& fileName)
{
    const auto cut = [&](const char* field) {
        return FileFormatError(fileName, 0, QString::fromLatin1(field),
                               QStringLiteral("the file ends inside its header (byte %1)")
                                   .arg(in.position()));
    };
    TNKNFormat header;
    const std::optional<QString> model = in.string();
    if (!model || !in.skip(2))
        throw cut("model");
    header.Model = *model;
    const std::optional<uint32_t> date = in.uint32LittleEndian();
    if (!date)
        throw cut("date");
    header.Date = *date;
    const std::optional<QString> comment = in.string();
    if (!comment)
        throw cut("comment");
    header.Comment = *comment;
    const std::optional<QString> camera = in.string();
    if (!camera)
        throw cut("camera");
    header.Camera = *camera;
    const std::optional<uint8_t> filmSpeed = in.byte();
    if (!filmSpeed || !in.skip(4))
        throw cut("film speed");
    header.FilmSpeed = *filmSpeed;
    const std::optional<uint8_t> frameCount = in.byte();
    if (!frameCount || !in.skip(1))
        throw cut("frame count");
    header.FrameCount = *frameCount;
    return header;
}

// A frame record, or nothing when the file ends inside it.
std::optional<TFrameData> readFrame(TByteReader& in)
{
    TFrameData frame;
    const std::optional<QString> comment = in.string();
    if (!comment)
        return std::nullopt;
    frame.Comment = *comment;
    for (uint8_t* field : {&frame.Shutter, &frame.Aperture, &frame.ModeFlags, &frame.Metering,
                           &frame.FlashSync, &frame.Focal, &frame.Compensation,
                           &frame.FlashCompensation}) {
        const std::optional<uint8_t> value = in.byte();
        if (!value)
            return std::nullopt;
        *field = *value;
    }
    return frame;
}

uint8_t exposureMode(uint8_t flags)
{
    static constexpr std::array<uint8_t, 4> modes{1, 3, 2, 4};  // P, S, A, M
    return modes[flags & 0x03];
}

uint8_t flashMode(const TFrameData& data)
{
    if (data.FlashSync <= 2)
        return static_cast<uint8_t>(data.FlashSync + 1);  // normal, slow, rear
    return ((data.ModeFlags >> 4) & 0x03) == 2 ? 4 : 0;  // red-eye reduction
}

}  // namespace

uint8_t F90ShutterToF100(uint8_t f90Code)
{
    if (f90Code >= F90ShutterTable.size() || F90ShutterTable[f90Code] == NoShutterCode)
        return UnknownShutterSpeed;
    return F90ShutterTable[f90Code];
}

void ReadF90Data(const TSourceFile& source, TRKRollSet& rollSet, int32_t rollNumber)
{
    TByteReader in(source.Data);
    const TNKNFormat header = readHeader(in, source.FileName);
    // The count is not trusted beyond the data: a file cut short keeps the frames that
    // are complete.
    QList<TFrameData> records;
    for (int i = 0; i < header.FrameCount; ++i) {
        const std::optional<TFrameData> record = readFrame(in);
        if (!record)
            break;
        records << *record;
    }

    // The camera's clock has no time zone: the seconds are a local date and time.
    const QDateTime utc = QDateTime::fromSecsSinceEpoch(header.Date, Qt::UTC);
    const QDateTime date(utc.date(), utc.time());

    TRKRoll roll;
    roll.RollNumber = rollNumber;
    roll.ISO = header.FilmSpeed + 1 < 32 ? static_cast<uint8_t>(header.FilmSpeed + 1) : 0;
    roll.CameraType = header.Camera;
    roll.Comment = header.Comment;
    roll.Date = date;
    rollSet.Rolls << roll;

    for (qsizetype i = 0; i < records.size(); ++i) {
        const TFrameData& data = records.at(i);
        TRKFrame frame;
        frame.RecordingMode = 1;
        frame.RollNumber = rollNumber;
        frame.FrameNumber = static_cast<uint8_t>(i + 1);
        frame.Date = date;
        frame.Comment = data.Comment;
        frame.ShutterSpeed = F90ShutterToF100(data.Shutter);
        frame.Aperture = data.Aperture;
        frame.Focal = data.Focal;
        frame.ExposureMode = exposureMode(data.ModeFlags);
        frame.MeterMode = data.Metering <= 2 ? static_cast<uint8_t>(data.Metering + 1) : 0;
        frame.FlashMode = flashMode(data);
        frame.ExposureComp = static_cast<uint8_t>(-data.Compensation);
        frame.FlashComp = data.FlashCompensation;
        rollSet.Frames << frame;
    }
}
