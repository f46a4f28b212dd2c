#include "Database.h"

#include "db/DatabaseErrors.h"

#include <QFileInfo>

TDatabase::TDatabase()
{
    m_rolls.setConnection(&m_connection);
    m_rolls.setTableName(QStringLiteral("Rolls"));
    m_rolls.setSort(QStringLiteral("RollNumber"));
    m_frames.setConnection(&m_connection);
    m_frames.setTableName(QStringLiteral("Frames"));
    m_frames.setSort(QStringLiteral("RollNumber;FrameNumber"));
    m_frames.setMaster(&m_rolls, QStringLiteral("RollNumber"));
}

TDatabase::~TDatabase()
{
    CloseDatabase();
}

bool TDatabase::OpenDatabase()
{
    if (m_connection.isOpen() || !QFileInfo(FileName).isFile())
        return false;
    const char* stage = "Error while opening database connection: ";
    try {
        m_connection.open(FileName);
        stage = "Error while opening roll table: ";
        m_rolls.open();
        stage = "Error while opening frame table: ";
        m_frames.open();
    } catch (const ERKError& error) {
        CloseDatabase();
        throw EDatabaseError(QLatin1String(stage) + error.describe());
    }
    return true;
}

void TDatabase::CloseDatabase()
{
    m_frames.cancel();
    m_rolls.cancel();
    m_frames.close();
    m_rolls.close();
    m_connection.close();
}
