#pragma once

#include <QString>
#include <QUndoStack>
#include <functional>
#include <memory>

class QAction;
class QWidget;
class TDiagramStep;

// The undo history of the document shown in the window. Its rules:
//  1. A command changes the diagram first and records its step after, with
//     Record: the step's first redo, which QUndoStack runs on push, does
//     nothing (see TDiagramStep).
//  2. Every undo and redo is one update batch of the control: the diagram
//     repaints once (TDiagramStep).
//  3. A step is named after the command that made it and follows that
//     command's text, in whatever language (TDiagramStep).
//  4. A new or opened document starts an empty history (Clear).
//  5. The document is modified exactly when the history is away from its
//     clean state; saving makes the present state the clean one (SetClean,
//     OnModifiedChange). A document restored from a copy has no clean state
//     in its history (SetUnsaved).
class TDiagramHistory {
 public:
  TDiagramHistory();
  ~TDiagramHistory();
  TDiagramHistory(const TDiagramHistory&) = delete;
  TDiagramHistory& operator=(const TDiagramHistory&) = delete;

  // Records a change that its command has already carried out.
  void Record(std::unique_ptr<TDiagramStep> step);
  void Clear();
  void SetClean();
  void SetUnsaved();
  // Called with true when the document becomes modified, with false when
  // the history comes back to its clean state.
  std::function<void(bool modified)> OnModifiedChange;

  // The undo and redo commands, "acUndo" and "acRedo", owned by `owner`.
  // Made once; their texts and enabled states follow the history from then on,
  // and an exception from a step is shown in a message box over `owner`.
  void CreateActions(QWidget& owner);
  QAction& UndoAction() const { return *m_undoAction; }
  QAction& RedoAction() const { return *m_redoAction; }

  // The verbs of the two commands in the current language, bare ("Undo")
  // and as the prefix of a step's name ("Undo:").
  struct TVerb {
    QString Bare;
    QString Prefix;
  };
  void Retranslate(TVerb undo, TVerb redo);

  // The stack itself, for walking the history.
  QUndoStack& Stack() { return m_stack; }

 private:
  void UpdateActionTexts();

  QUndoStack m_stack;
  QAction* m_undoAction = nullptr;  // owned by the window given to CreateActions
  QAction* m_redoAction = nullptr;
  TVerb m_undoVerb;
  TVerb m_redoVerb;
};
