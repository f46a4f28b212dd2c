#include "camera/CameraTexts.h"

#include <gtest/gtest.h>

TEST(CameraTexts, EveryResultCodeHasItsMessage)
{
    const QString noData = QStringLiteral("Camera did not return expected data or no camera attached");
    const struct
    {
        int code;
        QString message;
    } cases[] = {
        {0, QString()},
        {1, QStringLiteral("Could not open port")},
        {2, QStringLiteral("Operation cancelled")},
        {3, noData},
        {4, noData},
        {5, QStringLiteral("Camera reported an error")},
        {6, noData},
        {7, noData},
        {8, noData},
        {9, noData},
        {10, noData},
        {11, QStringLiteral("Data settings not stored in camera. Possible cause: film present in camera")},
        {12, QStringLiteral("Shooting data present, can't write data settings")},
        {13, QStringLiteral("No shooting data present")},
        {14, QStringLiteral("Delete Shooting Data failed, possible cause: film present in camera")},
        {15, QStringLiteral("Unknown error occured")},
        {16, QStringLiteral("Unknown error code")},
        {255, QStringLiteral("Unknown error code")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CameraResultMessage(static_cast<uint8_t>(c.code)), c.message) << c.code;
}

TEST(CameraTexts, ShootingDataStatus)
{
    const struct
    {
        bool present;
        std::optional<TRollFrameCount> counts;
        const char* text;
    } cases[] = {
        {false, TRollFrameCount{1, 36}, "Shooting data not present"},
        {true, std::nullopt, "Shooting data present"},
        {true, TRollFrameCount{1, 36}, "Shooting data present (1 roll, 36 frames)"},
        {true, TRollFrameCount{1, 1}, "Shooting data present (1 roll, 1 frame)"},
        {true, TRollFrameCount{3, 1}, "Shooting data present (3 rolls, 1 frame)"},
        {true, TRollFrameCount{2, 72}, "Shooting data present (2 rolls, 72 frames)"},
        {true, TRollFrameCount{1, 0}, "Shooting data present (no frames recorded)"},
        {true, TRollFrameCount{0, 0}, "Shooting data present (no frames recorded)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShootingDataStatusText(c.present, c.counts), QString::fromUtf8(c.text));
}
