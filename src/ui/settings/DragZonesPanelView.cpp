// Rows of the Drag Zones panel over its model.
#include "ui/settings/DragZonesPanelView.h"

#include "ui/settings/DragZonePreviewView.h"

namespace dovrik::ui {

DragZonesPanelView::DragZonesPanelView(DragZonesPanelModel& model, Context context, QWidget* parent)
    : SettingsPage(std::move(context), parent), model_(model) {
  watch(model_.changed);
  rebuild();
}

void DragZonesPanelView::build() {
  DragZonesPanelModel& m = model_;
  DragZoneManager& zones = m.zones();
  if (const auto notice = m.dragsNotFollowedNotice()) {
    addHeader(DragZonesPanelModel::symbol, DragZonesPanelModel::title);
    addNote(*notice);
    return;
  }
  addHeader(DragZonesPanelModel::symbol, DragZonesPanelModel::title,
            button(DragZonesPanelModel::resetTitle, [&m] { m.requestReset(); }));
  if (const auto confirmation = m.resetConfirmation())
    addConfirmation(
        *confirmation, [&m] { m.confirmReset(); }, [&m] { m.cancelReset(); });
  if (const auto warning = m.edgeTilingWarning())
    addWarning(*warning);

  addSection(DragZonesPanelModel::featuresSection);
  SettingsCard* features = addCard();
  features->addRow(row("arrow.left.and.right.square", "Edge Snapping", {},
                       {toggle("Edge Snapping", zones.edgeSnappingEnabled(),
                               [&zones](bool on) { zones.setEdgeSnappingEnabled(on); })}));
  features->addRow(row("arrow.up.left.and.down.right.and.arrow.up.right.and.down.left",
                       "Corner Snapping", {},
                       {toggle("Corner Snapping", zones.cornerSnappingEnabled(),
                               [&zones](bool on) { zones.setCornerSnappingEnabled(on); })}));
  features->addRow(row("hand.draw", "Drag Snapping", {},
                       {toggle("Drag Snapping", zones.dragSnappingEnabled(),
                               [&zones](bool on) { zones.setDragSnappingEnabled(on); })}));
  if (const auto note = m.edgeTilingNote())
    addNote(*note);

  addSection(DragZonesPanelModel::sensitivitySection);
  SettingsCard* sensitivity = addCard();
  for (const auto parameter : DragZonesPanelModel::parameters) {
    const SettingSlider& range = DragZonesPanelModel::slider(parameter);
    sensitivity->addRow(row({}, range.label, {},
                            {slider(
                                range, range.label, m.value(parameter),
                                [&m, parameter](double value) { m.setValue(parameter, value); },
                                [&m, parameter] { return m.valueText(parameter); })}));
  }

  addSection(DragZonesPanelModel::previewSection);
  SettingsCard* preview = addCard();
  preview->addRow(
      new DragZonePreviewView([&m](double width) { return m.preview(width); }, scheme(), preview));
}

}  // namespace dovrik::ui
