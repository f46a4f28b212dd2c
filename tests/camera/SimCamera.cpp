#include "SimCamera.h"

SimCamera::SimCamera(const F100SimOptions& options)
    : m_sim(options)
{
    m_started = m_sim.start(&m_error);
    m_settings = std::make_unique<Settings>(QString(), IniFile());
    m_settings->writePort(m_sim.ptyPath());
    m_settings->writePhotographer(QString::fromUtf8(Photographer));
}

int SimCamera::count(const QByteArray& name) const
{
    int n = 0;
    for (const TSimCommandEntry& command : m_sim.commands())
        n += command.Name == name ? 1 : 0;
    return n;
}

QByteArray SimCamera::commandNames() const
{
    QByteArrayList names;
    for (const TSimCommandEntry& command : m_sim.commands())
        names << command.Name;
    return names.join(' ');
}

F100SimOptions WithRolls(std::initializer_list<int> frameCounts, bool detailed)
{
    F100SimOptions options;
    uint16_t number = 1;
    for (const int frames : frameCounts)
        options.Rolls.append(TSimRoll{number++, frames, 100});
    options.Detailed = detailed;
    return options;
}
