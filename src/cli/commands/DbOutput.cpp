#include "cli/commands/DbOutput.h"

#include "db/Database.h"
#include "db/DatabaseErrors.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {

bool openDatabaseFile(TDatabase& database, const QString& fileName, CliContext& context)
{
    database.FileName = fileName;
    try {
        if (database.OpenDatabase())
            return true;
        context.err << "Failed to open file " << fileName << ": the file does not exist\n";
    } catch (const ERKError& error) {
        context.err << "Failed to open file " << fileName << ": \n" << error.describe() << "\n";
    }
    return false;
}

void printRows(TDBTable& table, CliContext& context)
{
    const QStringList names = table.fieldNames();
    if (context.json) {
        QJsonArray rows;
        for (table.first(); !table.eof(); table.next()) {
            QJsonObject row;
            for (const QString& name : names) {
                const QVariant value = table.field(name).value();
                row.insert(name, value.isNull() ? QJsonValue()
                                 : value.typeId() == QMetaType::LongLong
                                     ? QJsonValue(value.toLongLong())
                                     : QJsonValue(value.toString()));
            }
            rows.append(row);
        }
        context.out << QJsonDocument(rows).toJson(QJsonDocument::Indented);
        return;
    }
    context.out << names.join(QLatin1Char('\t')) << "\n";
    for (table.first(); !table.eof(); table.next()) {
        QStringList values;
        for (const QString& name : names)
            values << table.field(name).asString();
        context.out << values.join(QLatin1Char('\t')) << "\n";
    }
}

}  // namespace cli
