#include "i18n/dictionary.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace {

struct TCase {
  int Language;
  const char* Native;
  const char* Expected;
};

TEST(Dictionary, LookupFollowsTheLanguageAndKeepsUntranslatedTexts) {
  const TCase cases[] = {
      {i18n::lnNative, "Diagramme Varenta", "Diagramme Varenta"},
      {i18n::lnEnglish, "Diagramme Varenta", "Varenta diagram"},
      {i18n::lnFrench, "unnamed file", "Fichier sans nom"},
      {i18n::lnFrench, "Diagramme Varenta", "Diagramme Varenta"},
      {i18n::lnEnglish, "a text no dictionary holds", "a text no dictionary holds"},
      {i18n::lnNative, "unnamed file", "unnamed file"},
  };
  i18n::TDictionary dictionary;
  for (const TCase& c : cases) {
    dictionary.SetLanguage(c.Language);
    EXPECT_EQ(i18n::Lookup(c.Native).toStdString(), c.Expected) << c.Language << " " << c.Native;
  }
}

TEST(Dictionary, IgnoresUnknownLanguagesAndRemovesItsTranslatorsWhenDestroyed) {
  {
    i18n::TDictionary dictionary;
    dictionary.SetLanguage(i18n::lnFrench);
    dictionary.SetLanguage(3);
    dictionary.SetLanguage(-1);
    EXPECT_EQ(dictionary.Language(), i18n::lnFrench);
  }
  EXPECT_EQ(i18n::Lookup("unnamed file"), QStringLiteral("unnamed file"));
}

TEST(Dictionary, StartsInFrenchOnlyForAFrenchLocale) {
  EXPECT_EQ(i18n::LanguageForLocale(QLocale(QLocale::French, QLocale::Canada)), i18n::lnFrench);
  EXPECT_EQ(i18n::LanguageForLocale(QLocale(QLocale::French, QLocale::France)), i18n::lnFrench);
  EXPECT_EQ(i18n::LanguageForLocale(QLocale(QLocale::German)), i18n::lnEnglish);
  EXPECT_EQ(i18n::LanguageForLocale(QLocale::c()), i18n::lnEnglish);
}

}  // namespace
