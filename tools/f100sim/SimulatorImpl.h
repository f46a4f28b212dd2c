#pragma once

// The inside of F100Simulator, shared by its public methods (F100Simulator.cpp) and
// the serving thread (SimServing.cpp). Not part of the library's interface.

#include "f100sim/F100Simulator.h"
#include "f100sim/PtyLink.h"

#include <chrono>
#include <cstdio>
#include <deque>
#include <mutex>
#include <random>
#include <thread>

struct F100Simulator::Impl
{
    explicit Impl(const F100SimOptions& simOptions) : options(simOptions), device(initialState())
    {
        fault = options.Fault;
        device.setFilmLoaded(options.FilmLoaded);
    }

    f100sim::TSimState initialState();
    void serve();
    bool receive();
    void process();
    void execute(const f100sim::TSimCommand& command);
    ESimFault faultFor(const QByteArray& name);
    void send(const QByteArray& payload, ESimFault fault, int stallMs);
    bool transmit(const QByteArray& bytes);
    bool stall(std::chrono::milliseconds duration);
    QByteArray noiseBytes();
    void writeStateFile(const f100sim::TSimState& state);

    F100SimOptions options;
    QString initError;

    mutable std::mutex mutex;  // guards everything below up to the thread
    f100sim::F100Device device;
    TSimFault fault;
    int faultMatches = 0;
    QList<TSimLogEntry> log;
    QList<TSimCommandEntry> commands;
    QString path;

    std::atomic<bool> running{false};
    f100sim::PtyLink link;
    std::thread thread;

    // Used by the serving thread only.
    f100sim::CommandReader reader;
    std::deque<uint8_t> pending;
    std::chrono::steady_clock::time_point lastByte;
    std::chrono::steady_clock::time_point started;
    std::mt19937 noise{0x46313030u};
    FILE* logFile = nullptr;
};
