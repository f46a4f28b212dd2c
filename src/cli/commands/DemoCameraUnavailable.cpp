#include "cli/commands/DemoCamera.h"

namespace cli {

// The simulated camera lives on a pseudo-terminal, which this system does not have.
std::unique_ptr<DemoCamera> DemoCamera::start(QString* error)
{
    *error = QStringLiteral("the simulated camera needs a pseudo-terminal");
    return nullptr;
}

}  // namespace cli
