#include "f100sim/MemoryImage.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace f100sim;

namespace {

struct WalkedRoll
{
    int Number = 0;
    int IsoCode = -1;
    QList<QByteArray> Frames;
};

// Walks an image by the rules the program decodes it with: a roll header only at the
// start or right after a trailer's FD, a trailer only where a header or the end
// follows. An image whose frames could be misread shows up as wrong rolls here.
QList<WalkedRoll> walk(const QByteArray& image)
{
    QList<WalkedRoll> rolls;
    const int recordSize = image[1] == 1 ? 13 : 5;
    const auto at = [&](qsizetype i) { return i < image.size() ? static_cast<uint8_t>(image[i]) : -1; };
    const qsizetype last = image.size() - 1;
    for (qsizetype p = 2; p <= last;) {
        if (at(p) == kRollHeader && (p == 2 || at(p - 1) == kRollTrailer)) {
            rolls.append(WalkedRoll{at(p + 1) * 256 + at(p + 2), -1, {}});
            p += 3;
        } else if (p >= last - 2 || (at(p + 1) == kRollTrailer && at(p + 2) == kRollHeader)) {
            EXPECT_EQ(at(p + 1), kRollTrailer) << "at " << p;
            if (!rolls.isEmpty())
                rolls.last().IsoCode = at(p);
            p += 2;
        } else {
            EXPECT_FALSE(rolls.isEmpty()) << "frame before any roll at " << p;
            EXPECT_LE(p + recordSize, image.size()) << "record cut short at " << p;
            if (!rolls.isEmpty())
                rolls.last().Frames.append(image.mid(p, recordSize));
            p += recordSize;
        }
    }
    return rolls;
}

bool isShutterCode(uint8_t code)
{
    return code <= 79 || code == 112 || code >= 224;
}

// Every value must be one the frame value tables know, and a real camera could record.
void expectPlausibleFrame(const QByteArray& frame, int number)
{
    const auto byte = [&](int i) { return static_cast<uint8_t>(frame[i]); };
    EXPECT_EQ(byte(0), number);
    EXPECT_TRUE(isShutterCode(byte(1))) << int(byte(1));
    EXPECT_LE(byte(2), 78);
    EXPECT_TRUE(byte(3) > 0 && byte(3) < 255);
    EXPECT_EQ(byte(4) & ~0x13, 0) << "unused flag bits";
    EXPECT_TRUE(!(byte(4) & 0x02) || (byte(4) & 0x01)) << "TTL without flash";
    if (frame.size() == 5)
        return;
    EXPECT_TRUE(byte(5) > 0 && byte(5) <= byte(3) && byte(3) <= byte(6) && byte(6) < 255) << "focal in the lens";
    EXPECT_LE(byte(7), byte(2));
    EXPECT_LE(byte(8), 78);
    for (int i = 9; i <= 11; ++i)
        EXPECT_LE(std::abs(static_cast<int8_t>(byte(i))), 18) << "EV byte " << i;
    EXPECT_EQ(byte(12) & 0x80, 0);
    if (!(byte(4) & 0x01)) {
        EXPECT_EQ(byte(11), 0) << "flash compensation without flash";
    }
}

void expectRolls(const QByteArray& image, const QList<TSimRoll>& expected, bool detailed)
{
    ASSERT_GE(image.size(), 2);
    EXPECT_EQ(static_cast<uint8_t>(image[0]), kAck);
    EXPECT_EQ(image[1], detailed ? 1 : 0);
    const QList<WalkedRoll> rolls = walk(image);
    ASSERT_EQ(rolls.size(), expected.size());
    for (qsizetype r = 0; r < rolls.size(); ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(rolls[r].Number, expected[r].RollNumber);
        EXPECT_TRUE(rolls[r].IsoCode >= 1 && rolls[r].IsoCode <= 31);
        if (expected[r].Iso != 0) {
            EXPECT_EQ(rolls[r].IsoCode, isoCode(expected[r].Iso));
        }
        ASSERT_EQ(rolls[r].Frames.size(), expected[r].FrameCount);
        for (qsizetype f = 0; f < rolls[r].Frames.size(); ++f)
            expectPlausibleFrame(rolls[r].Frames[f], static_cast<int>(f + 1));
    }
}

}  // namespace

