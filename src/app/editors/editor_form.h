#pragma once

#include <QSize>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

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
// and writes the controls back when its host applies. Each control is bound
// once (Bind and its typed forms) with those three steps, and the base runs
// them over all the bindings. Used alone an editor is a dialog window of the
// design size; CreateEmbedded turns it into a borderless panel filling a host
// widget.
class TEditorForm : public QWidget {
  Q_OBJECT

 public:
  explicit TEditorForm(QWidget* parent = nullptr, QSize designSize = QSize(464, 350));

  // The element being edited; null until one is set.
  virtual TGraphElement* GetElement() const = 0;
  // An element of another class than the editor's is ignored.
  virtual void SetElement(TGraphElement* element) = 0;
  // Makes this editor a borderless child filling `host`, and shows it.
  void CreateEmbedded(QWidget* host);
  // False when no element is set.
  bool IsModified() const;
  // Writes the controls into the element as one change; nothing without an element.
  void ApplyChanges();
  // Shows the element in the controls; raises no Edited.
  void LoadFromElement();

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

  // One field of an editor: how it shows the element, whether it differs
  // from the element, and how it writes the element. The steps run only
  // while an element is set.
  struct TFieldBinding {
    std::function<void()> Load;
    std::function<bool()> Differs;
    std::function<void()> Apply;
  };
  // How a typed text is compared with the text of the element's value.
  enum class TCompareText { Trimmed, AsTyped };

  // Fields are loaded, compared and applied in the order they are bound.
  void Bind(TFieldBinding binding);
  // The same, and each user change of `control` raises Edited.
  template <class Control>
  void Bind(Control* control, TFieldBinding binding) {
    WatchEdits(control);
    Bind(std::move(binding));
  }
  // A text: `shown` gives the element's value as text, `apply` takes the typed text.
  void BindText(QLineEdit* edit, std::function<QString()> shown, std::function<void(const QString&)> apply,
                TCompareText compare = TCompareText::Trimmed);
  // A whole number; `apply` gets only a text that reads as one.
  void BindWhole(QLineEdit* edit, std::function<int64_t()> value, std::function<void(int32_t)> apply,
                 TCompareText compare = TCompareText::Trimmed);
  // A line width in pixels, shown in its shortest form; `apply` gets only a
  // text that reads as a number, and no less than one pixel.
  void BindLineWidth(QLineEdit* edit, std::function<float()> value, std::function<void(float)> apply);
  void BindCheck(QAbstractButton* box, std::function<bool()> value, std::function<void(bool)> apply);
  void BindColor(app::TColorField* field, std::function<uint32_t()> value, std::function<void(uint32_t)> apply);
  // `apply` is not called while no button is selected.
  void BindDashStyle(app::TDashStyleButtons* buttons, std::function<int32_t()> value,
                     std::function<void(int32_t)> apply);

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

  // Creates a hosted editor filling `panel`; the panel owns it. It is bound
  // as a field: loaded, compared and applied with this editor. Its host
  // gives it its element.
  template <class Editor>
  Editor* Host(QWidget* panel) {
    auto* editor = new Editor(panel);
    editor->CreateEmbedded(panel);
    BindHosted(editor);
    return editor;
  }

  // Sets every visible text; called at the end of each constructor and on a
  // language change.
  virtual void RetranslateUi() = 0;
  void changeEvent(QEvent* event) override;
  // Used alone, the editor opens centred on its screen.
  void showEvent(QShowEvent* event) override;

 private:
  void BindHosted(TEditorForm* hosted);

  std::vector<TFieldBinding> m_bindings;
  int m_loading = 0;
  bool m_placed = false;
};
