#pragma once

// The base of every rollkeeper-cli command. Each command lives in its own file under
// commands/ and is listed once in Commands.cpp. Commands write only through the
// context's streams, so tests run them in-process and read what they printed.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <memory>
#include <vector>

namespace cli {

enum ExitCode : int {
    Success = 0,
    Failure = 1,       // anything not covered below
    UsageError = 2,
    CameraFailure = 3, // the camera ended with a non-zero result code
    Refused = 4,       // the database refused the data (different camera, refused row)
};

// What every command gets: the streams, and the global options given before or after
// the command words. Owned by the caller of runCli for the duration of one run.
struct CliContext
{
    QTextStream& out;
    QTextStream& err;
    QString settingsFile{};  // --settings FILE; empty: the usual search order
    QString port{};          // --port PORT; empty: the Port setting
    bool json = false;     // --json
    bool demo = false;     // --demo: a simulated camera stands in for the port
    bool errIsTerminal = false;  // progress goes to stderr only when it is a terminal
};

class Command
{
public:
    virtual ~Command() = default;

    // The command words, e.g. "camera data-size".
    virtual QString name() const = 0;
    virtual QString description() const = 0;
    virtual int execute(const QStringList& arguments, CliContext& context) = 0;

protected:
    // Parses the command's own arguments (everything after its words) with a --help
    // option added. On --help prints the help to out and sets exitCode to Success; on a
    // usage error prints the error and the help to err and sets it to UsageError.
    // Returns true when the command should go on.
    bool parseArguments(QCommandLineParser& parser, const QStringList& arguments,
                        CliContext& context, int& exitCode) const;
};

std::vector<std::unique_ptr<Command>> allCommands();

// Runs one command line (without the program name) and returns the exit status.
int runCli(const QStringList& arguments, CliContext& context);

}  // namespace cli
