#include "Settings.h"

#include "settings/LocaleIds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

// Every section and key name of the file lives here and nowhere else.
const QString kProgram = QStringLiteral("Program");
const QString kMain = QStringLiteral("Main");
const QString kDatabase = QStringLiteral("Database");
const QString kPresets = QStringLiteral("CustomSettings.F100");
const QString kRecentFiles = QStringLiteral("RecentFiles");

const QString kShowSplashScreen = QStringLiteral("ShowSplashScreen");
const QString kSaveWindowPositions = QStringLiteral("SaveWindowPositions");
const QString kShowHint = QStringLiteral("ShowHint");
const QString kPort = QStringLiteral("Port");
const QString kPhotographer = QStringLiteral("Photographer");
const QString kStartupAction = QStringLiteral("StartupAction");
const QString kStartupFilename = QStringLiteral("StartupFilename");
const QString kLanguage = QStringLiteral("Language");
const QString kCanEditAllFields = QStringLiteral("CanEditAllFields");
const QString kLastActiveReport = QStringLiteral("LastActiveReport");
const QString kViewRollDetails = QStringLiteral("ViewRollDetails");
const QString kViewFrameDetails = QStringLiteral("ViewFrameDetails");
const QString kConfirmRollChange = QStringLiteral("ConfirmRollChange");
const QString kConfirmFrameChange = QStringLiteral("ConfirmFrameChange");
const QString kTop = QStringLiteral("Top");
const QString kHeight = QStringLiteral("Height");  // holds the bottom edge
const QString kLeft = QStringLiteral("Left");
const QString kWidth = QStringLiteral("Width");  // holds the right edge
const QString kMaximized = QStringLiteral("Maximized");
const QString kTopPanel = QStringLiteral("TopPanel");
const QString kLvRollsWidth = QStringLiteral("lvRollsWidth");
const QString kLvFramesWidth = QStringLiteral("lvFramesWidth");
const QString kRecentFilePrefix = QStringLiteral("File");

const QString kDefaultPhotographer = QStringLiteral("Insert your name here");
constexpr int kNotStoredSize = -1;

std::optional<int> toInteger(const std::optional<QString>& text)
{
    if (!text)
        return std::nullopt;
    bool isNumber = false;
    const int number = text->toInt(&isNumber, 10);
    return isNumber ? std::optional<int>(number) : std::nullopt;
}

}  // namespace

QString Settings::locateFile(const QString& explicitFile)
{
    if (!explicitFile.isEmpty())
        return explicitFile;
    const QString fileName = QLatin1String(kFileName);
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
    if (QFileInfo::exists(beside))
        return beside;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(fileName);
}

std::unique_ptr<Settings> Settings::open(const QString& explicitFile)
{
    const QString fileName = locateFile(explicitFile);
    return std::make_unique<Settings>(fileName, IniFile::load(fileName));
}

Settings::Settings(QString fileName, IniFile document)
    : m_fileName(std::move(fileName))
    , m_document(std::move(document))
{
}

QString Settings::fileName() const
{
    return m_fileName;
}

void Settings::writeToDisk()
{
    const std::lock_guard saving(m_saveLock);
    IniFile snapshot;
    {
        const std::shared_lock reading(m_lock);
        snapshot = m_document;
    }
    snapshot.save(m_fileName);
}

// --- typed access -------------------------------------------------------------------

std::optional<QString> Settings::read(const QString& section, const QString& key) const
{
    const std::shared_lock reading(m_lock);
    return m_document.value(section, key);
}

void Settings::write(const QString& section, const QString& key, const QString& value)
{
    const std::unique_lock writing(m_lock);
    m_document.setValue(section, key, value);
}

QString Settings::readString(const QString& section, const QString& key,
                             const QString& fallback) const
{
    return read(section, key).value_or(fallback);
}

int Settings::readInteger(const QString& section, const QString& key, int fallback) const
{
    return toInteger(read(section, key)).value_or(fallback);
}

