#include "exchange/ImportFiles.h"

#include "exchange/FileFilters.h"

#include <QHash>

QString ImportRowProblemText(TImportRowProblem problem)
{
    switch (problem) {
    case TImportRowProblem::NoValidRollNumber: return QStringLiteral("no valid roll number");
    case TImportRowProblem::DuplicateRollNumber: return QStringLiteral("duplicate roll number");
    case TImportRowProblem::RollNumberInDatabase:
        return QStringLiteral("roll number already in the database");
    case TImportRowProblem::None: break;
    }
    return {};
}

QList<TImportRowProblem> CheckImportRule(const QList<TImportRow>& rows,
                                         const std::function<bool(int32_t)>& rollInDatabase)
{
    QHash<int32_t, int> uses;
    for (const TImportRow& row : rows) {
        if (row.RollNumber)
            ++uses[*row.RollNumber];
    }
    QList<TImportRowProblem> problems;
    for (const TImportRow& row : rows) {
        if (!row.RollNumber || *row.RollNumber <= 0)
            problems << TImportRowProblem::NoValidRollNumber;
        else if (uses.value(*row.RollNumber) > 1)
            problems << TImportRowProblem::DuplicateRollNumber;
        else if (rollInDatabase && rollInDatabase(*row.RollNumber))
            problems << TImportRowProblem::RollNumberInDatabase;
        else
            problems << TImportRowProblem::None;
    }
    return problems;
}

bool ImportAllowed(const QList<TImportRowProblem>& problems)
{
    return !problems.isEmpty()
           && std::all_of(problems.cbegin(), problems.cend(),
                          [](TImportRowProblem p) { return p == TImportRowProblem::None; });
}

TRKRollSet ReadImportFiles(const QList<TImportRow>& rows, const QString& photographer)
{
    TRKRollSet rollSet;
    for (const TImportRow& row : rows)
        ImportFile(row.FileName, rollSet, row.RollNumber.value_or(-1), photographer);
    return rollSet;
}
