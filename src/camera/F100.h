#pragma once

// The Nikon F100 on the camera thread: its command protocol and its operations.
//
// Every command starts with the wake byte 0x00 and a 30 ms pause, then a 4-byte frame
// (two ASCII letters and a 16-bit big-endian payload count), then that payload. The
// camera answers with a 16-bit big-endian length and that many payload bytes, whose
// first byte is 0x61 ("a", acknowledged) or 0x79 ("y", error).
//
// Inputs are set before the start and outputs read after the end (see TCamera).

#include "camera/Camera.h"
#include "model/CameraSettings.h"

#include <QByteArray>

#include <cstdint>
#include <functional>

// A received reply: the payload bytes that actually arrived (fewer than announced when
// the reply stopped early).
struct TF100Packet
{
    QByteArray Data;
    uint16_t Length() const { return static_cast<uint16_t>(Data.size()); }
};

class TF100 : public TCamera
{
    Q_OBJECT

public:
    // The three forms of creation of TCamera; the thread starts as the last step unless
    // createSuspended.
    TF100();
    TF100(bool createSuspended, bool freeOnTerminate, const QString& port, uint8_t operation,
          const Settings* settings = nullptr);
    TF100(bool createSuspended, bool freeOnTerminate, const QString& port, uint8_t operation,
          const Settings* settings, QObject* receiver, TProgressEvent onProgress,
          TTerminateEvent onTerminate);
    ~TF100() override;

    TF100CustomSettings CustomSettings;  // input of operation 1, output of operation 0
    TF100DataSettings DataSettings;      // output of operations 2 and 6, input of 3
    uint16_t DataSize = 0;               // output of operation 5
    QByteArray MemoryImage;              // output of operation 4: the image as received

protected:
    void Execute() override;

private:
    // What the camera needs between the steps of an exchange.
    // The camera wants 30 ms of quiet line after the wake byte. The byte itself still
    // takes 12 bit times (1.25 ms at 9600 baud) to leave once written, so the pause
    // counts from its end.
    static constexpr unsigned long WakePauseMs = 30 + 2;
    static constexpr unsigned long ReplyPauseMs = 70;    // after a frame, before reading
    static constexpr unsigned long StepPauseMs = 100;    // between the queries of a step
    static constexpr unsigned long RetryPauseMs = 1000;  // before a retry
    static constexpr uint8_t Acknowledgement = 0x61;
    static constexpr uint8_t ErrorStatus = 0x79;

    uint8_t RunOperation();

    // Protocol building blocks.
    void SendBytes(const char* data, qint64 count);
    void SendFrame(const char command[2], uint16_t payloadCount);
    void Wake();
    uint8_t Query(const char command[2], TF100Packet& packet);
    uint8_t ReadReply(TF100Packet& packet);
    // Sends a write and confirms it by reading back, 100 ms after it and once more
    // 100 ms later when the first read-back does not match; notStored when neither does.
    uint8_t WriteAndConfirm(const char command[2], const char* payload, uint16_t count,
                            uint8_t notStored, const std::function<bool()>& readBackMatches);

    // Operations; each returns a result code.
    uint8_t ReadCustomSettings(TF100CustomSettings& settings);
    uint8_t WriteCustomSettings();
    uint8_t ReadDataSettings(TF100DataSettings& settings);
    uint8_t WriteDataSettings();
    uint8_t ReadDataSize();
    uint8_t DeleteShootingData();
    uint8_t DownloadShootingData();
};
