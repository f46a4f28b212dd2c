#include "LocaleIds.h"

#include <iterator>

namespace {

struct LocaleIdEntry
{
    QLocale::Language language;
    QLocale::Territory territory;
    int id;
};

// The first entry of each language is its main locale.
constexpr LocaleIdEntry kLocaleIds[] = {
    {QLocale::English, QLocale::UnitedKingdom, 2057},
    {QLocale::English, QLocale::UnitedStates, 1033},
    {QLocale::English, QLocale::Australia, 3081},
    {QLocale::English, QLocale::Canada, 4105},
    {QLocale::German, QLocale::Germany, 1031},
    {QLocale::German, QLocale::Switzerland, 2055},
    {QLocale::German, QLocale::Austria, 3079},
    {QLocale::French, QLocale::France, 1036},
    {QLocale::French, QLocale::Belgium, 2060},
    {QLocale::French, QLocale::Canada, 3084},
    {QLocale::French, QLocale::Switzerland, 4108},
    {QLocale::Dutch, QLocale::Netherlands, 1043},
    {QLocale::Dutch, QLocale::Belgium, 2067},
    {QLocale::Italian, QLocale::Italy, 1040},
    {QLocale::Spanish, QLocale::Spain, 3082},
    {QLocale::Spanish, QLocale::Mexico, 2058},
    {QLocale::Portuguese, QLocale::Portugal, 2070},
    {QLocale::Portuguese, QLocale::Brazil, 1046},
    {QLocale::Swedish, QLocale::Sweden, 1053},
    {QLocale::Danish, QLocale::Denmark, 1030},
    {QLocale::NorwegianBokmal, QLocale::Norway, 1044},
    {QLocale::Finnish, QLocale::Finland, 1035},
    {QLocale::Polish, QLocale::Poland, 1045},
    {QLocale::Czech, QLocale::Czechia, 1029},
    {QLocale::Hungarian, QLocale::Hungary, 1038},
    {QLocale::Russian, QLocale::Russia, 1049},
    {QLocale::Japanese, QLocale::Japan, 1041},
};

}  // namespace

int LocaleIdFor(const QLocale& locale)
{
    for (const LocaleIdEntry& entry : kLocaleIds) {
        if (entry.language == locale.language() && entry.territory == locale.territory())
            return entry.id;
    }
    for (const LocaleIdEntry& entry : kLocaleIds) {
        if (entry.language == locale.language())
            return entry.id;
    }
    return kBuiltInLocaleId;
}

int SystemLocaleId()
{
    return LocaleIdFor(QLocale::system());
}
