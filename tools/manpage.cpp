// dovrik-manpage: prints the manual page of the command line, made from the same command table
// that `dovrik help` shows, so the two never disagree.
#include <cstdio>
#include <string>
#include <string_view>

#include "core/cli/CommandLine.h"
#include "core/cli/CommandTable.h"

namespace {

// Text as roff shows it literally: backslashes escaped, no line taken for a request, and
// characters beyond ASCII named by their code point, since roff reads its input as Latin-1.
std::string roff(std::string_view text) {
  std::string out;
  bool lineStart = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (lineStart && (c == '.' || c == '\''))
      out += "\\&";
    if (c >= 0x80) {
      // A UTF-8 sequence: its lead byte tells its length.
      const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
      unsigned codePoint = c & (0x7Fu >> length);
      for (int k = 1; k < length && i + 1 < text.size(); ++k)
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[++i]) & 0x3Fu);
      char name[16];
      std::snprintf(name, sizeof name, "\\[u%04X]", codePoint);
      out += name;
    } else if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += static_cast<char>(c);
    }
    lineStart = c == '\n';
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: dovrik-manpage VERSION\n", stderr);
    return 2;
  }
  std::string page = ".TH DOVRIK 1 \"\" \"Dovrik " + roff(argv[1]) +
                     "\" \"User Commands\"\n"
                     ".SH NAME\n"
                     "dovrik \\- snap windows into place, restore window layouts and keep a "
                     "clipboard history on X11\n"
                     ".SH SYNOPSIS\n"
                     ".B dovrik\n"
                     ".RI [ COMMAND \" [\" ARGUMENT ...]]\n"
                     ".SH DESCRIPTION\n"
                     "Without a command, starts Dovrik in the system tray, or re\\-opens the "
                     "Dovrik running on this display. Dovrik needs an X11 session with an EWMH "
                     "window manager.\n"
                     ".PP\n"
                     "With a command, asks the running Dovrik to carry it out, and never starts "
                     "one.\n"
                     ".SH COMMANDS\n";
  for (const dovrik::cli::Command& command : dovrik::cli::commandTable()) {
    page += ".TP\n.B dovrik " + roff(command.name) +
            (command.synopsis.empty() ? "" : " " + roff(command.synopsis)) + "\n" +
            roff(command.summary) + "\n";
    if (!command.details.empty())
      page += ".RS\n.PP\n.nf\n" + roff(command.details) + ".fi\n.RE\n";
  }
  page +=
      ".TP\n.B dovrik help \\fR[\\fICOMMAND\\fR]\n"
      "Show the usage, or a command's help.\n"
      ".SH OPTIONS\n"
      ".TP\n.BR \\-h \", \" \\-\\-help\n"
      "Show the usage; after a command, that command's help.\n"
      ".TP\n.B \\-\\-version\n"
      "Show the version.\n"
      ".SH EXIT STATUS\n"
      ".TP\n.B 0\nDone.\n"
      ".TP\n.B 1\nDovrik could not do it; one line on standard error says why.\n"
      ".TP\n.B 2\nWrong usage: an unknown command, option or argument.\n"
      ".TP\n.B 3\nDovrik is not running on this display, or did not answer.\n"
      ".SH FILES\n"
      ".TP\n.I $XDG_CONFIG_HOME/dovrik/\n"
      "The settings, the saved layouts, the file shelf and the app rules.\n"
      ".TP\n.I $XDG_DATA_HOME/Dovrik/clipboard.json\n"
      "The clipboard history, readable by its user only.\n"
      ".TP\n.I $XDG_CONFIG_HOME/autostart/dovrik.desktop\n"
      "Written while \"Launch at login\" is on.\n";
  std::fputs(page.c_str(), stdout);
  return 0;
}
