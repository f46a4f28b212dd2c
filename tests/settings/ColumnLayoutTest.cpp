#include "settings/ColumnLayout.h"

#include "QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

// How a column shows in expectations: "Caption/L/45".
QString describe(const QList<TListColumn>& columns)
{
    QStringList parts;
    for (const TListColumn& column : columns) {
        const Qt::Alignment horizontal = column.alignment & Qt::AlignHorizontal_Mask;
        const char* letter = horizontal == Qt::AlignRight     ? "R"
                             : horizontal == Qt::AlignHCenter ? "C"
                                                              : "L";
        parts.append(QStringLiteral("%1/%2/%3").arg(column.caption, QLatin1String(letter)).arg(column.width));
    }
    return parts.join(QLatin1Char(' '));
}

QList<TListColumn> designedRollColumns()
{
    return {{QStringLiteral("Roll"), Qt::AlignLeft, 45},
            {QStringLiteral("Photographer"), Qt::AlignLeft, 76},
            {QStringLiteral("Date"), Qt::AlignRight, 60}};
}

TEST(ColumnLayout, AppliesStoredFieldsUntilOneIsMissing)
{
    const struct
    {
        const char* stored;
        const char* expected;
    } cases[] = {
        {"", "Roll/L/45 Photographer/L/76 Date/R/60"},
        {"A;C;100;B;R;-1;C;L;-2;", "A/C/100 B/R/-1 C/L/-2"},
        // cut short after the first column's alignment
        {"A;C;", "A/C/45 Photographer/L/76 Date/R/60"},
        {"A;C", "A/L/45 Photographer/L/76 Date/R/60"},
        {"A;C;;B;R;5;", "A/C/45 Photographer/L/76 Date/R/60"},
        {";L;10;B;R;5;", "Roll/L/45 Photographer/L/76 Date/R/60"},
        // fewer columns stored than the list has
        {"A;R;10;", "A/R/10 Photographer/L/76 Date/R/60"},
        // more stored than the list has
        {"A;R;1;B;R;2;C;C;3;D;C;4;", "A/R/1 B/R/2 C/C/3"},
        // a bad width keeps the designed one and the next column is still read
        {"A;R;wide;B;C;-3;C;x;0;", "A/R/45 B/C/76 C/L/0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        QList<TListColumn> columns = designedRollColumns();
        ApplyColumnLayout(QString::fromUtf8(c.stored), columns);
        EXPECT_EQ(describe(columns), QString::fromUtf8(c.expected));
    }
}

TEST(ColumnLayout, EncodesEachColumnAsThreeFields)
{
    const QList<TListColumn> columns{
        {QStringLiteral("Roll"), Qt::AlignLeft | Qt::AlignVCenter, 45},
        {QStringLiteral("f/;stop"), Qt::AlignRight, -1},
        {QStringLiteral("Lens"), Qt::AlignHCenter, 120},
        {QStringLiteral("Notes"), Qt::AlignJustify, 200},
    };
    const QString encoded = EncodeColumnLayout(columns);
    EXPECT_EQ(encoded, QStringLiteral("Roll;L;45;f/stop;R;-1;Lens;C;120;Notes;U;200;"));

    QList<TListColumn> readBack(4);
    ApplyColumnLayout(encoded, readBack);
    EXPECT_EQ(describe(readBack), QStringLiteral("Roll/L/45 f/stop/R/-1 Lens/C/120 Notes/L/200"));
}

}  // namespace
