#include "app/serie_values_form.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/band_header.h"
#include "app/command_guard.h"
#include "app/pasted_rows.h"
#include "app/values_grid.h"
#include "app/values_table_model.h"
#include "model/graph_serie.h"

namespace {

constexpr int kPanelHeight = 41;

QAction* CreateAction(QObject* owner, const char* icon) {
  return new QAction(QIcon(QStringLiteral(":/app/values/%1.svg").arg(QLatin1String(icon))), QString(), owner);
}

}  // namespace

TSerieValuesForm::TSerieValuesForm(QWidget* parent) : QDialog(parent), m_values(new TValuesTableModel(this)) {
  CreateActions();
  CreateLayout();
  resize(599, 478);
  RetranslateUi();
}

TSerieValuesForm::~TSerieValuesForm() = default;

void TSerieValuesForm::CreateActions() {
  m_acCopy = CreateAction(this, "copy");
  m_acPaste = CreateAction(this, "paste");
  m_acNormalize = CreateAction(this, "normalize");
  m_acInvert = CreateAction(this, "invert");
  connect(m_acCopy, &QAction::triggered, this, [this] { app::RunCommand(this, [this] { btnCopyClick(); }); });
  connect(m_acPaste, &QAction::triggered, this, [this] { app::RunCommand(this, [this] { btnPasteClick(); }); });
  connect(m_acNormalize, &QAction::triggered, this, [this] { app::RunCommand(this, [this] { btnNormalizeClick(); }); });
  connect(m_acInvert, &QAction::triggered, this, [this] { app::RunCommand(this, [this] { btnInvertClick(); }); });
}

void TSerieValuesForm::CreateLayout() {
  auto* pnlData = new QWidget(this);
  pnlData->setObjectName(QStringLiteral("pnlData"));
  pnlData->setFixedHeight(kPanelHeight);
  m_label1 = new QLabel(pnlData);
  m_label1->setObjectName(QStringLiteral("Label1"));
  m_edtName = new QLineEdit(pnlData);
  m_edtName->setObjectName(QStringLiteral("edtName"));
  m_label1->setBuddy(m_edtName);
  auto* dataRow = new QHBoxLayout(pnlData);
  dataRow->addWidget(m_label1);
  dataRow->addWidget(m_edtName, 1);

  m_gbData = new QGroupBox(this);
  m_gbData->setObjectName(QStringLiteral("gbData"));
  m_toolBar = new QToolBar(m_gbData);
  m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
  m_toolBar->setIconSize(QSize(16, 16));
  const std::pair<QAction*, const char*> buttons[] = {
      {m_acCopy, "tbbCopy"}, {m_acPaste, "tbbPaste"}, {m_acNormalize, "tbbNormalize"}, {m_acInvert, "tbbInvert"}};
  for (const auto& [action, name] : buttons) {
    m_toolBar->addAction(action);
    m_toolBar->widgetForAction(action)->setObjectName(QLatin1String(name));
  }
  m_tlValues = new TValuesGrid(*m_values, m_gbData);
  m_tlValues->setObjectName(QStringLiteral("tlValues"));
  auto* dataBox = new QVBoxLayout(m_gbData);
  dataBox->addWidget(m_toolBar);
  dataBox->addWidget(m_tlValues, 1);

  auto* pnlButtons = new QWidget(this);
  pnlButtons->setObjectName(QStringLiteral("pnlButtons"));
  pnlButtons->setFixedHeight(kPanelHeight);
  m_btnOk = new QPushButton(pnlButtons);
  m_btnOk->setObjectName(QStringLiteral("btnOk"));
  m_btnCancel = new QPushButton(pnlButtons);
  m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
  // Neither button answers Enter: Enter moves through the grid.
  for (QPushButton* button : {m_btnOk, m_btnCancel}) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttonRow = new QHBoxLayout(pnlButtons);
  buttonRow->addStretch(1);
  buttonRow->addWidget(m_btnOk);
  buttonRow->addWidget(m_btnCancel);

  auto* form = new QVBoxLayout(this);
  form->setContentsMargins(4, 0, 4, 0);
  form->setSpacing(0);
  form->addWidget(pnlData);
  form->addWidget(m_gbData, 1);
  form->addWidget(pnlButtons);
}

void TSerieValuesForm::RetranslateUi() {
  setWindowTitle(tr("Edition d'une série"));
  m_label1->setText(tr("Nom :"));
  m_gbData->setTitle(tr("Données"));
  m_acCopy->setText(tr("Tout copier"));
  m_acPaste->setText(tr("Tout coller"));
  m_acNormalize->setText(tr("Normaliser les données"));
  m_acInvert->setText(tr("Inverser la série"));
  for (QAction* action : {m_acCopy, m_acPaste, m_acNormalize, m_acInvert}) action->setToolTip(action->text());
  m_tlValues->BandHeader().SetBands({tr("Point 1"), tr("Point2")}, 3);
  m_btnOk->setText(tr("Ok"));
  m_btnCancel->setText(tr("Annuler"));
}

void TSerieValuesForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) RetranslateUi();
  QDialog::changeEvent(event);
}

void TSerieValuesForm::keyPressEvent(QKeyEvent* event) {
  // Escape does not close the dialog: typed values would be lost.
  if (event->key() == Qt::Key_Escape) return event->accept();
  QDialog::keyPressEvent(event);
}

bool TSerieValuesForm::Execute(TGraphSerie& serie) {
  {
    app::THourglass hourglass;
    m_edtName->setText(serie.Name());
    m_values->Load(serie);
    m_tlValues->BandHeader().SetBandsVisible(m_values->Columns() == 6);
  }
  m_edtName->setFocus();
  if (exec() != QDialog::Accepted) return false;
  Store(serie);
  return true;
}

void TSerieValuesForm::Store(TGraphSerie& serie) {
  app::THourglass hourglass;
  try {
    m_values->Store(serie, m_edtName->text());
  } catch (...) {
    // Storing never reports: the rows stored so far stay, in one closed batch.
  }
}

void TSerieValuesForm::btnCopyClick() { QGuiApplication::clipboard()->setText(m_values->CopyText()); }

void TSerieValuesForm::btnPasteClick() {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (!mime || !mime->hasText()) return;
  app::THourglass hourglass;
  const QByteArray text = mime->text().toUtf8();
  m_values->Paste(app::ParsePastedRows(std::string_view(text.constData(), size_t(text.size())), m_values->Columns()));
}

void TSerieValuesForm::btnNormalizeClick() {
  app::THourglass hourglass;
  m_values->Normalize();
}

void TSerieValuesForm::btnInvertClick() {
  app::THourglass hourglass;
  m_values->Invert();
}
