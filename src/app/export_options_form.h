#pragma once

#include <QDialog>

#include "control/picture_size.h"

class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

// What an export asks before a picture is written: its width and height in
// the unit the user chose, and its resolution.
struct TExportOptions {
  control::TPictureSize Picture;
  control::TLengthUnit Unit = control::TLengthUnit::Pixel;
};

// The "Export options" dialog. It starts from the options given and hands
// back what the user set; OK is disabled while a raster picture would have
// more pixels a side than an export may write.
class TExportOptionsForm : public QDialog {
  Q_OBJECT

 public:
  TExportOptionsForm(const TExportOptions& options, bool raster, QWidget* parent = nullptr);

  TExportOptions Options() const;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void RetranslateUi();
  void FillUnits();
  void ShowLengths(const control::TPictureSize& picture, control::TLengthUnit unit);
  void UnitChanged();
  void ShowPixels();
  void LengthTyped();
  control::TLengthUnit Unit() const;

  bool m_raster;
  control::TLengthUnit m_shownUnit;
  // The lengths as set, unrounded: switching units back and forth keeps them.
  QSizeF m_inches;
  QLabel* lblWidth = nullptr;
  QLabel* lblHeight = nullptr;
  QLabel* lblUnit = nullptr;
  QLabel* lblDpi = nullptr;
  QLabel* lblPixels = nullptr;
  QDoubleSpinBox* edtWidth = nullptr;
  QDoubleSpinBox* edtHeight = nullptr;
  QComboBox* cbUnit = nullptr;
  QSpinBox* edtDpi = nullptr;
  QDialogButtonBox* buttons = nullptr;
};
