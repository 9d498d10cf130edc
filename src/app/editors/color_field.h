#pragma once

#include <QFrame>
#include <QWidget>
#include <cstdint>

class QPushButton;

namespace app {

// A colour shown over a checkerboard, so that translucency is visible.
class TColorSwatch : public QFrame {
 public:
  explicit TColorSwatch(QWidget* parent = nullptr);
  uint32_t Argb() const { return m_argb; }
  void SetArgb(uint32_t argb);
  // When false the colour is painted opaque: its alpha means nothing there.
  void SetShowsAlpha(bool showsAlpha);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  uint32_t m_argb = 0xFF000000;
  bool m_showsAlpha = true;
};

// A colour field: the swatch and a "..." button that opens the colour dialog
// preset with the swatch's colour. The ARGB value is kept as it is, alpha
// included, unless the user picks another colour.
class TColorField : public QWidget {
  Q_OBJECT

 public:
  TColorField(const QString& swatchName, const QString& buttonName, QWidget* parent = nullptr);

  uint32_t Argb() const { return m_swatch->Argb(); }
  // Shows a colour; raises no Changed.
  void SetArgb(uint32_t argb) { m_swatch->SetArgb(argb); }
  // Without alpha the dialog offers none and a picked colour keeps the
  // field's alpha byte.
  void SetAlphaEditable(bool editable);

 signals:
  void Changed();

 private:
  void Browse();

  TColorSwatch* m_swatch;
  QPushButton* m_button;
  bool m_alphaEditable = true;
};

}  // namespace app
