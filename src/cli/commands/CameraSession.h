#pragma once

// What every camera command shares: the settings store (--settings), the port
// (--port over the Port setting, or the simulated camera of --demo), and printing an
// operation's result.

#include "cli/Command.h"

#include <QJsonObject>
#include <QString>

#include <cstdint>
#include <memory>

class Settings;

namespace cli {

class DemoCamera;

class CameraSession
{
public:
    CameraSession();
    ~CameraSession();

    // Opens the settings and, with --demo, starts the simulated camera. On failure
    // prints why to err and returns false.
    bool open(CliContext& context);

    Settings& settings() { return *m_settings; }

private:
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<DemoCamera> m_demo;
};

// A camera result for the output: on 0 nothing is printed and Success returned; on any
// other code its message goes to err (and with --json the object with "result" and
// "message" to out), and CameraFailure is returned.
int cameraResult(uint8_t result, const QString& message, CliContext& context);

// Prints a JSON object as one line.
void printJson(const QJsonObject& object, CliContext& context);

// The object every camera command's JSON starts from: "result" and "message".
QJsonObject resultObject(uint8_t result, const QString& message);

}  // namespace cli
