#include "f100sim/F100SimOptions.h"

#include "f100sim/MemoryImage.h"
#include "f100sim/SimStateFile.h"

namespace {

struct FaultName
{
    const char* Name;
    ESimFault Kind;
    bool TakesCommand;
    bool TakesMilliseconds;
};

constexpr FaultName kFaultNames[] = {
    {"silent", ESimFault::Silent, false, false},
    {"truncate-reply", ESimFault::TruncateReply, false, false},
    {"error-status", ESimFault::ErrorStatus, true, false},
    {"no-ack", ESimFault::NoAck, true, false},
    {"noise", ESimFault::Noise, false, false},
    {"noise-after", ESimFault::NoiseAfter, false, false},
    {"stall-mid-reply", ESimFault::StallMidReply, false, true},
    {"hangup-mid-reply", ESimFault::HangupMidReply, false, false},
};

bool isCommandName(const QString& text)
{
    return text.size() == 2 && text[0].isUpper() && text[1].isUpper() && text[0].unicode() < 128
           && text[1].unicode() < 128;
}

bool parseHexBytes(const QString& text, int count, QByteArray* bytes)
{
    return f100sim::parseHexBytes(text.toLatin1(), bytes) && bytes->size() == count;
}

bool readImageFile(const QString& path, QByteArray* image, QString* error)
{
    if (!f100sim::readWholeFile(path, image, error))
        return false;
    QString why;
    if (!f100sim::checkMemoryImage(*image, &why)) {
        *error = QStringLiteral("%1: %2").arg(path, why);
        return false;
    }
    return true;
}

}  // namespace

bool parseSimArguments(const QStringList& arguments, F100SimOptions* options, QString* writeImagePath,
                       bool* helpRequested, QString* error)
{
    *helpRequested = false;
    writeImagePath->clear();
    QString rollText;
    QString imagePath;
    QString mode = QStringLiteral("detailed");

    QStringList queue = arguments;
    const auto fail = [error](const QString& message) {
        *error = message;
        return false;
    };
    while (!queue.isEmpty()) {
        QString option = queue.takeFirst();
        const qsizetype equals = option.indexOf(QLatin1Char('='));
        if (option.startsWith(QLatin1String("--")) && equals > 0) {
            queue.prepend(option.mid(equals + 1));
            option.truncate(equals);
        }
        QString value;
        const auto takeValue = [&]() {
            if (queue.isEmpty())
                return false;
            value = queue.takeFirst();
            return true;
        };
        const auto takeNumber = [&](int low, int high, int* number) {
            bool ok = false;
            *number = value.toInt(&ok);
            return ok && *number >= low && *number <= high;
        };

        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            *helpRequested = true;
            return true;
        }
        if (option == QLatin1String("--film-loaded")) {
            options->FilmLoaded = true;
            continue;
        }
        if (!option.startsWith(QLatin1String("--")))
            return fail(QStringLiteral("Unexpected argument \"%1\"").arg(option));
        if (!takeValue())
            return fail(QStringLiteral("%1 needs a value").arg(option));

        if (option == QLatin1String("--rolls")) {
            rollText = value;
        } else if (option == QLatin1String("--mode")) {
            if (value != QLatin1String("detailed") && value != QLatin1String("simple"))
                return fail(QStringLiteral("--mode is detailed or simple, not \"%1\"").arg(value));
            mode = value;
        } else if (option == QLatin1String("--image")) {
            imagePath = value;
        } else if (option == QLatin1String("--write-image")) {
            *writeImagePath = value;
        } else if (option == QLatin1String("--state")) {
            options->StatePath = value;
        } else if (option == QLatin1String("--log")) {
            options->LogPath = value;
        } else if (option == QLatin1String("--baud")) {
            if (!takeNumber(0, 1000000, &options->Baud) || (options->Baud > 0 && options->Baud < 50))
                return fail(QStringLiteral("--baud is 0 (unpaced) or 50 to 1000000, not \"%1\"").arg(value));
        } else if (option == QLatin1String("--custom-settings")) {
            QByteArray bytes;
            if (!parseHexBytes(value, 4, &bytes))
                return fail(QStringLiteral("--custom-settings takes 4 bytes in hex, e.g. 0010620E"));
            for (size_t i = 0; i < 4; ++i)
                options->CustomSettings[i] = static_cast<uint8_t>(bytes[static_cast<qsizetype>(i)]);
        } else if (option == QLatin1String("--data-settings")) {
            QByteArray bytes;
            if (!parseHexBytes(value, 1, &bytes))
                return fail(QStringLiteral("--data-settings takes 1 byte in hex, e.g. 2B"));
            options->DataSettings = static_cast<uint8_t>(bytes[0]);
        } else if (option == QLatin1String("--fault")) {
            const FaultName* found = nullptr;
            for (const FaultName& name : kFaultNames) {
                if (value == QLatin1String(name.Name))
                    found = &name;
            }
            if (!found)
                return fail(QStringLiteral("Unknown fault \"%1\"").arg(value));
            options->Fault.Kind = found->Kind;
            if (found->TakesCommand) {
                if (!takeValue() || !isCommandName(value))
                    return fail(QStringLiteral("--fault %1 needs a command such as LQ").arg(QLatin1String(found->Name)));
                options->Fault.Command = value.toLatin1();
            }
            if (found->TakesMilliseconds) {
                if (!takeValue() || !takeNumber(0, 600000, &options->Fault.StallMs))
                    return fail(QStringLiteral("--fault %1 needs milliseconds (0 to 600000)")
                                    .arg(QLatin1String(found->Name)));
            }
        } else if (option == QLatin1String("--fault-command")) {
            if (!isCommandName(value))
                return fail(QStringLiteral("--fault-command takes a command such as LQ, not \"%1\"").arg(value));
            options->Fault.Command = value.toLatin1();
        } else if (option == QLatin1String("--fault-on")) {
            if (!takeNumber(1, 1000000, &options->Fault.OnlyNth))
                return fail(QStringLiteral("--fault-on takes a command count from 1, not \"%1\"").arg(value));
        } else {
            return fail(QStringLiteral("Unknown option \"%1\"").arg(option));
        }
    }

    if (!imagePath.isEmpty() && !rollText.isEmpty())
        return fail(QStringLiteral("--image and --rolls exclude each other"));
    options->Detailed = mode == QLatin1String("detailed");
    if (!imagePath.isEmpty())
        return readImageFile(imagePath, &options->Image, error);
    return f100sim::parseRollDescription(rollText, &options->Rolls, error);
}

