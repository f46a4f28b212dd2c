#include "RawClient.h"

#include "f100sim/F100Simulator.h"
#include "f100sim/MemoryImage.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;

namespace {

std::unique_ptr<F100Simulator> startSimulator(F100SimOptions options = {})
{
    if (options.Image.isEmpty() && options.Rolls.isEmpty())
        options.Rolls = {{10, 2, 100}};
    auto simulator = std::make_unique<F100Simulator>(options);
    QString error;
    EXPECT_TRUE(simulator->start(&error)) << error.toStdString();
    return simulator;
}

QByteArray withAck(const QByteArray& data)
{
    return bytes({0x61}) + data;
}

}  // namespace

TEST(F100Simulator, AnswersEveryCommandByteForByte)
{
    auto simulator = startSimulator();
    const QByteArray image = simulator->memoryImage();
    ASSERT_EQ(image.size(), 2 + 3 + 2 * 13 + 2);
    struct Case
    {
        const char* name;
        QByteArray payload;
        QByteArray reply;
    };
    const Case cases[] = {
        {"CQ", {}, withAck(bytes({0x00, 0x10, 0x62, 0x0E}))},
        {"MQ", {}, withAck(bytes({0x3B}))},  // data present
        {"OQ", {}, withAck(bytes({0x00, static_cast<int>(image.size() - 2)}))},
        {"LQ", {}, image},
        {"ZZ", {}, bytes({0x79})},
        {"CQ", bytes({1}), bytes({0x79})},  // a query carries no payload
        {"DP", bytes({1, 2}), bytes({0x79})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(query(simulator->ptyPath(), c.name, c.payload).toHex(), c.reply.toHex());
    }
}

TEST(F100Simulator, IgnoresBytesBeforeTheWakeByte)
{
    auto simulator = startSimulator();
    RawClient client(simulator->ptyPath());
    client.send("CQ\x01\x02");
    client.sendCommand("MQ");
    EXPECT_EQ(client.readReply().toHex(), "613b");
    EXPECT_TRUE(client.read(1, 100).isEmpty());
}

TEST(F100Simulator, GivesUpACommandCutShort)
{
    auto simulator = startSimulator();
    RawClient client(simulator->ptyPath());
    client.send(bytes({0x00, 'D', 'P', 0x00, 0x04, 0x01}));  // three payload bytes missing
    std::this_thread::sleep_for(1100ms);
    client.sendCommand("MQ");
    EXPECT_EQ(client.readReply().toHex(), "613b");
    EXPECT_EQ(simulator->customSettings()[0], 0x00);
}

TEST(F100Simulator, ServesSuccessiveOpenQueryCloseCycles)
{
    auto simulator = startSimulator();
    for (int cycle = 0; cycle < 3; ++cycle) {
        SCOPED_TRACE(cycle);
        RawClient client(simulator->ptyPath());
        ASSERT_TRUE(client.isOpen());
        client.sendCommand("CQ");
        EXPECT_EQ(client.readReply().toHex(), "610010620e");
        client.sendCommand("OQ");
        EXPECT_EQ(client.readReply().toHex(), "61001f");
    }
    EXPECT_TRUE(simulator->isRunning());
}

TEST(F100Simulator, DropsWhatAClosedClientLeftUnread)
{
    auto simulator = startSimulator();
    {
        RawClient client(simulator->ptyPath());
        client.sendCommand("LQ");
        ASSERT_EQ(client.read(2).size(), 2);
    }
    RawClient client(simulator->ptyPath());
    client.sendCommand("CQ");
    // A program pauses before it reads a reply; by then the simulator has seen the
    // close. Waiting for the command to arrive stands in for that pause.
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (simulator->commands().size() < 2 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(client.readReply().toHex(), "610010620e");
}

TEST(F100Simulator, CustomSettingsWriteKeepsTheCameraOwnedBits)
{
    auto simulator = startSimulator();
    // B3 bits 1, 6 and 7 stay as the camera had them (0x62 has 1 and 6 set).
    const struct
    {
        QByteArray written;
        QByteArray stored;
    } cases[] = {
        {bytes({0xFF, 0xFF, 0x00, 0xFF}), bytes({0xFF, 0xFF, 0x42, 0xFF})},
        {bytes({0x00, 0x00, 0xFF, 0x00}), bytes({0x00, 0x00, 0x7F, 0x00})},
        {bytes({0x12, 0x34, 0x20, 0x56}), bytes({0x12, 0x34, 0x62, 0x56})},
    };
    for (const auto& c : cases) {
        RawClient client(simulator->ptyPath());
        client.sendCommand("DP", c.written);
        EXPECT_TRUE(client.read(1, 150).isEmpty()) << "DP is not answered";
        client.sendCommand("CQ");
        EXPECT_EQ(client.readReply().toHex(), withAck(c.stored).toHex());
    }
}

TEST(F100Simulator, DataSettingsWriteIsRefusedWithDataOrFilm)
{
    const struct
    {
        const char* what;
        bool withData;
        bool filmLoaded;
        int written;
        int afterwards;
    } cases[] = {
        // Only bits 0, 1 and 3 are the user's; 0x20 is the camera's own bit 5.
        {"empty, stop shooting, simple", false, false, 0x00, 0x20},
        {"empty, every bit", false, false, 0xFF, 0x2B},
        {"empty, no recording", false, false, 0x09, 0x29},
        {"data present", true, false, 0x00, 0x3B},
        {"film loaded", false, true, 0x00, 0x2B},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        F100SimOptions options;
        options.FilmLoaded = c.filmLoaded;
        if (!c.withData)
            options.Image = f100sim::emptyMemoryImage(true);
        auto simulator = startSimulator(options);
        RawClient client(simulator->ptyPath());
        client.sendCommand("NP", bytes({c.written}));
        EXPECT_TRUE(client.read(1, 150).isEmpty()) << "NP is not answered";
        client.sendCommand("MQ");
        EXPECT_EQ(client.readReply().toHex(), withAck(bytes({c.afterwards})).toHex());
        // The empty memory reports the recording mode now set.
        if (!c.withData) {
            client.sendCommand("LQ");
            EXPECT_EQ(client.readReply().toHex(), bytes({0x61, (c.afterwards & 0x08) ? 1 : 0}).toHex());
        }
    }
}

TEST(F100Simulator, EraseClearsTheMemoryUnlessFilmIsLoaded)
{
    for (const bool filmLoaded : {false, true}) {
        SCOPED_TRACE(filmLoaded);
        F100SimOptions options;
        options.FilmLoaded = filmLoaded;
        auto simulator = startSimulator(options);
        const QByteArray before = simulator->memoryImage();
        EXPECT_EQ(query(simulator->ptyPath(), "EP"), bytes({filmLoaded ? 0x79 : 0x61}));
        EXPECT_EQ(query(simulator->ptyPath(), "MQ"), withAck(bytes({filmLoaded ? 0x3B : 0x2B})));
        EXPECT_EQ(query(simulator->ptyPath(), "OQ"), withAck(filmLoaded ? bytes({0, 31}) : bytes({0, 0})));
        EXPECT_EQ(query(simulator->ptyPath(), "LQ"), filmLoaded ? before : bytes({0x61, 0x01}));
    }
}

TEST(F100Simulator, LogsEveryReceivedByteWithItsTime)
{
    rktest::TempDir dir;
    F100SimOptions options;
    options.LogPath = dir.path("wire.log");
    auto simulator = startSimulator(options);
    RawClient client(simulator->ptyPath());
    client.send(bytes({0x00}));
    std::this_thread::sleep_for(40ms);
    client.send("MQ");
    client.send(bytes({0x00, 0x00}));
    client.readReply();

    const QList<TSimLogEntry> log = simulator->log();
    ASSERT_EQ(log.size(), 5);
    QByteArray received;
    for (const TSimLogEntry& entry : log)
        received.append(static_cast<char>(entry.Byte));
    EXPECT_EQ(received.toHex(), "004d510000");
    EXPECT_GE(log[1].Time - log[0].Time, 30ms);
    for (qsizetype i = 2; i < log.size(); ++i)
        EXPECT_LE(log[i - 1].Time, log[i].Time);
    ASSERT_EQ(simulator->commands().size(), 1);
    EXPECT_EQ(simulator->commands()[0].Name, "MQ");

    simulator->stop();
    const QList<QByteArray> lines = rktest::readFile(options.LogPath).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[1].endsWith(" 4D")) << lines[1].toStdString();
    EXPECT_GE(lines[1].split(' ')[0].toDouble() - lines[0].split(' ')[0].toDouble(), 0.030);
}

TEST(F100Simulator, StateSurvivesARestart)
{
    rktest::TempDir dir;
    F100SimOptions options;
    options.StatePath = dir.path("camera.state");
    options.Image = f100sim::emptyMemoryImage(true);
    {
        auto simulator = startSimulator(options);
        RawClient client(simulator->ptyPath());
        client.sendCommand("DP", bytes({0x80, 0x13, 0x20, 0x0E}));
        client.sendCommand("NP", bytes({0x02}));
        client.sendCommand("MQ");
        ASSERT_EQ(client.readReply().toHex(), "6122");
    }
    // An existing state file wins over the memory given at start.
    options.Image.clear();
    options.Rolls = {{99, 36, 400}};
    auto restarted = startSimulator(options);
    EXPECT_EQ(query(restarted->ptyPath(), "CQ").toHex(), "618013620e");
    EXPECT_EQ(query(restarted->ptyPath(), "MQ").toHex(), "6122");
    EXPECT_EQ(query(restarted->ptyPath(), "LQ").toHex(), "6100");
}

TEST(F100Simulator, SaveAndLoadStateRoundTrip)
{
    rktest::TempDir dir;
    auto original = startSimulator();
    original->setCustomSettings({1, 2, 3, 4});
    QString error;
    ASSERT_TRUE(original->saveState(dir.path("state"), &error)) << error.toStdString();

    F100SimOptions other;
    other.Image = f100sim::emptyMemoryImage(false);
    auto copy = startSimulator(other);
    ASSERT_TRUE(copy->loadState(dir.path("state"), &error)) << error.toStdString();
    EXPECT_EQ(copy->customSettings(), original->customSettings());
    EXPECT_EQ(copy->dataSettings(), original->dataSettings());
    EXPECT_EQ(copy->memoryImage(), original->memoryImage());
    EXPECT_EQ(query(copy->ptyPath(), "CQ").toHex(), "6101020304");
}

TEST(F100Simulator, RejectsABadStateFileAndKeepsItsState)
{
    rktest::TempDir dir;
    auto simulator = startSimulator();
    const QByteArray image = simulator->memoryImage();
    const char* contents[] = {
        "custom=0010620E\ndata=2B\n",                  // no image
        "custom=0010620E\ndata=2B\nimage=6201\n",      // image without the acknowledgement
        "custom=00106\ndata=2B\nimage=6101\n",         // odd hex
        "custom=0010620E\ndata=2B2B\nimage=6101\n",    // two data bytes
        "custom=0010620E\ndata=2B\nimage=6101\nx=1\n", // unknown key
        "garbage\n",
    };
    for (const char* text : contents) {
        SCOPED_TRACE(text);
        rktest::writeFile(dir.path("bad"), text);
        QString error;
        EXPECT_FALSE(simulator->loadState(dir.path("bad"), &error));
        EXPECT_TRUE(error.contains(dir.path("bad"))) << error.toStdString();
        EXPECT_EQ(simulator->memoryImage(), image);
    }
    QString error;
    EXPECT_FALSE(simulator->loadState(dir.path("missing"), &error));
}

TEST(F100Simulator, StopReturnsPromptlyInTheMiddleOfAReply)
{
    F100SimOptions options;
    options.Baud = 300;  // the 1000-byte reply would take 40 s
    options.Rolls = {{1, 36, 100}, {2, 36, 100}};
    auto simulator = startSimulator(options);
    RawClient client(simulator->ptyPath());
    client.sendCommand("LQ");
    ASSERT_EQ(client.read(2, 1000).size(), 2);
    const auto before = std::chrono::steady_clock::now();
    simulator->stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
    EXPECT_FALSE(simulator->isRunning());
}