bool Settings::readBoolean(const QString& section, const QString& key, bool fallback) const
{
    const std::optional<int> number = toInteger(read(section, key));
    return number ? *number != 0 : fallback;
}

void Settings::writeInteger(const QString& section, const QString& key, int value)
{
    write(section, key, QString::number(value));
}

void Settings::writeBoolean(const QString& section, const QString& key, bool value)
{
    write(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

// --- section Program ----------------------------------------------------------------

bool Settings::readShowSplashScreen() const { return readBoolean(kProgram, kShowSplashScreen, true); }
void Settings::writeShowSplashScreen(bool value) { writeBoolean(kProgram, kShowSplashScreen, value); }
bool Settings::readSaveWindowPositions() const { return readBoolean(kProgram, kSaveWindowPositions, true); }
void Settings::writeSaveWindowPositions(bool value) { writeBoolean(kProgram, kSaveWindowPositions, value); }
bool Settings::readShowHint() const { return readBoolean(kProgram, kShowHint, true); }
void Settings::writeShowHint(bool value) { writeBoolean(kProgram, kShowHint, value); }
QString Settings::readPort() const { return readString(kProgram, kPort, QString()); }
void Settings::writePort(const QString& value) { write(kProgram, kPort, value); }
QString Settings::readPhotographer() const { return readString(kProgram, kPhotographer, kDefaultPhotographer); }
void Settings::writePhotographer(const QString& value) { write(kProgram, kPhotographer, value); }

int Settings::readStartupAction() const
{
    const int action = readInteger(kProgram, kStartupAction, 1);
    return action == 1 || action == 2 ? action : 0;
}

void Settings::writeStartupAction(int value)
{
    writeInteger(kProgram, kStartupAction, value == 1 || value == 2 ? value : 0);
}

QString Settings::readStartupFilename() const { return readString(kProgram, kStartupFilename, QString()); }
void Settings::writeStartupFilename(const QString& value) { write(kProgram, kStartupFilename, value); }

int Settings::readLanguage() const
{
    const std::optional<int> id = toInteger(read(kProgram, kLanguage));
    return id && *id >= 0 ? *id : SystemLocaleId();
}

void Settings::writeLanguage(int value) { writeInteger(kProgram, kLanguage, value); }
bool Settings::readCanEditAllFields() const { return readBoolean(kProgram, kCanEditAllFields, false); }
void Settings::writeCanEditAllFields(bool value) { writeBoolean(kProgram, kCanEditAllFields, value); }
QString Settings::readLastActiveReport() const { return readString(kProgram, kLastActiveReport, QString()); }
void Settings::writeLastActiveReport(const QString& value) { write(kProgram, kLastActiveReport, value); }
bool Settings::readViewRollDetails() const { return readBoolean(kProgram, kViewRollDetails, true); }
void Settings::writeViewRollDetails(bool value) { writeBoolean(kProgram, kViewRollDetails, value); }
bool Settings::readViewFrameDetails() const { return readBoolean(kProgram, kViewFrameDetails, true); }
void Settings::writeViewFrameDetails(bool value) { writeBoolean(kProgram, kViewFrameDetails, value); }
bool Settings::readConfirmRollChange() const { return readBoolean(kProgram, kConfirmRollChange, false); }
void Settings::writeConfirmRollChange(bool value) { writeBoolean(kProgram, kConfirmRollChange, value); }
bool Settings::readConfirmFrameChange() const { return readBoolean(kProgram, kConfirmFrameChange, false); }
void Settings::writeConfirmFrameChange(bool value) { writeBoolean(kProgram, kConfirmFrameChange, value); }

// --- window rectangles and database views -------------------------------------------

std::optional<TWindowRect> Settings::readRect(const QString& section) const
{
    const std::shared_lock reading(m_lock);
    const auto edge = [&](const QString& key) {
        return toInteger(m_document.value(section, key)).value_or(0);
    };
    const TWindowRect rect{edge(kTop), edge(kHeight), edge(kLeft), edge(kWidth)};
    if (rect.bottom == 0 && rect.right == 0)
        return std::nullopt;
    return rect;
}

void Settings::writeRect(const QString& section, const TWindowRect& rect)
{
    const std::unique_lock writing(m_lock);
    m_document.setValue(section, kTop, QString::number(rect.top));
    m_document.setValue(section, kHeight, QString::number(rect.bottom));
    m_document.setValue(section, kLeft, QString::number(rect.left));
    m_document.setValue(section, kWidth, QString::number(rect.right));
}

std::optional<TWindowRect> Settings::readMainRect() const { return readRect(kMain); }
void Settings::writeMainRect(const TWindowRect& rect) { writeRect(kMain, rect); }
std::optional<TWindowRect> Settings::readDatabaseRect() const { return readRect(kDatabase); }
void Settings::writeDatabaseRect(const TWindowRect& rect) { writeRect(kDatabase, rect); }

bool Settings::readMaximized() const { return readBoolean(kDatabase, kMaximized, false); }
void Settings::writeMaximized(bool value) { writeBoolean(kDatabase, kMaximized, value); }
int Settings::readTopPanel() const { return readInteger(kDatabase, kTopPanel, kNotStoredSize); }
void Settings::writeTopPanel(int value) { writeInteger(kDatabase, kTopPanel, value); }
int Settings::readLvRollsWidth() const { return readInteger(kDatabase, kLvRollsWidth, kNotStoredSize); }
void Settings::writeLvRollsWidth(int value) { writeInteger(kDatabase, kLvRollsWidth, value); }
int Settings::readLvFramesWidth() const { return readInteger(kDatabase, kLvFramesWidth, kNotStoredSize); }
void Settings::writeLvFramesWidth(int value) { writeInteger(kDatabase, kLvFramesWidth, value); }

void Settings::readColumnLayout(const QString& listName, QList<TListColumn>& columns) const
{
    ApplyColumnLayout(readString(kDatabase, listName, QString()), columns);
}

void Settings::writeColumnLayout(const QString& listName, const QList<TListColumn>& columns)
{
    write(kDatabase, listName, EncodeColumnLayout(columns));
}

// --- presets ------------------------------------------------------------------------

QStringList Settings::presetNames() const
{
    const std::shared_lock reading(m_lock);
    return m_document.keys(kPresets);
}

QString Settings::readPreset(const QString& name) const { return readString(kPresets, name, QString()); }
void Settings::writePreset(const QString& name, const QString& text) { write(kPresets, name, text); }

void Settings::deletePreset(const QString& name)
{
    const std::unique_lock writing(m_lock);
    m_document.removeKey(kPresets, name);
}

// --- recent files -------------------------------------------------------------------

QStringList Settings::readRecentFiles() const
{
    QStringList lines;
    {
        const std::shared_lock reading(m_lock);
        lines = m_document.keyLines(kRecentFiles);
    }
    struct Entry
    {
        std::optional<int> number;  // entries without one go last, in file order
        QString path;
    };
    QList<Entry> entries;
    for (const QString& line : std::as_const(lines)) {
        if (line.left(4).toUpper() != QLatin1String("FILE"))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        const QString path = line.mid(equals + 1).trimmed();
        if (!path.isEmpty())
            entries.append(Entry{toInteger(line.mid(4, equals - 4).trimmed()), path});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.number && b.number)
            return *a.number < *b.number;
        return a.number.has_value() && !b.number.has_value();
    });
    QStringList files;
    for (const Entry& entry : std::as_const(entries))
        files.append(entry.path);
    return files;
}

void Settings::writeRecentFiles(const QStringList& files)
{
    const std::unique_lock writing(m_lock);
    IniFile changed = m_document;  // all or nothing: a path that cannot be stored throws
    changed.eraseSection(kRecentFiles);
    int number = 0;
    for (const QString& file : files) {
        if (!file.trimmed().isEmpty())
            changed.setValue(kRecentFiles, kRecentFilePrefix + QString::number(number++), file);
    }
    m_document = std::move(changed);
}
