// The relocation window over its model, drawn with the theme.
#include "ui/RelocationWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/AppIcon.h"
#include "ui/StandaloneWindowStyle.h"

namespace dovrik::ui {
namespace {

constexpr int kRelocationWidth = 400;
constexpr int kRelocationIconSize = 62;

QLabel* wrappedLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignHCenter);
  label->setFixedWidth(kRelocationWidth - 64);
  return label;
}

}  // namespace

RelocationWindow::RelocationWindow(RelocateModel& model, ColorScheme scheme)
    : QDialog(nullptr, standaloneWindowFlags), model_(model) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(32, 32, 32, 24);
  layout->setSpacing(14);
  // As tall as the texts and no taller: nothing to maximise.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* icon = new QLabel(this);
  icon->setPixmap(appIcon(kRelocationIconSize, devicePixelRatioF()));
  icon->setAlignment(Qt::AlignHCenter);
  heading_ = wrappedLabel(this);
  heading_->setObjectName(QStringLiteral("heading"));
  explanation_ = wrappedLabel(this);
  explanation_->setObjectName(QStringLiteral("explanation"));
  failure_ = wrappedLabel(this);
  failure_->setObjectName(QStringLiteral("failure"));

  auto* buttons = new QDialogButtonBox(this);
  primary_ = addDialogButton(*buttons, {}, QDialogButtonBox::AcceptRole);
  addDialogButton(*buttons, QStringLiteral("Quit"), QDialogButtonBox::RejectRole);
  connect(primary_, &QPushButton::clicked, this, [this] { model_.perform(); });
  connect(buttons, &QDialogButtonBox::rejected, this, [this] { reject(); });

  layout->addWidget(icon);
  layout->addWidget(heading_);
  layout->addWidget(explanation_);
  layout->addWidget(failure_);
  layout->addSpacing(8);
  layout->addWidget(buttons);

  observer_ = model_.changed.connect([this] { refresh(); });
  setColorScheme(scheme);
}

RelocationWindow::~RelocationWindow() {
  model_.changed.disconnect(observer_);
}

void RelocationWindow::present() {
  presentStandalone(*this, QStringLiteral("Dovrik"), *primary_);
}

void RelocationWindow::setColorScheme(ColorScheme scheme) {
  applyStandaloneStyle(*this, standaloneWindowStyle(scheme, palette()));
  refresh();
}

void RelocationWindow::reject() {
  QDialog::reject();
  model_.quit();
}

void RelocationWindow::refresh() {
  heading_->setText(QString::fromStdString(model_.heading()));
  explanation_->setText(QString::fromStdString(model_.explanation()));
  failure_->setText(QString::fromStdString(model_.failure().value_or("")));
  failure_->setVisible(model_.failure().has_value());
  primary_->setText(QString::fromStdString(model_.primaryTitle()));
  primary_->setEnabled(!model_.working());
  // The copy that follows a press blocks the loop for a moment; show the disabled button first.
  repaint();
}

}  // namespace dovrik::ui
