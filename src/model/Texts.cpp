#include "model/Texts.h"

#include <QCoreApplication>

QString RKText(const char* sourceText)
{
    return QCoreApplication::translate("Rollkeeper", sourceText);
}
