// The main window's offer of the recovery copies left by an earlier run.
#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "app/command_guard.h"
#include "app/main_form.h"
#include "app/recovery_copy.h"
#include "i18n/dictionary.h"

void TMainForm::OfferRecovery() {
  for (const app::TRecoveryCopy::TFound& found : app::TRecoveryCopy::Find()) {
    const QString document = found.Document.isEmpty() ? i18n::Lookup(QT_TRANSLATE_NOOP("Program", "unnamed file"))
                                                      : QDir::toNativeSeparators(found.Document);
    QMessageBox offer(QMessageBox::Question, i18n::Lookup(QT_TRANSLATE_NOOP("Program", "Diagramme Varenta")),
                      tr("Une copie de secours de « %1 », enregistrée le %2, contient des modifications qui n'ont "
                         "pas été enregistrées.\nVoulez-vous la restaurer ?")
                          .arg(document, QLocale().toString(found.Written, QLocale::ShortFormat)),
                      QMessageBox::NoButton, this);
    offer.setObjectName(QStringLiteral("RecoveryBox"));
    const auto button = [&offer](const char* name, const QString& text, QMessageBox::ButtonRole role) {
      QPushButton* created = offer.addButton(text, role);
      created->setObjectName(QString::fromLatin1(name));
      return created;
    };
    QPushButton* restore = button("btnRestore", tr("Restaurer"), QMessageBox::AcceptRole);
    QPushButton* discard = button("btnDiscard", tr("Supprimer"), QMessageBox::DestructiveRole);
    QPushButton* later = button("btnLater", tr("Plus tard"), QMessageBox::RejectRole);
    offer.setDefaultButton(restore);
    offer.setEscapeButton(later);
    offer.exec();
    if (offer.clickedButton() == discard) app::TRecoveryCopy::Discard(found);
    if (offer.clickedButton() != restore) continue;
    // The copy loads under its document's name, modified, so that Save
    // writes the document itself and then removes the copy.
    app::RunCommand(this, [this, &found] {
      if (!MaybeSave()) return;
      if (!LoadDocument(found.CopyPath)) return;
      SetFileName(found.Document);
      m_recovery->Adopt(found);
      m_history.SetUnsaved();
    });
    return;
  }
}
