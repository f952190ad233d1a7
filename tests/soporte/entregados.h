#pragma once
// The mails an SMTP sink of the tests has taken, read from its Maildir:
// first recipient, subject and text of each (LF line ends, as the sink
// keeps them).
#include <gmime/gmime.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace soporte {

struct Entregado {
  std::string para, asunto, texto;
  bool operator<(const Entregado& o) const {
    return std::tie(para, asunto, texto) < std::tie(o.para, o.asunto, o.texto);
  }
  bool operator==(const Entregado& o) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Entregado& e) {
  return os << "{" << e.para << " | " << e.asunto << " | " << e.texto << "}";
}

inline Entregado LeeEntregado(const std::string& bytes) {
  Entregado e;
  GMimeStream* flujo = g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size());
  GMimeParser* p = g_mime_parser_new_with_stream(flujo);
  if (GMimeMessage* m = g_mime_parser_construct_message(p, nullptr)) {
    if (InternetAddressList* para = g_mime_message_get_to(m); para && internet_address_list_length(para) > 0)
      e.para = internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(internet_address_list_get_address(para, 0)));
    if (const char* s = g_mime_message_get_subject(m)) e.asunto = s;
    GMimeObject* cuerpo = g_mime_message_get_body(m);
    if (cuerpo && GMIME_IS_TEXT_PART(cuerpo)) {
      char* t = g_mime_text_part_get_text(GMIME_TEXT_PART(cuerpo));
      if (t) e.texto = t;
      g_free(t);
    }
    g_object_unref(m);
  }
  g_object_unref(p);
  g_object_unref(flujo);
  return e;
}

// Every mail in the Maildir's new/, sorted by recipient, subject and text.
inline std::vector<Entregado> Entregados(const std::string& maildir) {
  g_mime_init();
  std::vector<Entregado> v;
  std::error_code ec;
  for (const auto& f : std::filesystem::directory_iterator(maildir + "/new", ec)) {
    if (!f.is_regular_file()) continue;
    std::ifstream in(f.path(), std::ios::binary);
    v.push_back(LeeEntregado(std::string(std::istreambuf_iterator<char>(in), {})));
  }
  std::sort(v.begin(), v.end());
  return v;
}

}  // namespace soporte
