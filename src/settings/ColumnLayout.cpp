#include "ColumnLayout.h"

namespace {

QChar alignmentLetter(Qt::Alignment alignment)
{
    switch (alignment & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute) {
    case 0:  // no horizontal flag: Qt draws such a column left aligned
    case Qt::AlignLeft:
        return u'L';
    case Qt::AlignRight:
        return u'R';
    case Qt::AlignHCenter:
        return u'C';
    default:
        return u'U';
    }
}

Qt::Alignment horizontalAlignment(QChar letter)
{
    if (letter == u'C')
        return Qt::AlignHCenter;
    if (letter == u'R')
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

}  // namespace

QString EncodeColumnLayout(const QList<TListColumn>& columns)
{
    QString value;
    for (const TListColumn& column : columns) {
        QString caption = column.caption;
        caption.remove(u';').remove(u'\r').remove(u'\n');
        value += caption + u';' + alignmentLetter(column.alignment) + u';'
            + QString::number(column.width) + u';';
    }
    return value;
}

void ApplyColumnLayout(const QString& value, QList<TListColumn>& columns)
{
    QString rest = value;
    // Cuts the text up to the next ";" and the ";" itself; without a ";" the field is empty.
    const auto cutField = [&rest]() -> QString {
        const qsizetype end = rest.indexOf(u';');
        if (end < 0)
            return {};
        const QString field = rest.left(end);
        rest.remove(0, end + 1);
        return field;
    };

    for (TListColumn& column : columns) {
        const QString caption = cutField();
        if (caption.isEmpty())
            return;
        column.caption = caption;

        const QString alignment = cutField();
        if (alignment.isEmpty())
            return;
        column.alignment = (column.alignment & ~Qt::AlignHorizontal_Mask)
            | horizontalAlignment(alignment.at(0));

        const QString widthText = cutField();
        if (widthText.isEmpty())
            return;
        bool isNumber = false;
        const int width = widthText.toInt(&isNumber);
        if (isNumber && width >= kColumnWidthFitHeader)
            column.width = width;
    }
}
