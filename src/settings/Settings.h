#pragma once

// The program's settings: one ini file read once into memory; every read and write goes
// to that copy, and writeToDisk() rewrites the file as a whole. Each setting has one typed
// read and one typed write with a fixed section, key and default, so no other code names
// a section or key.
//
// Threads: every member may be called from any thread. Reads run in parallel; a write
// waits for the reads in progress (the camera thread reads the photographer's name while
// the user-interface thread may be changing other settings).
//
// Errors: reads never fail (missing or malformed values give the defaults). Writes of
// text that the file format cannot hold (a line break, or a preset name such as "a=b")
// and writeToDisk() failures throw ESettingsError; the store is then unchanged.

#include "settings/ColumnLayout.h"
#include "settings/IniFile.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>
#include <optional>
#include <shared_mutex>

// A window rectangle in screen coordinates (bottom and right edges, not sizes).
struct TWindowRect
{
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;

    friend bool operator==(const TWindowRect&, const TWindowRect&) = default;
};

class Settings
{
public:
    static constexpr const char* kFileName = "Rollkeeper.ini";

    // The settings file to use: explicitFile when given; else Rollkeeper.ini beside the
    // executable when it exists (portable use); else Rollkeeper.ini in the user's
    // configuration directory.
    static QString locateFile(const QString& explicitFile);

    // Locates and reads the file. A missing file is an empty store (all defaults); an
    // existing file that cannot be read throws ESettingsError.
    static std::unique_ptr<Settings> open(const QString& explicitFile);

    Settings(QString fileName, IniFile document);

    QString fileName() const;

    // Rewrites the whole file atomically from the in-memory copy. Throws ESettingsError;
    // the file on disk is then as it was.
    void writeToDisk();

    // Section Program.
    bool readShowSplashScreen() const;
    void writeShowSplashScreen(bool value);
    bool readSaveWindowPositions() const;
    void writeSaveWindowPositions(bool value);
    bool readShowHint() const;
    void writeShowHint(bool value);
    QString readPort() const;
    void writePort(const QString& value);
    QString readPhotographer() const;
    void writePhotographer(const QString& value);

    // 0 open no file, 1 open the last active file, 2 open a specific file. Any other
    // stored value reads as 0, and is written as 0.
    int readStartupAction() const;
    void writeStartupAction(int value);
    QString readStartupFilename() const;
    void writeStartupFilename(const QString& value);

    // A Windows locale id; the default (and the reading of a negative value) is the
    // system language's id, see LocaleIds.h.
    int readLanguage() const;
    void writeLanguage(int value);

    bool readCanEditAllFields() const;
    void writeCanEditAllFields(bool value);
    QString readLastActiveReport() const;
    void writeLastActiveReport(const QString& value);
    bool readViewRollDetails() const;
    void writeViewRollDetails(bool value);
    bool readViewFrameDetails() const;
    void writeViewFrameDetails(bool value);
    bool readConfirmRollChange() const;
    void writeConfirmRollChange(bool value);
    bool readConfirmFrameChange() const;
    void writeConfirmFrameChange(bool value);

    // Window rectangles of the main window and of database views; nullopt when not stored
    // (both bottom and right 0).
    std::optional<TWindowRect> readMainRect() const;
    void writeMainRect(const TWindowRect& rect);
    std::optional<TWindowRect> readDatabaseRect() const;
    void writeDatabaseRect(const TWindowRect& rect);

    // Database view state. The sizes default to -1; 0 and below mean not stored.
    bool readMaximized() const;
    void writeMaximized(bool value);
    int readTopPanel() const;
    void writeTopPanel(int value);
    int readLvRollsWidth() const;
    void writeLvRollsWidth(int value);
    int readLvFramesWidth() const;
    void writeLvFramesWidth(int value);

    // Column layout of a database view's list, keyed by the list's name ("lvRolls",
    // "lvFrames"). Reading applies the stored layout to the designed columns.
    void readColumnLayout(const QString& listName, QList<TListColumn>& columns) const;
    void writeColumnLayout(const QString& listName, const QList<TListColumn>& columns);

    // Named custom settings presets of the F100, in file order. A name must be a valid
    // key (IniFile::isValidKey), else writePreset throws ESettingsError.
    QStringList presetNames() const;
    QString readPreset(const QString& name) const;
    void writePreset(const QString& name, const QString& text);
    void deletePreset(const QString& name);

    // Recently used database files, most recent first.
    QStringList readRecentFiles() const;
    void writeRecentFiles(const QStringList& files);

private:
    std::optional<QString> read(const QString& section, const QString& key) const;
    void write(const QString& section, const QString& key, const QString& value);
    QString readString(const QString& section, const QString& key,
                       const QString& fallback) const;
    int readInteger(const QString& section, const QString& key, int fallback) const;
    bool readBoolean(const QString& section, const QString& key, bool fallback) const;
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBoolean(const QString& section, const QString& key, bool value);
    std::optional<TWindowRect> readRect(const QString& section) const;
    void writeRect(const QString& section, const TWindowRect& rect);

    const QString m_fileName;
    // Guards m_document. A standard shared mutex rather than QReadWriteLock: its
    // pthread_rwlock is visible to ThreadSanitizer, Qt's lock-free fast path is not.
    mutable std::shared_mutex m_lock;
    std::mutex m_saveLock;  // one writeToDisk at a time
    IniFile m_document;
};
