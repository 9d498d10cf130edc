#pragma once

#include "app/editors/editor_form.h"
#include "model/annotation_list.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class TFontEditorForm;

// Edits the free texts of a graph: a list of them, with add and delete, and
// the text, position, font, alignment and angle of the one selected. The
// editor works on a copy of the list, written back as a whole on apply, so
// that texts added or deleted in the dialog reach the graph only then.
class TAnnotationsEditorForm : public TEditorForm {
  Q_OBJECT

 public:
  explicit TAnnotationsEditorForm(QWidget* parent = nullptr);

  TGraphElement* GetElement() const override;
  void SetElement(TGraphElement* element) override;

 protected:
  void RetranslateUi() override;

 private:
  void BuildLayout();
  // The copy of the list as it stands in the controls.
  const TAnnotationList& EditedCopy();
  void FillList(int selected);
  void ShowCurrent();
  void StoreCurrent();
  void AddClick();
  void DeleteClick();

  TAnnotationList* m_annotations = nullptr;
  TAnnotationList m_copy;
  int m_current = -1;  // the row of m_copy shown in the fields
  QListWidget* m_lbxTexts;
  QPushButton* m_btnAdd;
  QPushButton* m_btnDelete;
  QLabel* m_lblText;
  QPlainTextEdit* m_memText;
  QLabel* m_lblPosition;
  QLineEdit* m_edtPosition[3];
  QLabel* m_lblAlignment;
  QComboBox* m_cbxAlignment;
  QLabel* m_lblAngle;
  QLineEdit* m_edtAngle;
  QGroupBox* m_gbFont;
  TFontEditorForm* m_fontEditor;
};
