// decode IMAGE: a saved memory image (the camera's reply to "LQ"), decoded offline.

#include "cli/Command.h"
#include "cli/commands/CameraSession.h"
#include "cli/commands/MemoryImageFile.h"
#include "cli/commands/RollSetOutput.h"

namespace cli {
namespace {

class DecodeCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("decode"); }
    QString description() const override
    {
        return QStringLiteral("Decode a saved memory image of the camera.");
    }

    int execute(const QStringList& arguments, CliContext& context) override
    {
        QCommandLineParser parser;
        parser.addPositionalArgument(QStringLiteral("image"),
                                     QStringLiteral("The memory image, as saved by download --image-out."));
        int exitCode = Success;
        if (!parseArguments(parser, arguments, context, exitCode))
            return exitCode;
        if (parser.positionalArguments().size() != 1) {
            context.err << "Give one memory image.\n\n" << parser.helpText();
            return UsageError;
        }
        TRKRollSet rollSet;
        if (!decodeMemoryImageFile(parser.positionalArguments().first(), context, rollSet))
            return Failure;
        if (context.json)
            printJson(rollSetJson(rollSet), context);
        else
            printRollSet(rollSet, context);
        return Success;
    }
};

}  // namespace

std::unique_ptr<Command> makeDecodeCommand()
{
    return std::make_unique<DecodeCommand>();
}

}  // namespace cli
