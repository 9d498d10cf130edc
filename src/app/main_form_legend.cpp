// The main window's commands on the legend.
#include "app/main_form.h"
#include "app/undo_steps.h"

void TMainForm::ToggleLegend() {
  TPropertiesStep::TSnapshot before = TPropertiesStep::Take(*GraphControl1);
  {
    TControlUpdateScope scope(*GraphControl1);
    GraphControl1->Legend().SetVisible(!GraphControl1->Legend().Visible());
  }
  miLegend->setChecked(GraphControl1->Legend().Visible());
  m_history.Record(std::make_unique<TPropertiesStep>(*GraphControl1, *miLegend, std::move(before),
                                                     TPropertiesStep::Take(*GraphControl1)));
}
