// The F100's command protocol and its settings, size and delete operations.

#include "camera/F100.h"

namespace {

constexpr char WakeByte = 0x00;
constexpr qint64 ChunkSize = 128;

uint8_t Byte(const QByteArray& data, qsizetype index)
{
    return static_cast<uint8_t>(data.at(index));
}

// received / length × 100 to the nearest whole number, halves to even.
uint8_t Percent(uint32_t received, uint32_t length)
{
    const uint32_t scaled = received * 100;
    uint32_t percent = scaled / length;
    const uint32_t twiceRest = 2 * (scaled % length);
    if (twiceRest > length || (twiceRest == length && percent % 2 == 1))
        ++percent;
    return static_cast<uint8_t>(percent);
}

}  // namespace

void TF100::SendBytes(const char* data, qint64 count)
{
    WriteBytes(data, count);
}

void TF100::SendFrame(const char command[2], uint16_t payloadCount)
{
    const char frame[4] = {command[0], command[1], static_cast<char>(payloadCount >> 8),
                           static_cast<char>(payloadCount & 0xFF)};
    SendBytes(frame, sizeof frame);
}

void TF100::Wake()
{
    SendBytes(&WakeByte, 1);
    QThread::msleep(WakePauseMs);
}

uint8_t TF100::Query(const char command[2], TF100Packet& packet)
{
    Wake();
    SendFrame(command, 0);
    QThread::msleep(ReplyPauseMs);
    return ReadReply(packet);
}

uint8_t TF100::ReadReply(TF100Packet& packet)
{
    packet.Data.clear();
    char header[2];
    if (ReadBytes(header, 2) < 2)
        return ResultNoReply;
    const uint32_t length = static_cast<uint8_t>(header[0]) * 256u + static_cast<uint8_t>(header[1]);
    QByteArray data(static_cast<qsizetype>(length), '\0');
    uint32_t received = 0;
    uint8_t lastPercent = 0;
    uint8_t result = ResultOk;
    while (received < length) {
        if (Terminated()) {
            result = ResultCancelled;
            break;
        }
        const uint8_t percent = Percent(received, length);
        if (percent > lastPercent && percent < 100)
            ReportProgress(percent);
        lastPercent = percent;
        const qint64 wanted = std::min<qint64>(length - received, ChunkSize);
        const qint64 got = ReadBytes(data.data() + received, wanted);
        received += static_cast<uint32_t>(std::max<qint64>(got, 0));
        if (got <= 0) {
            // A second of silence: the camera has stopped talking.
            result = ResultReplyCutShort;
            break;
        }
    }
    if (result == ResultOk)
        ReportProgress(100);
    data.truncate(received);
    if (!data.isEmpty() && Byte(data, 0) == ErrorStatus)
        result = ResultCameraError;
    packet.Data = std::move(data);
    return result;
}

uint8_t TF100::WriteAndConfirm(const char command[2], const char* payload, uint16_t count,
                               uint8_t notStored, const std::function<bool()>& readBackMatches)
{
    Wake();
    SendFrame(command, count);
    SendBytes(payload, count);
    for (int attempt = 0; attempt < 2; ++attempt) {
        QThread::msleep(StepPauseMs);
        if (readBackMatches())
            return ResultOk;
    }
    return notStored;
}

uint8_t TF100::ReadCustomSettings(TF100CustomSettings& settings)
{
    TF100Packet packet;
    uint8_t result = Query("CQ", packet);
    if (result == ResultCameraError)
        result = ResultCustomSettingsError;
    if (result == ResultOk && packet.Length() < 5)
        result = ResultReplyCutShort;
    if (result == ResultOk) {
        const uint32_t value = uint32_t{Byte(packet.Data, 1)} << 24
                               | uint32_t{Byte(packet.Data, 2)} << 16
                               | uint32_t{Byte(packet.Data, 3)} << 8 | Byte(packet.Data, 4);
        settings = DecodeCustomSettings(value);
    }
    return result;
}

uint8_t TF100::WriteCustomSettings()
{
    TF100CustomSettings current;
    const uint8_t readResult = ReadCustomSettings(current);
    if (readResult != ResultOk)
        return readResult;

    // Bits the program does not interpret go back as the camera gave them.
    TF100CustomSettings work = CustomSettings;
    work.KeepB3Bit1 = current.KeepB3Bit1;
    work.KeepB3Bit6 = current.KeepB3Bit6;
    work.KeepB3Bit7 = current.KeepB3Bit7;
    const uint32_t value = EncodeCustomSettings(work);
    const char bytes[4] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                           static_cast<char>(value >> 8), static_cast<char>(value)};

    // Raw bytes may differ for patterns the encoder never produces; compare encodings.
    return WriteAndConfirm("DP", bytes, 4, ResultCustomSettingsNotStored, [&] {
        TF100CustomSettings readBack;
        return ReadCustomSettings(readBack) == ResultOk
               && EncodeCustomSettings(readBack) == value;
    });
}

uint8_t TF100::ReadDataSettings(TF100DataSettings& settings)
{
    TF100Packet packet;
    uint8_t result = Query("MQ", packet);
    if (result == ResultCameraError)
        result = ResultDataSettingsError;
    if (result == ResultOk && packet.Length() < 2)
        result = ResultReplyCutShort;
    if (result == ResultOk)
        settings = DecodeDataSettings(Byte(packet.Data, 1));
    return result;
}

uint8_t TF100::WriteDataSettings()
{
    TF100DataSettings current;
    const uint8_t readResult = ReadDataSettings(current);
    if (readResult != ResultOk)
        return readResult;

    // Only the user's three settings change; the rest stays as the camera has it.
    current.MemoryFullAction = DataSettings.MemoryFullAction;
    current.RecordShootingData = DataSettings.RecordShootingData;
    current.RecordingMode = DataSettings.RecordingMode;
    const uint8_t value = EncodeDataSettings(current);
    const char byte = static_cast<char>(value);

    return WriteAndConfirm("NP", &byte, 1, ResultDataSettingsNotStored, [&] {
        TF100DataSettings readBack;
        return ReadDataSettings(readBack) == ResultOk && EncodeDataSettings(readBack) == value;
    });
}

uint8_t TF100::ReadDataSize()
{
    TF100Packet packet;
    uint8_t result = Query("OQ", packet);
    if (result == ResultCameraError)
        result = ResultDataSizeError;
    if (result == ResultOk && packet.Length() < 3) {
        DataSize = 0;
        result = ResultReplyCutShort;
    }
    if (result == ResultOk)
        DataSize = static_cast<uint16_t>(Byte(packet.Data, 1) * 256 + Byte(packet.Data, 2));
    return result;
}

uint8_t TF100::DeleteShootingData()
{
    TF100Packet packet;
    uint8_t result = Query("EP", packet);
    if (result == ResultCameraError)
        result = ResultDeleteFailed;
    if (result != ResultOk)
        return result;
    if (packet.Data.isEmpty() || Byte(packet.Data, 0) != Acknowledgement)
        return ResultNoReply;
    result = ReadDataSettings(DataSettings);
    if (result != ResultOk)
        return result;
    return DataSettings.ShootingDataPresent ? ResultDeleteFailed : ResultOk;
}
