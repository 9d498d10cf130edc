#pragma once

#include <QDialog>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;
class TGraphSerie;
class TValuesGrid;
class TValuesTableModel;

// The modal dialog in which the user names a series and types, pastes,
// normalises or reverses its values. Nothing reaches the series before Ok.
class TSerieValuesForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSerieValuesForm(QWidget* parent = nullptr);
  ~TSerieValuesForm() override;

  // Shows the series' name and values modally; on Ok stores them in one
  // change of the series and returns true. Cancel and the close box leave
  // the series as it was.
  bool Execute(TGraphSerie& serie);

 protected:
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateActions();
  void CreateLayout();
  void RetranslateUi();
  void Store(TGraphSerie& serie);

  void btnCopyClick();
  void btnPasteClick();
  void btnNormalizeClick();
  void btnInvertClick();

  TValuesTableModel* m_values;  // owned by the dialog, like the widgets below
  QAction* m_acCopy = nullptr;
  QAction* m_acPaste = nullptr;
  QAction* m_acNormalize = nullptr;
  QAction* m_acInvert = nullptr;
  QLabel* m_label1 = nullptr;
  QLineEdit* m_edtName = nullptr;
  QGroupBox* m_gbData = nullptr;
  QToolBar* m_toolBar = nullptr;
  TValuesGrid* m_tlValues = nullptr;
  QPushButton* m_btnOk = nullptr;
  QPushButton* m_btnCancel = nullptr;
};
