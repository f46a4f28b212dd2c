#include "settings/LocaleIds.h"

#include <gtest/gtest.h>

namespace {

TEST(LocaleIds, ExactLocaleThenLanguageThenBuiltIn)
{
    const struct
    {
        QLocale locale;
        int id;
    } cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedKingdom), 2057},
        {QLocale(QLocale::English, QLocale::UnitedStates), 1033},
        {QLocale(QLocale::German, QLocale::Austria), 3079},
        {QLocale(QLocale::German, QLocale::Luxembourg), 1031},
        {QLocale(QLocale::English, QLocale::India), 2057},
        {QLocale(QLocale::Swahili, QLocale::Kenya), 2057},
        {QLocale::c(), 2057},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        EXPECT_EQ(LocaleIdFor(c.locale), c.id);
    }
}

}  // namespace
