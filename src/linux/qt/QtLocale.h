// The Locale port from Qt: the user's month names from QLocale, and names ordered by QCollator
// the way the user's language orders them ("Écran" with the E's, not after "z").
#pragma once

#include <QCollator>
#include <QLocale>

#include "core/platform/Locale.h"

namespace dovrik::qt {

class QtLocale : public Locale {
 public:
  // The locale of the session (LC_ALL, LC_COLLATE, LANG …) unless told otherwise.
  explicit QtLocale(const QLocale& locale = QLocale());

  std::string shortMonthName(int month) const override;
  int compare(std::string_view a, std::string_view b) const override;

 private:
  QLocale locale_;
  QCollator collator_;
};

}  // namespace dovrik::qt
