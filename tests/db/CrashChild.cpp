// Downloads a fixed roll set of 10,000 frames into the database file given as the only
// argument, printing one line per added row and a last line "added ROLLS FRAMES".
// The crash test kills it at random moments.

#include "RollSets.h"

#include "db/DatabaseAdder.h"
#include "db/DatabaseErrors.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    TRKRollSet set;
    for (int roll = 1; set.Frames.size() < 10000; ++roll) {
        const TRKRollSet one = MakeRollSet({{roll, std::min<int>(36, 10000 - set.Frames.size())}});
        set.Rolls += one.Rolls;
        set.Frames += one.Frames;
    }
    try {
        const TDownloadIntoDatabaseResult result = DownloadIntoDatabase(
            set, QString::fromLocal8Bit(argv[1]), false, [](const QString&, const QString&) {
                std::fputs("+\n", stdout);
                std::fflush(stdout);
            });
        std::printf("added %d %d %s\n", result.RollsAdded, result.FramesAdded, qPrintable(result.Message));
    } catch (const ERKError& error) {
        std::printf("failed %s\n", qPrintable(error.describe()));
        return 1;
    }
    return 0;
}