TEST(MemoryImage, BuildsRollsThatDecodeAsDescribed)
{
    const QList<QList<TSimRoll>> descriptions = {
        {},
        {{7, 0, 0}},
        {{1, 36, 0}, {2, 37, 400}, {0xF3FD, 12, 0}, {0xFDF3, 255, 3200}},
        {{243, 36, 100}, {253, 36, 50}, {65535, 1, 6400}},
    };
    for (const auto& rolls : descriptions) {
        for (const bool detailed : {true, false}) {
            SCOPED_TRACE(detailed);
            QString error;
            const QByteArray image = buildMemoryImage(rolls, detailed, &error);
            expectRolls(image, rolls, detailed);
            EXPECT_EQ(buildMemoryImage(rolls, detailed, &error), image) << "same rolls, same bytes";
        }
    }
}

TEST(MemoryImage, FramesAreVaried)
{
    QString error;
    const QByteArray image = buildMemoryImage({{1, 36, 0}, {2, 36, 0}, {3, 36, 0}}, true, &error);
    std::set<int> shutters, apertures, lenses, exposureModes;
    int flashFrames = 0;
    for (const WalkedRoll& roll : walk(image)) {
        for (const QByteArray& frame : roll.Frames) {
            shutters.insert(static_cast<uint8_t>(frame[1]));
            apertures.insert(static_cast<uint8_t>(frame[2]));
            lenses.insert(static_cast<uint8_t>(frame[5]) * 256 + static_cast<uint8_t>(frame[6]));
            exposureModes.insert(static_cast<uint8_t>(frame[12]) & 0x0C);
            flashFrames += frame[4] & 1;
        }
    }
    EXPECT_GE(shutters.size(), 8u);
    EXPECT_GE(apertures.size(), 6u);
    EXPECT_GE(lenses.size(), 2u);
    EXPECT_GE(exposureModes.size(), 2u);
    EXPECT_GT(flashFrames, 0);
}

TEST(MemoryImage, RefusesMoreThanTheMemoryCanHold)
{
    QList<TSimRoll> rolls;
    for (int i = 0; i < 140; ++i)
        rolls.append({static_cast<uint16_t>(i), 36, 0});
    QString error;
    EXPECT_TRUE(buildMemoryImage(rolls, true, &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(buildMemoryImage(rolls, false, &error).isEmpty()) << "simple records are smaller";
}

TEST(MemoryImage, ParsesRollDescriptions)
{
    const struct
    {
        const char* text;
        QList<TSimRoll> rolls;  // empty with ok false: an error
        bool ok;
    } cases[] = {
        {"10:36,11:20", {{10, 36, 0}, {11, 20, 0}}, true},
        {" 10:36 , 11:20:400 ", {{10, 36, 0}, {11, 20, 400}}, true},
        {"", {}, true},
        {"0:0,65535:255", {{0, 0, 0}, {65535, 255, 0}}, true},
        {"10", {}, false},
        {"x:3", {}, false},
        {"10:256", {}, false},
        {"10:-1", {}, false},
        {"65536:1", {}, false},
        {"10:36:123", {}, false},
        {"10:36:400:1", {}, false},
        {"10:36,,11:2", {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        QList<TSimRoll> rolls;
        QString error;
        EXPECT_EQ(parseRollDescription(QString::fromLatin1(c.text), &rolls, &error), c.ok);
        if (c.ok) {
            EXPECT_EQ(rolls, c.rolls);
        } else {
            EXPECT_FALSE(error.isEmpty());
        }
    }
}

TEST(MemoryImage, ChecksWhatTheCameraCanHold)
{
    QString error;
    EXPECT_TRUE(checkMemoryImage(QByteArray::fromHex("6101"), &error));
    EXPECT_TRUE(checkMemoryImage(QByteArray::fromHex("6100F3000701"), &error));
    EXPECT_FALSE(checkMemoryImage(QByteArray::fromHex("61"), &error));
    EXPECT_FALSE(checkMemoryImage(QByteArray::fromHex("7901"), &error));
    EXPECT_FALSE(checkMemoryImage(QByteArray(70000, 'a'), &error));
}

TEST(MemoryImage, DemoSampleHoldsThreeDetailedRolls)
{
    const QByteArray image = rktest::readFile(rktest::resourcePath(QStringLiteral("demo/sample-memory.bin")));
    expectRolls(image, {{41, 36, 0}, {42, 24, 0}, {43, 12, 0}}, true);
    EXPECT_EQ(image, demoMemoryImage()) << "regenerate with f100sim --write-image";
}
