#include "app/export_options_form.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include "app/command_line.h"

namespace {

using control::TLength;
using control::TLengthUnit;

constexpr TLengthUnit kUnits[] = {TLengthUnit::Pixel, TLengthUnit::Millimetre, TLengthUnit::Centimetre,
                                  TLengthUnit::Inch};

// Whole pixels; tenths of a millimetre; hundredths of a centimetre or inch.
int DecimalsOf(TLengthUnit unit) {
  switch (unit) {
    case TLengthUnit::Pixel:
      return 0;
    case TLengthUnit::Millimetre:
      return 1;
    case TLengthUnit::Centimetre:
    case TLengthUnit::Inch:
      return 2;
  }
  return 2;
}

QDoubleSpinBox* LengthBox(QWidget* parent, const char* name) {
  auto* box = new QDoubleSpinBox(parent);
  box->setObjectName(QLatin1String(name));
  box->setAccelerated(true);
  return box;
}

}  // namespace

TExportOptionsForm::TExportOptionsForm(const TExportOptions& options, bool raster, QWidget* parent)
    : QDialog(parent), m_raster(raster), m_shownUnit(options.Unit), m_inches(options.Picture.Inches) {
  setObjectName(QStringLiteral("ExportOptionsForm"));
  edtWidth = LengthBox(this, "edtWidth");
  edtHeight = LengthBox(this, "edtHeight");
  cbUnit = new QComboBox(this);
  cbUnit->setObjectName(QStringLiteral("cbUnit"));
  for (size_t i = 0; i < std::size(kUnits); ++i) cbUnit->addItem(QString());  // named by RetranslateUi
  edtDpi = new QSpinBox(this);
  edtDpi->setObjectName(QStringLiteral("edtDpi"));
  edtDpi->setRange(int(control::kMinimumDpi), int(control::kMaximumDpi));
  edtDpi->setValue(int(std::lround(options.Picture.Dpi)));
  lblPixels = new QLabel(this);
  lblPixels->setObjectName(QStringLiteral("lblPixels"));
  buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("buttons"));

  auto* layout = new QFormLayout(this);
  lblWidth = new QLabel(this);
  lblHeight = new QLabel(this);
  lblUnit = new QLabel(this);
  lblDpi = new QLabel(this);
  layout->addRow(lblWidth, edtWidth);
  layout->addRow(lblHeight, edtHeight);
  layout->addRow(lblUnit, cbUnit);
  layout->addRow(lblDpi, edtDpi);
  layout->addRow(lblPixels);
  layout->addRow(buttons);

  RetranslateUi();
  cbUnit->setCurrentIndex(int(options.Unit));
  ShowLengths(options.Picture, options.Unit);
  ShowPixels();

  connect(cbUnit, &QComboBox::currentIndexChanged, this, [this] { UnitChanged(); });
  for (QDoubleSpinBox* box : {edtWidth, edtHeight})
    connect(box, &QDoubleSpinBox::valueChanged, this, [this] { LengthTyped(); });
  connect(edtDpi, &QSpinBox::valueChanged, this, [this] { ShowPixels(); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TLengthUnit TExportOptionsForm::Unit() const { return kUnits[std::clamp(cbUnit->currentIndex(), 0, 3)]; }

TExportOptions TExportOptionsForm::Options() const {
  const TLength width{m_inches.width(), TLengthUnit::Inch};
  const TLength height{m_inches.height(), TLengthUnit::Inch};
  control::TPictureSize picture = control::TPictureSize::Of(width, height, edtDpi->value());
  picture.Physical = Unit() != TLengthUnit::Pixel;
  return {picture, Unit()};
}

void TExportOptionsForm::LengthTyped() {
  m_inches =
      QSizeF(TLength{edtWidth->value(), m_shownUnit}.Inches(), TLength{edtHeight->value(), m_shownUnit}.Inches());
  ShowPixels();
}

void TExportOptionsForm::ShowLengths(const control::TPictureSize& picture, TLengthUnit unit) {
  // The range is that of the command line's --size, in the unit shown.
  const double largest = control::LengthIn(TLength{double(app::kMaxExportSide), TLengthUnit::Pixel}, unit);
  const int decimals = DecimalsOf(unit);
  const double inches[] = {picture.Inches.width(), picture.Inches.height()};
  QDoubleSpinBox* boxes[] = {edtWidth, edtHeight};
  for (int i = 0; i < 2; ++i) {
    const QSignalBlocker quiet(boxes[i]);
    boxes[i]->setDecimals(decimals);
    boxes[i]->setRange(std::pow(10.0, -decimals), largest);
    boxes[i]->setSingleStep(unit == TLengthUnit::Pixel ? 10 : 1);
    boxes[i]->setValue(control::LengthIn(TLength{inches[i], TLengthUnit::Inch}, unit));
  }
  m_shownUnit = unit;
}

void TExportOptionsForm::UnitChanged() {
  ShowLengths(Options().Picture, Unit());
  ShowPixels();
}

void TExportOptionsForm::ShowPixels() {
  const control::TPictureSize picture = Options().Picture;
  const QSize pixels = picture.Pixels();
  const QSize layout = picture.Layout();
  const bool fits = layout.width() <= app::kMaxExportSide && layout.height() <= app::kMaxExportSide &&
                    (!m_raster || (pixels.width() <= app::kMaxExportSide && pixels.height() <= app::kMaxExportSide));
  const QLocale locale;
  lblPixels->setText(
      fits ? tr("Image de %1 × %2 pixels").arg(locale.toString(pixels.width()), locale.toString(pixels.height()))
           : tr("Trop grande : %1 pixels au plus par côté").arg(locale.toString(app::kMaxExportSide)));
  buttons->button(QDialogButtonBox::Ok)->setEnabled(fits);
}

void TExportOptionsForm::FillUnits() {
  const QString names[] = {tr("pixels"), tr("mm"), tr("cm"), tr("pouces")};
  static_assert(std::size(names) == std::size(kUnits));
  for (int i = 0; i < int(std::size(names)); ++i) cbUnit->setItemText(i, names[i]);
}

void TExportOptionsForm::RetranslateUi() {
  setWindowTitle(tr("Options d'exportation"));
  lblWidth->setText(tr("&Largeur :"));
  lblHeight->setText(tr("&Hauteur :"));
  lblUnit->setText(tr("&Unité :"));
  lblDpi->setText(tr("&Résolution (ppp) :"));
  lblWidth->setBuddy(edtWidth);
  lblHeight->setBuddy(edtHeight);
  lblUnit->setBuddy(cbUnit);
  lblDpi->setBuddy(edtDpi);
  buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(tr("Annuler"));
  FillUnits();
}

void TExportOptionsForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    RetranslateUi();
    ShowPixels();
  }
  QDialog::changeEvent(event);
}
