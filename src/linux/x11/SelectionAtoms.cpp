// Interning the selection atoms and naming targets, each in one batch of requests.
#include "linux/x11/SelectionAtoms.h"

#include <cstdint>
#include <utility>

#include "linux/x11/XAtoms.h"
#include "linux/x11/XReply.h"

namespace dovrik::x11 {

SelectionAtoms SelectionAtoms::intern(xcb_connection_t* connection) {
  SelectionAtoms atoms;
  const std::pair<const char*, xcb_atom_t*> table[] = {
      {"CLIPBOARD", &atoms.CLIPBOARD},
      {"TARGETS", &atoms.TARGETS},
      {"INCR", &atoms.INCR},
      {"UTF8_STRING", &atoms.UTF8_STRING},
      {"text/plain;charset=utf-8", &atoms.textPlainUtf8},
      {"image/png", &atoms.imagePng},
      {"x-kde-passwordManagerHint", &atoms.passwordHint},
      {"DOVRIK_TRANSFER_0", &atoms.transfer[0]},
      {"DOVRIK_TRANSFER_1", &atoms.transfer[1]},
      {"DOVRIK_TRANSFER_2", &atoms.transfer[2]},
      {"DOVRIK_TRANSFER_3", &atoms.transfer[3]},
  };
  internAtoms(connection, table);
  return atoms;
}

std::vector<std::string> atomNames(xcb_connection_t* connection,
                                   const std::vector<xcb_atom_t>& atoms) {
  std::vector<xcb_get_atom_name_cookie_t> cookies;
  cookies.reserve(atoms.size());
  for (const xcb_atom_t atom : atoms)
    cookies.push_back(xcb_get_atom_name(connection, atom));
  std::vector<std::string> names;
  names.reserve(atoms.size());
  for (const auto& cookie : cookies) {
    xcb_generic_error_t* error = nullptr;
    auto reply = takeReply(xcb_get_atom_name_reply(connection, cookie, &error), error);
    names.push_back(
        reply ? std::string(xcb_get_atom_name_name(reply.get()),
                            static_cast<std::size_t>(xcb_get_atom_name_name_length(reply.get())))
              : std::string());
  }
  return names;
}

}  // namespace dovrik::x11
