#include "cli/commands/DemoCamera.h"

#include "f100sim/F100Simulator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace cli {
namespace {

// Beside the program once installed, else in the source tree it was built from.
QString SampleMemoryPath()
{
    const QString relative = QStringLiteral("resources/demo/sample-memory.bin");
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(relative);
    if (QFile::exists(beside))
        return beside;
    return QStringLiteral(RK_SOURCE_RESOURCES_DIR "/demo/sample-memory.bin");
}

class SimulatedF100 : public DemoCamera
{
public:
    explicit SimulatedF100(const F100SimOptions& options) : m_sim(options) {}
    bool start(QString* error) { return m_sim.start(error); }
    QString port() const override { return m_sim.ptyPath(); }

private:
    F100Simulator m_sim;
};

}  // namespace

std::unique_ptr<DemoCamera> DemoCamera::start(QString* error)
{
    QFile sample(SampleMemoryPath());
    if (!sample.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(sample.fileName(), sample.errorString());
        return nullptr;
    }
    F100SimOptions options;
    options.Image = sample.readAll();
    auto camera = std::make_unique<SimulatedF100>(options);
    if (!camera->start(error))
        return nullptr;
    return camera;
}

}  // namespace cli
