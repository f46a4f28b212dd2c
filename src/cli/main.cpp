#include "Command.h"

#include <QCoreApplication>

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define RK_ISATTY _isatty
#define RK_FILENO _fileno
#else
#include <unistd.h>
#define RK_ISATTY isatty
#define RK_FILENO fileno
#endif

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Rollkeeper"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ROLLKEEPER_VERSION));

    QTextStream out(stdout);
    QTextStream err(stderr);
    cli::CliContext context{.out = out, .err = err};
    context.errIsTerminal = RK_ISATTY(RK_FILENO(stderr)) != 0;

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const int status = cli::runCli(arguments, context);
    out.flush();
    err.flush();
    return status;
}
