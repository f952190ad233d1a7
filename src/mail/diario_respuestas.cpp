#include "mail/diario_respuestas.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace mail {

namespace {

bool EscribeTodo(int fd, const std::string& bytes) {
  std::size_t hecho = 0;
  while (hecho < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + hecho, bytes.size() - hecho);
    if (n <= 0) return false;
    hecho += static_cast<std::size_t>(n);
  }
  return true;
}

// Flushes a folder's entries (the rename of a file in it) to the disk.
void SincronizaCarpeta(const std::string& carpeta) {
  const int fd = ::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

DiarioRespuestas::DiarioRespuestas(const std::string& carpeta_concurso)
    : carpeta_(plataforma::ResuelveRuta(carpeta_concurso)),
      ruta_(plataforma::ResuelveRuta(plataforma::UneRuta(carpeta_concurso, kNombreDiarioRespuestas))) {}

std::set<std::string> DiarioRespuestas::Lee() const {
  std::vector<std::string> lineas;
  plataforma::LeerLineas(ruta_, lineas);
  std::set<std::string> v;
  for (const std::string& l : lineas)
    if (!l.empty()) v.insert(l);
  return v;
}

bool DiarioRespuestas::Contiene(const std::string& identidad) const {
  return !identidad.empty() && Lee().count(identidad) > 0;
}

bool DiarioRespuestas::Escribe(const std::set<std::string>& identidades) {
  if (identidades.empty()) {
    const bool bien = !plataforma::ExisteFichero(ruta_) || plataforma::BorraFichero(ruta_);
    if (bien) SincronizaCarpeta(carpeta_);
    return bien;
  }
  std::string bytes;
  for (const std::string& i : identidades) bytes += i + "\r\n";
  const std::string temporal = plataforma::NombreTemporal(ruta_);
  const int fd = ::open(temporal.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool escrito = EscribeTodo(fd, bytes) && ::fsync(fd) == 0;
  const bool cerrado = ::close(fd) == 0;
  if (!escrito || !cerrado || std::rename(temporal.c_str(), ruta_.c_str()) != 0) {
    std::remove(temporal.c_str());
    return false;
  }
  SincronizaCarpeta(carpeta_);
  return true;
}

bool DiarioRespuestas::Anota(const std::string& identidad) {
  if (identidad.empty()) return false;
  std::set<std::string> v = Lee();
  if (!v.insert(identidad).second) return true;
  return Escribe(v);
}

bool DiarioRespuestas::ConservaSolo(const std::set<std::string>& en_buzon) {
  const std::set<std::string> antes = Lee();
  std::set<std::string> despues;
  for (const std::string& i : antes)
    if (en_buzon.count(i)) despues.insert(i);
  return despues.size() == antes.size() || Escribe(despues);
}

}  // namespace mail
