#pragma once

#include <QSize>
#include <QWidget>

class QAbstractButton;
class QLineEdit;
class QPlainTextEdit;
class QComboBox;
class QSpinBox;
class TGraphElement;
namespace app {
class TColorField;
class TDashStyleButtons;
}  // namespace app

// Base of the property editors. An editor works on a live element: it loads
// the element into its controls, tells whether the controls differ from it,
// and writes the controls back when its host applies. Used alone it is a
// dialog window of the design size; CreateEmbedded turns it into a borderless
// panel filling a host widget.
class TEditorForm : public QWidget {
  Q_OBJECT

 public:
  explicit TEditorForm(QWidget* parent = nullptr, QSize designSize = QSize(464, 350));

  // The element being edited; null until one is set.
  virtual TGraphElement* GetElement() const = 0;
  // False when no element is set.
  virtual bool IsModified() const = 0;
  // An element of another class than the editor's is ignored.
  virtual void SetElement(TGraphElement* element) = 0;
  // Makes this editor a borderless child filling `host`, and shows it.
  void CreateEmbedded(QWidget* host);
  // Writes the controls into the element as one change; nothing without an element.
  virtual void ApplyChanges() = 0;
  virtual void LoadFromElement() = 0;

 signals:
  // The user changed a control (never raised while the editor loads).
  void Edited();

 protected:
  // Mutes the editor's change handlers while the element is read into the
  // controls, so that loading never counts as an edit.
  class TLoadingGuard {
   public:
    explicit TLoadingGuard(TEditorForm& editor) : m_editor(editor) { ++m_editor.m_loading; }
    ~TLoadingGuard() { --m_editor.m_loading; }
    TLoadingGuard(const TLoadingGuard&) = delete;
    TLoadingGuard& operator=(const TLoadingGuard&) = delete;

   private:
    TEditorForm& m_editor;
  };

  bool IsLoading() const { return m_loading > 0; }
  void NotifyEdited();
  // Each user change of these controls raises Edited.
  void WatchEdits(QLineEdit* edit);
  void WatchEdits(QPlainTextEdit* edit);
  void WatchEdits(QAbstractButton* button);
  void WatchEdits(QComboBox* comboBox);
  void WatchEdits(QSpinBox* spinBox);
  void WatchEdits(TEditorForm* hosted);
  void WatchEdits(app::TColorField* field);
  void WatchEdits(app::TDashStyleButtons* buttons);

  // Creates a hosted editor filling `panel`; the panel owns it.
  template <class Editor>
  Editor* Host(QWidget* panel) {
    auto* editor = new Editor(panel);
    editor->CreateEmbedded(panel);
    WatchEdits(editor);
    return editor;
  }

  // Sets every visible text; called at the end of each constructor and on a
  // language change.
  virtual void RetranslateUi() = 0;
  void changeEvent(QEvent* event) override;
  // Used alone, the editor opens centred on its screen.
  void showEvent(QShowEvent* event) override;

 private:
  int m_loading = 0;
  bool m_placed = false;
};
