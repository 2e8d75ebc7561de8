// Rows of the Snapping panel over its model.
#include "ui/settings/SnappingPanelView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

#include "ui/KeyboardFocusRing.h"
#include "ui/ThemeColors.h"
#include "ui/settings/SettingsText.h"

namespace dovrik::ui {

SnappingPanelView::SnappingPanelView(SnappingPanelModel& model, Context context, QWidget* parent)
    : SettingsPage(std::move(context), parent), model_(model) {
  rebuild();
}

void SnappingPanelView::build() {
  SnappingPanelModel& m = model_;
  addHeader(SnappingPanelModel::symbol, SnappingPanelModel::title);

  addSection(SnappingPanelModel::positionsSection);
  SettingsCard* positions = addCard();
  for (const SnapPosition position : allSnapPositions) {
    positions->addRow(row(icon(position), rawValue(position), {},
                          {toggle(rawValue(position), m.isEnabled(position),
                                  [&m, position](bool on) { m.setEnabled(position, on); })}));
  }

  addSection(SnappingPanelModel::motionSection);
  SettingsCard* motion = addCard();
  motion->addRow(row({}, SnappingPanelModel::animateTitle, SnappingPanelModel::animateSubtitle,
                     {toggle(SnappingPanelModel::animateTitle, m.animationsEnabled(),
                             [&m](bool on) { m.setAnimationsEnabled(on); })}));
  motion->addRow(
      row({}, SnappingPanelModel::speedTitle, SnappingPanelModel::speedSubtitle, {speedPicker()}));
  motion->addRow(row({}, SnappingPanelModel::restoreSizeTitle,
                     SnappingPanelModel::restoreSizeSubtitle,
                     {toggle(SnappingPanelModel::restoreSizeTitle, m.restoreSizeOnDrag(),
                             [&m](bool on) { m.setRestoreSizeOnDrag(on); })}));

  addSection(SnappingPanelModel::sizesSection);
  SettingsCard* sizes = addCard();
  sizes->addRow(row({}, SnappingPanelModel::cycleSizesTitle, SnappingPanelModel::cycleSizesSubtitle,
                    {toggle(SnappingPanelModel::cycleSizesTitle, m.cyclesSizes(),
                            [&m](bool on) { m.setCyclesSizes(on); })}));
  const SettingSlider& gap = SnappingPanelModel::gapSlider;
  sizes->addRow(row({}, gap.label, SnappingPanelModel::gapSubtitle,
                    {slider(
                        gap, gap.label, m.gap(), [&m](double value) { m.setGap(value); },
                        [&m] { return m.gapText(); })}));

  addSection(SnappingPanelModel::previewSection);
  SettingsCard* preview = addCard();
  const SettingSlider& opacity = SnappingPanelModel::opacitySlider;
  preview->addRow(
      row({}, opacity.label, SnappingPanelModel::opacitySubtitle,
          {slider(
              opacity, opacity.label, m.opacity(), [&m](double value) { m.setOpacity(value); },
              [&m] { return m.opacityText(); })}));
  preview->addRow(row({}, SnappingPanelModel::roundedCornersTitle, m.roundedCornersSubtitle(),
                      {toggle(SnappingPanelModel::roundedCornersTitle, m.roundedCorners(),
                              [&m](bool on) { m.setRoundedCorners(on); })}));
  preview->addRow(previewSample());
}

QWidget* SnappingPanelView::speedPicker() {
  auto* picker = new QWidget(this);
  auto* line = new QHBoxLayout(picker);
  line->setContentsMargins(0, 0, 0, 0);
  line->setSpacing(0);
  const AnimationSpeed chosen = model_.speed();
  for (const AnimationSpeed speed : allAnimationSpeeds) {
    QPushButton* segment = button(rawValue(speed), [this, speed] { model_.setSpeed(speed); });
    segment->setAccessibleName(QStringLiteral("Speed ") + qs(rawValue(speed)));
    segment->setEnabled(model_.speedPickerEnabled());
    const bool on = speed == chosen;
    segment->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid %3;"
                       " padding: 4px 14px; border-radius: 0; }"
                       "QPushButton:disabled { color: %4; }")
            .arg(on ? accentColor(palette()).name() : color(ColorToken::surface).name(),
                 on ? onAccentColor(palette()).name() : color(ColorToken::textPrimary).name(),
                 color(ColorToken::border).name(), color(ColorToken::textTertiary).name()) +
        // An accent ring would vanish on the chosen segment's accent fill.
        KeyboardFocusRing::rule(QStringLiteral("QPushButton"),
                                on ? color(ColorToken::textPrimary) : accentColor(palette())));
    line->addWidget(segment);
  }
  return picker;
}

// A small screen with the preview drawn over its left half as the snap would show it.
QWidget* SnappingPanelView::previewSample() {
  class Sample : public QWidget {
   public:
    Sample(double opacity, bool rounded, ColorScheme scheme, QWidget* parent)
        : QWidget(parent), opacity_(opacity), rounded_(rounded), scheme_(scheme) {
      setFixedHeight(110);
    }

   protected:
    void paintEvent(QPaintEvent*) override {
      QPainter p(this);
      p.setRenderHint(QPainter::Antialiasing);
      const QRectF screen(width() / 2.0 - 90, 10, 180, 90);
      p.setPen(QPen(themeColor(ColorToken::border, scheme_), 1));
      p.setBrush(themeColor(ColorToken::hover, scheme_));
      p.drawRoundedRect(screen, 6, 6);
      QColor fill = accentColor(palette());
      fill.setAlphaF(static_cast<float>(opacity_));
      const double radius = rounded_ ? 8 : 0;
      p.setPen(QPen(accentColor(palette()), 1.5));
      p.setBrush(fill);
      p.drawRoundedRect(screen.adjusted(6, 6, -screen.width() / 2 - 3, -6), radius, radius);
    }

   private:
    double opacity_;
    bool rounded_;
    ColorScheme scheme_;
  };
  return new Sample(model_.opacity(), model_.roundedCorners(), scheme(), this);
}

}  // namespace dovrik::ui
