// Builds the layout prompt from the shared stand-alone look.
#include "ui/LayoutNameDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/StandaloneWindowStyle.h"
#include "ui/X11WindowSupport.h"

namespace dovrik::ui {
namespace {

constexpr int kPromptWidth = 400;

QString qstr(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

LayoutNameDialog::LayoutNameDialog(ColorScheme scheme, std::function<void(const QString&)> save)
    : QDialog(nullptr, standaloneWindowFlags) {
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 22, 24, 18);
  layout->setSpacing(10);
  // As tall as its content and no taller: nothing to maximise.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("heading"));
  explanation_ = new QLabel(this);
  explanation_->setObjectName(QStringLiteral("explanation"));
  explanation_->setWordWrap(true);
  explanation_->setFixedWidth(kPromptWidth);
  name_ = new QLineEdit(this);
  explanation_->setBuddy(name_);

  auto* buttons = new QDialogButtonBox(this);
  save_ = addDialogButton(*buttons, {}, QDialogButtonBox::AcceptRole);
  cancel_ = addDialogButton(*buttons, {}, QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(this, &QDialog::accepted, this, [this, save = std::move(save)] { save(name_->text()); });

  layout->addWidget(heading_);
  layout->addWidget(explanation_);
  layout->addSpacing(4);
  layout->addWidget(name_);
  layout->addSpacing(8);
  layout->addWidget(buttons);
  setColorScheme(scheme);
}

void LayoutNameDialog::ask(const MenuBarController::SaveLayoutPrompt& prompt) {
  heading_->setText(qstr(prompt.message));
  explanation_->setText(qstr(prompt.informativeText));
  name_->setPlaceholderText(qstr(prompt.proposedName));
  name_->setText(qstr(prompt.proposedName));
  name_->selectAll();
  save_->setText(qstr(prompt.saveButton));
  save_->setAccessibleName(save_->text());
  cancel_->setText(qstr(prompt.cancelButton));
  cancel_->setAccessibleName(cancel_->text());
  // A second ask while the prompt is open brings it forward where it is.
  if (!isVisible()) {
    presentStandalone(*this, qstr(prompt.message), *name_);
    return;
  }
  name_->setFocus(Qt::OtherFocusReason);
  bringForwardAndActivate(*this);
}

void LayoutNameDialog::setColorScheme(ColorScheme scheme) {
  applyStandaloneStyle(*this, standaloneWindowStyle(scheme, palette()));
}

}  // namespace dovrik::ui
