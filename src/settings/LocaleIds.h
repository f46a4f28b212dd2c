#pragma once

// Languages are stored as Windows locale ids (2057 is English, United Kingdom), so that
// settings files move between this program and older Windows ones unchanged.

#include <QLocale>

// The program's built-in language: English (United Kingdom).
constexpr int kBuiltInLocaleId = 2057;

// The locale id of a locale among the languages the program knows: the exact language
// and country when listed, else the language's main locale, else the built-in language.
int LocaleIdFor(const QLocale& locale);

// LocaleIdFor(QLocale::system()).
int SystemLocaleId();
