#include "i18n/dictionary.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

namespace i18n {

namespace {

QString Suffix(TLanguage language) { return language == lnFrench ? QStringLiteral("fr") : QStringLiteral("en"); }

}  // namespace

QString Lookup(const char* native) { return QCoreApplication::translate(kProgramContext, native); }

TLanguage LanguageForLocale(const QLocale& locale) {
  return locale.language() == QLocale::French ? lnFrench : lnEnglish;
}

TDictionary::~TDictionary() { RemoveTranslators(); }

void TDictionary::SetLanguage(int language) {
  if (language < lnNative || language > lnFrench || language == m_language) return;
  RemoveTranslators();
  m_language = TLanguage(language);
  if (m_language != lnNative) {
    const QString suffix = Suffix(m_language);
    const QString ours = QStringLiteral(":/i18n");
    for (const QString& file : QDir(ours).entryList({QStringLiteral("*_%1.qm").arg(suffix)}, QDir::Files, QDir::Name))
      InstallTranslator(file, ours);
    InstallTranslator(QStringLiteral("qtbase_%1.qm").arg(suffix), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  }
  // Qt posts the windows their LanguageChange events; deliver them now, so
  // that every window shows the new language when this returns.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

void TDictionary::RemoveTranslators() {
  for (const auto& translator : m_translators) QCoreApplication::removeTranslator(translator.get());
  m_translators.clear();
}

void TDictionary::InstallTranslator(const QString& fileName, const QString& directory) {
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(fileName, directory)) return;  // Qt's own may not be installed
  QCoreApplication::installTranslator(translator.get());
  m_translators.push_back(std::move(translator));
}

}  // namespace i18n
