#include "cli/commands/DownloadToDatabase.h"

#include "db/DatabaseAdder.h"
#include "db/DatabaseErrors.h"

#include <functional>

namespace cli {

int addDownloadToDatabase(const TRKRollSet& rollSet, const QString& fileName, bool create,
                          CliContext& context)
{
    // Without a terminal to show it on, the adder is given no receiver at all and
    // spares itself a wait on this thread for every row.
    bool progressShown = false;
    std::function<void(const QString&, const QString&)> progress;
    if (context.errIsTerminal) {
        progress = [&](const QString& count, const QString& stage) {
            context.err << "\r" << stage << " " << count << "\x1b[K";
            context.err.flush();
            progressShown = true;
        };
    }
    TDownloadIntoDatabaseResult result;
    try {
        result = DownloadIntoDatabase(rollSet, fileName, create, progress);
    } catch (const ERKError& error) {
        context.err << "Failed to open file " << fileName << ": \n" << error.describe() << "\n";
        return Failure;
    }
    if (progressShown)
        context.err << "\n";

    switch (result.Outcome) {
    case TComparisonOutcome::NothingNew:
        context.out << result.Message << "\n";
        return Success;
    case TComparisonOutcome::DifferentCamera:
        context.err << QString(result.Message).replace(QLatin1String("\r\n"), QLatin1String("\n")) << "\n";
        return Refused;
    case TComparisonOutcome::NewData:
        break;
    }
    if (result.RollsAdded > 0 || result.FramesAdded > 0 || result.Message.isEmpty())
        context.out << "Added " << result.RollsAdded << " rolls and " << result.FramesAdded
                    << " frames to " << fileName << "\n";
    if (result.AddFailed) {
        context.err << result.Message << "\n";
        return Failure;
    }
    if (result.RowRefused) {
        context.err << QString(result.Message).replace(QLatin1String("\r\n"), QLatin1String("\n")) << "\n";
        return Refused;
    }
    return Success;
}

}  // namespace cli
