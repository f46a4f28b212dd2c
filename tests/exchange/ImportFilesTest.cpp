#include "exchange/ExchangeErrors.h"
#include "exchange/ImportFiles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using P = TImportRowProblem;

TImportRow row(std::optional<int32_t> number, const char* file = "f")
{
    return TImportRow{QString::fromLatin1(file), number};
}

}  // namespace

TEST(ExchangeImportRule, EveryRowNeedsANewUniqueRollNumberAboveZero)
{
    const auto inDatabase = [](int32_t number) { return number == 5; };
    const struct
    {
        const char* name;
        QList<TImportRow> rows;
        QList<P> problems;
        bool allowed;
    } cases[] = {
        {"empty list", {}, {}, false},
        {"one good row", {row(3)}, {P::None}, true},
        {"no roll number", {row(std::nullopt), row(3)}, {P::NoValidRollNumber, P::None}, false},
        {"zero and negative", {row(0), row(-1)}, {P::NoValidRollNumber, P::NoValidRollNumber}, false},
        {"duplicates", {row(3), row(4), row(3)}, {P::DuplicateRollNumber, P::None, P::DuplicateRollNumber}, false},
        {"in the database", {row(5), row(6)}, {P::RollNumberInDatabase, P::None}, false},
        {"duplicate wins over database", {row(5), row(5)}, {P::DuplicateRollNumber, P::DuplicateRollNumber}, false},
    };
    for (const auto& c : cases) {
        const QList<P> problems = CheckImportRule(c.rows, inDatabase);
        EXPECT_EQ(problems, c.problems) << c.name;
        EXPECT_EQ(ImportAllowed(problems), c.allowed) << c.name;
    }
    EXPECT_EQ(ImportRowProblemText(P::RollNumberInDatabase), QStringLiteral("roll number already in the database"));
    EXPECT_EQ(ImportRowProblemText(P::DuplicateRollNumber), QStringLiteral("duplicate roll number"));
    EXPECT_EQ(ImportRowProblemText(P::NoValidRollNumber), QStringLiteral("no valid roll number"));
}

TEST(ExchangeImportRule, FilesAreReadInListOrderIntoOneSetOrNotAtAll)
{
    rktest::TempDir dir;
    const QString first = dir.path(QStringLiteral("a.txt"));
    const QString second = dir.path(QStringLiteral("b.txt"));
    const QString unrecognised = dir.path(QStringLiteral("c.txt"));
    rktest::writeFile(first, "100\t\tfirst\r\n\r\n");
    rktest::writeFile(second, "200\t\tsecond\r\n\r\n\r\n");
    rktest::writeFile(unrecognised, "hello\r\n");

    const TRKRollSet set = ReadImportFiles(
        {TImportRow{second, 8}, TImportRow{unrecognised, 9}, TImportRow{first, 4}}, QStringLiteral("Me"));
    ASSERT_EQ(set.Rolls.size(), 2);
    EXPECT_EQ(set.Rolls.at(0).RollNumber, 8);
    EXPECT_EQ(set.Rolls.at(1).RollNumber, 4);
    EXPECT_EQ(set.Rolls.at(1).Photographer, QStringLiteral("Me"));
    EXPECT_EQ(CountFramesOfRoll(set, 8), 2);
    EXPECT_EQ(CountFramesOfRoll(set, 4), 1);

    EXPECT_THROW(ReadImportFiles({TImportRow{first, 4}, TImportRow{dir.path(QStringLiteral("gone.txt")), 5}},
                                 QStringLiteral("Me")),
                 EFileError);
}
