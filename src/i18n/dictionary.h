#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>
#include <memory>
#include <vector>

namespace i18n {

// The language numbers of the language menu: 0 shows the texts as the windows
// were designed (the main window in French, the property editors in English).
enum TLanguage : int { lnNative = 0, lnEnglish = 1, lnFrench = 2 };

// The translation context of the texts that the program builds at run time
// (type names, series names, the caption, the manual's name, ...). Mark them
// for lupdate with QT_TRANSLATE_NOOP("Program", "...").
inline constexpr char kProgramContext[] = "Program";

// The current language's text for a native text that the program builds; the
// native text itself when no language is active or none translates it.
QString Lookup(const char* native);

// The language a user of this locale starts with: French for a French
// locale, English otherwise.
TLanguage LanguageForLocale(const QLocale& locale);

// Installs the translators of one language into the application: the
// program's embedded dictionaries and Qt's own, so that Qt's dialogs follow.
// Qt then sends QEvent::LanguageChange to every window, which retranslates
// itself. The dictionary removes its translators when it is destroyed.
class TDictionary {
 public:
  TDictionary() = default;
  ~TDictionary();
  TDictionary(const TDictionary&) = delete;
  TDictionary& operator=(const TDictionary&) = delete;

  TLanguage Language() const { return m_language; }
  // A number outside 0 to 2 is ignored.
  void SetLanguage(int language);

 private:
  void RemoveTranslators();
  void InstallTranslator(const QString& fileName, const QString& directory);

  TLanguage m_language = lnNative;
  std::vector<std::unique_ptr<QTranslator>> m_translators;
};

}  // namespace i18n
