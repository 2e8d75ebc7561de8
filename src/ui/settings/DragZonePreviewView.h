// The miniature screen of the Drag Zones panel, drawn from the preview's numbers.
#pragma once

#include <QWidget>
#include <functional>

#include "core/settings/DragZonePreview.h"
#include "core/theme/ColorScheme.h"

namespace dovrik::ui {

class DragZonePreviewView : public QWidget {
 public:
  // `preview` makes the miniature for a width.
  DragZonePreviewView(std::function<DragZonePreview(double)> preview, ColorScheme scheme,
                      QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::function<DragZonePreview(double)> preview_;
  ColorScheme scheme_;
};

}  // namespace dovrik::ui
