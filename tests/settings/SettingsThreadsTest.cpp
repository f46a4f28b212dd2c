#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// The camera thread reads the photographer's name while the user-interface thread
// changes settings; a reader must only ever see a whole value that was written.
TEST(SettingsThreads, ReadersSeeWholeValuesWhileAWriterWrites)
{
    Settings settings{QString(), IniFile()};
    const QString first = QStringLiteral("Ann Adams");
    const QString second = QStringLiteral("Bartholomew Brown-Bennett");
    settings.writePhotographer(first);

    std::atomic<bool> writing{true};
    std::atomic<int> torn{0};
    const auto reader = [&] {
        int reads = 0;
        while (writing.load() || reads < 1000) {
            const QString name = settings.readPhotographer();
            if (name != first && name != second)
                ++torn;
            settings.presetNames();
            settings.readRecentFiles();
            ++reads;
        }
    };
    std::thread camera(reader);
    std::thread other(reader);
    for (int i = 0; i < 2000; ++i) {
        settings.writePhotographer(i % 2 ? first : second);
        settings.writePreset(QStringLiteral("P%1").arg(i % 7), QStringLiteral("0101"));
        settings.deletePreset(QStringLiteral("P%1").arg((i + 3) % 7));
        settings.writeRecentFiles({QStringLiteral("/a%1").arg(i)});
    }
    writing = false;
    camera.join();
    other.join();
    EXPECT_EQ(torn.load(), 0);
}

}  // namespace
