#pragma once

// The stored layout of a list's columns: for each column its caption, alignment letter
// and width, each field followed by ";", e.g. "Roll;L;45;Photographer;L;76;".
// Pure functions on values; the list widget copies its columns in and out.

#include <QList>
#include <QString>
#include <Qt>

struct TListColumn
{
    QString caption;
    Qt::Alignment alignment = Qt::AlignLeft;
    int width = 50;
};

// The window system's automatic widths: fit the contents, fit the header.
constexpr int kColumnWidthFitContents = -1;
constexpr int kColumnWidthFitHeader = -2;

// Captions lose every ";" (and line break). Alignment letters: L left, R right, C centred,
// U any other horizontal alignment.
QString EncodeColumnLayout(const QList<TListColumn>& columns);

// Applies a stored layout to the designed columns, in order, as far as both go. A column
// whose caption, alignment or width field is empty ends the layout there (what was set
// for that column before stays). A width that is not an integer, or below the automatic
// widths, keeps the designed width. Fields beyond the list's columns are ignored, and
// columns beyond the stored ones keep their design.
void ApplyColumnLayout(const QString& value, QList<TListColumn>& columns);
