// Month names and collation through Qt.
#include "linux/qt/QtLocale.h"

namespace dovrik::qt {

namespace {

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtLocale::QtLocale(const QLocale& locale) : locale_(locale), collator_(locale) {
  collator_.setCaseSensitivity(Qt::CaseInsensitive);
  // "Editor 2" before "Editor 10", as a person counts.
  collator_.setNumericMode(true);
}

std::string QtLocale::shortMonthName(int month) const {
  if (month < 1 || month > 12)
    return {};
  return locale_.monthName(month, QLocale::ShortFormat).toStdString();
}

int QtLocale::compare(std::string_view a, std::string_view b) const {
  return collator_.compare(fromUtf8(a), fromUtf8(b));
}

}  // namespace dovrik::qt