QString simHelpText()
{
    return QStringLiteral(
        "Usage: f100sim [options]\n"
        "A simulated Nikon F100 on a pseudo-terminal. Prints the pty's path as its first line,\n"
        "then serves until it gets SIGTERM or SIGINT, or until its standard input (a pipe or\n"
        "a terminal) closes.\n"
        "\n"
        "Memory and settings:\n"
        "  --rolls ROLL:FRAMES[:ISO],...  shooting data to hold, e.g. 10:36,11:20:400\n"
        "  --mode detailed|simple         recording mode of those rolls (default detailed)\n"
        "  --image FILE                   memory image to hold: the \"LQ\" payload, 0x61 first\n"
        "  --custom-settings HEX          custom settings B1-B4 (default 0010620E)\n"
        "  --data-settings HEX            data settings byte (default 2B; bit 4 follows memory)\n"
        "  --state FILE                   keep settings and memory in FILE across restarts;\n"
        "                                 an existing FILE wins over --rolls and --image\n"
        "  --film-loaded                  film in the camera: data settings and erase refused\n"
        "  --write-image FILE             write the memory image to FILE and exit\n"
        "\n"
        "Line:\n"
        "  --baud N                       pace sent bytes at N baud, 12 bits a byte (default 0:\n"
        "                                 as fast as the pty takes them)\n"
        "  --log FILE                     write every received byte: seconds since start, hex\n"
        "\n"
        "Faults (one at a time):\n"
        "  --fault silent                 no reply, command ignored\n"
        "  --fault truncate-reply         length header and half the payload, then nothing\n"
        "  --fault error-status CMD       answer CMD with \"y\"; CMD has no effect\n"
        "  --fault no-ack CMD             answer CMD with a first byte that is neither a nor y\n"
        "  --fault noise                  random bytes before the reply header\n"
        "  --fault noise-after            random bytes after the reply\n"
        "  --fault stall-mid-reply MS     pause MS milliseconds in the middle of a reply\n"
        "  --fault hangup-mid-reply       close the pty in the middle of an LQ reply\n"
        "  --fault-command CMD            only CMD shows the fault\n"
        "  --fault-on N                   only the Nth command that may show it does\n");
}
