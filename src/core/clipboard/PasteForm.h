// How an entry goes back onto the clipboard.
#pragma once

namespace dovrik {

enum class PasteForm {
  // With every form it was copied with, so an application takes the richest it understands.
  asCopied,
  // As its text alone, so the text takes on the formatting of where it lands.
  plainText,
};

}  // namespace dovrik
