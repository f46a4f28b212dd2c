#include "f100sim/F100Simulator.h"

#include "f100sim/MemoryImage.h"
#include "f100sim/SimStateFile.h"
#include "f100sim/SimulatorImpl.h"

#include <QFile>

using namespace f100sim;

F100Simulator::F100Simulator(const F100SimOptions& options) : d(std::make_unique<Impl>(options)) {}

F100Simulator::~F100Simulator()
{
    stop();
}

bool F100Simulator::start(QString* error)
{
    if (!d->initError.isEmpty()) {
        *error = d->initError;
        return false;
    }
    if (d->thread.joinable()) {
        *error = QStringLiteral("The simulator is already running");
        return false;
    }
    // The state file is written at once, so that a bad path fails here, not later.
    if (!d->options.StatePath.isEmpty() && !saveState(d->options.StatePath, error))
        return false;
    if (!d->link.open(error))
        return false;
    if (!d->options.LogPath.isEmpty()) {
        d->logFile = std::fopen(QFile::encodeName(d->options.LogPath).constData(), "w");
        if (!d->logFile) {
            *error = QStringLiteral("Couldn't create \"%1\"").arg(d->options.LogPath);
            d->link.close();
            return false;
        }
    }
    {
        std::lock_guard lock(d->mutex);
        d->path = d->link.slavePath();
    }
    d->reader.reset();
    d->pending.clear();
    d->started = std::chrono::steady_clock::now();
    d->running = true;
    d->thread = std::thread([this] { d->serve(); });
    return true;
}

void F100Simulator::stop()
{
    if (!d->thread.joinable())
        return;
    d->link.requestStop();
    d->thread.join();
    d->link.close();
    d->running = false;
    if (d->logFile) {
        std::fclose(d->logFile);
        d->logFile = nullptr;
    }
    if (!d->options.StatePath.isEmpty()) {
        QString error;
        if (!saveState(d->options.StatePath, &error))
            std::fprintf(stderr, "f100sim: %s\n", qPrintable(error));
    }
}

bool F100Simulator::isRunning() const
{
    return d->running;
}

QString F100Simulator::ptyPath() const
{
    std::lock_guard lock(d->mutex);
    return d->path;
}

QList<TSimLogEntry> F100Simulator::log() const
{
    std::lock_guard lock(d->mutex);
    return d->log;
}

QList<TSimCommandEntry> F100Simulator::commands() const
{
    std::lock_guard lock(d->mutex);
    return d->commands;
}

void F100Simulator::clearLog()
{
    std::lock_guard lock(d->mutex);
    d->log.clear();
    d->commands.clear();
}

std::array<uint8_t, 4> F100Simulator::customSettings() const
{
    std::lock_guard lock(d->mutex);
    return d->device.state().CustomSettings;
}

uint8_t F100Simulator::dataSettings() const
{
    std::lock_guard lock(d->mutex);
    return d->device.state().DataSettings;
}

QByteArray F100Simulator::memoryImage() const
{
    std::lock_guard lock(d->mutex);
    return d->device.state().Image;
}

bool F100Simulator::filmLoaded() const
{
    std::lock_guard lock(d->mutex);
    return d->device.filmLoaded();
}

void F100Simulator::setCustomSettings(const std::array<uint8_t, 4>& bytes)
{
    std::lock_guard lock(d->mutex);
    TSimState state = d->device.state();
    state.CustomSettings = bytes;
    d->device.setState(state);
}

void F100Simulator::setDataSettings(uint8_t byte)
{
    std::lock_guard lock(d->mutex);
    TSimState state = d->device.state();
    state.DataSettings = byte;
    d->device.setState(state);
}

bool F100Simulator::setMemoryImage(const QByteArray& image, QString* error)
{
    if (!checkMemoryImage(image, error))
        return false;
    std::lock_guard lock(d->mutex);
    TSimState state = d->device.state();
    state.Image = image;
    d->device.setState(state);
    return true;
}

void F100Simulator::setFilmLoaded(bool loaded)
{
    std::lock_guard lock(d->mutex);
    d->device.setFilmLoaded(loaded);
}

void F100Simulator::setFault(const TSimFault& fault)
{
    std::lock_guard lock(d->mutex);
    d->fault = fault;
    d->faultMatches = 0;
}

bool F100Simulator::saveState(const QString& path, QString* error) const
{
    TSimState state;
    {
        std::lock_guard lock(d->mutex);
        state = d->device.state();
    }
    return saveStateFile(path, state, error);
}

bool F100Simulator::loadState(const QString& path, QString* error)
{
    TSimState state;
    if (!loadStateFile(path, &state, error))
        return false;
    std::lock_guard lock(d->mutex);
    d->device.setState(state);
    return true;
}
