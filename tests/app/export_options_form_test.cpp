#include "app/export_options_form.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>

namespace {

struct TUnitCase {
  int UnitIndex;
  double Width;  // 800 pixels at 96 dpi in that unit, as shown
};

}  // namespace

TEST(ExportOptionsForm, ChangingTheUnitShowsTheSameLengthsAndTheRasterLimitDisablesOk) {
  TExportOptionsForm form({control::TPictureSize::OfLayout(QSize(800, 600))}, true);
  auto* unit = form.findChild<QComboBox*>(QStringLiteral("cbUnit"));
  auto* width = form.findChild<QDoubleSpinBox*>(QStringLiteral("edtWidth"));
  for (const TUnitCase& c : {TUnitCase{3, 8.33}, {1, 211.7}, {2, 21.17}, {0, 800}}) {
    unit->setCurrentIndex(c.UnitIndex);
    EXPECT_DOUBLE_EQ(width->value(), c.Width) << c.UnitIndex;
  }
  EXPECT_EQ(form.Options().Picture, control::TPictureSize::OfLayout(QSize(800, 600)));

  auto* ok = form.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
  auto* pixels = form.findChild<QLabel*>(QStringLiteral("lblPixels"));
  form.findChild<QSpinBox*>(QStringLiteral("edtDpi"))->setValue(300);
  EXPECT_TRUE(ok->isEnabled());
  EXPECT_TRUE(pixels->text().contains(QLocale().toString(2500))) << pixels->text().toStdString();
  form.findChild<QSpinBox*>(QStringLiteral("edtDpi"))->setValue(2400);  // 20,000 pixels wide
  EXPECT_FALSE(ok->isEnabled());
}
