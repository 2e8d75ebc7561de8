// What an empty list in the popup shows: a symbol over one line of text, optionally inside a
// dashed drop zone.
#pragma once

#include <QString>
#include <QWidget>
#include <string>

#include "core/theme/ColorScheme.h"

namespace dovrik::ui {

class PopupEmptyState : public QWidget {
  Q_OBJECT

 public:
  // `scheme` belongs to the view that holds this one and outlives it.
  PopupEmptyState(std::string symbol, bool dropZone, const ColorScheme& scheme,
                  QWidget* parent = nullptr);

  void setText(const QString& text);
  const QString& text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::string symbol_;
  bool dropZone_;
  const ColorScheme& scheme_;
  QString text_;
};

}  // namespace dovrik::ui
