// Release notes as the update window shows them: feeds often carry them as HTML.
#pragma once

#include <QString>

namespace dovrik::qt {

// The notes' text with the HTML left out: paragraphs, line breaks and list items become lines,
// the common character references are decoded, and runs of spaces and blank lines collapse.
// Script and style contents never reach the text.
QString plainTextFromNotes(const QString& notes);

}  // namespace dovrik::qt
