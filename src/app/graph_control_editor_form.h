#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

class QPushButton;
class QSplitter;
class QTreeWidgetItem;
class TEditorForm;
class TGraphControl;
class TGraphElement;
namespace app {
class TDragOrderTree;
}

// The graph properties dialog: a tree of the parts of a diagram that have
// visual properties (header, footer, the three axes, every series) and, on
// the right, the property editor of the selected entry. Edits wait in the
// editors until Apply or Ok; dragging series entries in the tree changes the
// drawing order at the next Apply.
class TGraphControlEditorForm : public QDialog {
  Q_OBJECT

 public:
  explicit TGraphControlEditorForm(TGraphControl& control, QWidget* parent = nullptr);
  ~TGraphControlEditorForm() override;

  TGraphControl* GetElement() const { return m_editedControl; }
  // Nothing when it is the control already edited; otherwise forgets every
  // editor and rebuilds the tree.
  void SetGraphControl(TGraphControl& control);
  // Shows the dialog modally; true when it was closed with Ok.
  bool Execute();
  // Shows the dialog as a borderless panel filling `host`, without its buttons.
  void CreateEmbedded(QWidget* host);

  // True once a series was moved, or when an opened editor differs from its element.
  bool IsModified() const;
  // Writes every modified editor, then the series names and order, as one
  // change of the control.
  void ApplyChanges();
  // Builds the tree and selects the header.
  void LoadFromElement();

  // Called around every apply (Apply and Ok), so that its owner can record
  // what the apply changed.
  std::function<void()> OnBeforeApply;
  std::function<void()> OnAfterApply;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void RetranslateUi();
  void AddEntry(TGraphElement& element, int fixedEntry, const QString& text);
  void ItemsChange(QTreeWidgetItem* current);
  TEditorForm* FindEditor(const TGraphElement* element) const;
  TEditorForm* CreateEditor(TGraphElement* element);
  void DestroyEditors();
  void ApplySeriesNamesAndOrder();
  void UpdateApplyButton();
  void ApplyClick();
  void OkClick();

  TGraphControl* m_editedControl = nullptr;
  // In creation order.
  std::vector<std::unique_ptr<TEditorForm>> m_editors;
  TEditorForm* m_currentEditor = nullptr;
  bool m_orderChanged = false;

  QSplitter* m_splitter1;
  app::TDragOrderTree* m_tvItems;
  QWidget* m_pnlData;
  QWidget* m_pnlButtons;
  QPushButton* m_btnOk;
  QPushButton* m_btnApply;
  QPushButton* m_btnCancel;
};
