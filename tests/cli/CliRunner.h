#pragma once

// Runs one rollkeeper-cli command line in-process and keeps what it printed.

#include "cli/Command.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline CliRun RunCli(const QStringList& arguments)
{
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    cli::CliContext context{out, err};
    run.exitCode = cli::runCli(arguments, context);
    out.flush();
    err.flush();
    return run;
}
