// A full download of an 8 KiB detailed memory from the simulated camera paced at the real
// 9600 baud (12 bits a byte: start, 8 data, even parity, 2 stop), against what the wire
// and the protocol's own pauses make unavoidable:
//
//   download_wire_ratio = wall time / (reply bytes × 12 / 9600 + mandated pauses)
//
// The reply bytes are what the camera sends (length headers included): the simulator
// paces those. The mandated pauses of the sequence are the wake pause and the pause
// before reading of each of the three commands (MQ, OQ, LQ) and the two pauses between
// them. Our own command bytes cross the pty at once and are not counted.

#include "camera/CameraOperations.h"
#include "f100sim/F100Simulator.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);

    F100SimOptions options;
    options.Detailed = true;
    for (uint16_t roll = 1; roll <= 17; ++roll)
        options.Rolls.append(TSimRoll{roll, 36, 400});
    options.Rolls.append(TSimRoll{18, 11, 400});  // 2 + 17 × 473 + 148 = 8191 bytes
    options.Baud = 9600;
    F100Simulator sim(options);
    QString error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return 1;
    }
    Settings settings{QString(), IniFile()};
    settings.writePort(sim.ptyPath());

    const qsizetype imageBytes = sim.memoryImage().size();
    const qsizetype replyBytes = (2 + 2) + (2 + 3) + (2 + imageBytes);  // MQ, OQ, LQ
    const double wireSeconds = replyBytes * 12.0 / 9600.0;
    const double pauseSeconds = (3 * (30 + 70) + 2 * 100) / 1000.0;

    TRKRollSet rollSet;
    QString message;
    QElapsedTimer timer;
    timer.start();
    const uint8_t result = CameraDownloadShootingData(settings, rollSet, nullptr, message);
    const double wallSeconds = timer.nsecsElapsed() / 1e9;
    if (result != 0) {
        std::fprintf(stderr, "download failed: %d %s\n", result, qPrintable(message));
        return 1;
    }

    std::printf("download_wire_image_bytes=%lld\n", static_cast<long long>(imageBytes));
    std::printf("download_wire_frames=%lld\n", static_cast<long long>(rollSet.Frames.size()));
    std::printf("download_wire_reply_bytes=%lld\n", static_cast<long long>(replyBytes));
    std::printf("download_wire_wire_seconds=%.4f\n", wireSeconds);
    std::printf("download_wire_pause_seconds=%.4f\n", pauseSeconds);
    std::printf("download_wire_wall_seconds=%.4f\n", wallSeconds);
    std::printf("download_wire_ratio=%.4f\n", wallSeconds / (wireSeconds + pauseSeconds));
    return 0;
}
