#pragma once

// A simulated F100 on a real pty, and a settings store whose Port names it: what every
// camera test talks to through the real serial layer.

#include "f100sim/F100Simulator.h"
#include "settings/Settings.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <memory>

class SimCamera
{
public:
    explicit SimCamera(const F100SimOptions& options = {});

    bool started() const { return m_started; }
    const QString& error() const { return m_error; }

    F100Simulator& sim() { return m_sim; }
    Settings& settings() { return *m_settings; }
    QString port() const { return m_sim.ptyPath(); }

    // How many complete commands of that name the camera received.
    int count(const QByteArray& name) const;
    // The names of the commands received, in order, e.g. "MQ OQ LQ".
    QByteArray commandNames() const;

private:
    F100Simulator m_sim;
    std::unique_ptr<Settings> m_settings;
    bool m_started = false;
    QString m_error;
};

inline constexpr char Photographer[] = "Tess Tester";

// Rolls of the given frame counts, numbered from 1.
F100SimOptions WithRolls(std::initializer_list<int> frameCounts, bool detailed = true);

using Millis = std::chrono::milliseconds;
template <typename Duration>
long long ToMs(Duration d)
{
    return std::chrono::duration_cast<Millis>(d).count();
}
