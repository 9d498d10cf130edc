#include "app/diagram_history.h"

#include <QAction>
#include <QWidget>
#include <cassert>

#include "app/command_guard.h"
#include "app/undo_steps.h"

namespace {

// "Annuler : Supprimer la série" with a step, "Annuler" without.
QString ActionText(const TDiagramHistory::TVerb& verb, const QString& step) {
  return step.isEmpty() ? verb.Bare : verb.Prefix + QLatin1Char(' ') + step;
}

}  // namespace

TDiagramHistory::TDiagramHistory() {
  QObject::connect(&m_stack, &QUndoStack::cleanChanged, &m_stack, [this](bool clean) {
    if (OnModifiedChange) OnModifiedChange(!clean);
  });
}

TDiagramHistory::~TDiagramHistory() {
  // The stack empties itself when destroyed and signals it, but what would
  // hear it (the window, this object's verbs) is already being destroyed.
  m_stack.disconnect();
}

void TDiagramHistory::Record(std::unique_ptr<TDiagramStep> step) {
  // QUndoStack::push runs the step's redo, which would carry the change out
  // a second time: the step lets that one redo pass.
  step->m_skipNextRedo = true;
  m_stack.push(step.release());
}

void TDiagramHistory::Clear() { m_stack.clear(); }

void TDiagramHistory::SetClean() { m_stack.setClean(); }

void TDiagramHistory::SetUnsaved() { m_stack.resetClean(); }

void TDiagramHistory::CreateActions(QWidget& owner) {
  assert(!m_undoAction && !m_redoAction);
  const auto make = [this, &owner](const char* name, QKeySequence::StandardKey key, void (QUndoStack::*go)()) {
    auto* action = new QAction(&owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    QObject::connect(action, &QAction::triggered, &owner,
                     [this, &owner, go] { app::RunCommand(&owner, [this, go] { (m_stack.*go)(); }); });
    return action;
  };
  m_undoAction = make("acUndo", QKeySequence::Undo, &QUndoStack::undo);
  m_redoAction = make("acRedo", QKeySequence::Redo, &QUndoStack::redo);
  m_undoAction->setEnabled(m_stack.canUndo());
  m_redoAction->setEnabled(m_stack.canRedo());
  QObject::connect(&m_stack, &QUndoStack::canUndoChanged, m_undoAction, &QAction::setEnabled);
  QObject::connect(&m_stack, &QUndoStack::canRedoChanged, m_redoAction, &QAction::setEnabled);
  QObject::connect(&m_stack, &QUndoStack::undoTextChanged, m_undoAction, [this] { UpdateActionTexts(); });
  QObject::connect(&m_stack, &QUndoStack::redoTextChanged, m_redoAction, [this] { UpdateActionTexts(); });
}

void TDiagramHistory::Retranslate(TVerb undo, TVerb redo) {
  m_undoVerb = std::move(undo);
  m_redoVerb = std::move(redo);
  UpdateActionTexts();
}

void TDiagramHistory::UpdateActionTexts() {
  if (!m_undoAction) return;
  m_undoAction->setText(ActionText(m_undoVerb, m_stack.undoText()));
  m_redoAction->setText(ActionText(m_redoVerb, m_stack.redoText()));
}
