#pragma once

// The simulated F100 of --demo, holding the sample memory shipped with the program, on
// a pty of its own for the length of one command.

#include <QString>

#include <memory>

namespace cli {

class DemoCamera
{
public:
    virtual ~DemoCamera() = default;
    // Null with *error set when there is no simulated camera here (no pty, no sample).
    static std::unique_ptr<DemoCamera> start(QString* error);
    virtual QString port() const = 0;
};

}  // namespace cli
