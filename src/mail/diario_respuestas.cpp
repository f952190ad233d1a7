#include "mail/diario_respuestas.h"

#include <fcntl.h>
#include <sys/stat.h>
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

// Flushes a folder's entries (a file created, renamed or deleted in it) to
// the disk.
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

const std::set<std::string>& DiarioRespuestas::Notas() const {
  if (!leido_) {
    std::vector<std::string> lineas;
    plataforma::LeerLineas(ruta_, lineas);
    for (const std::string& l : lineas)
      if (!l.empty()) notas_.insert(l);
    leido_ = true;
  }
  return notas_;
}

bool DiarioRespuestas::Contiene(const std::string& identidad) const {
  return !identidad.empty() && Notas().count(identidad) > 0;
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
  plataforma::AnotaFicheroCreado(ruta_);
  SincronizaCarpeta(carpeta_);
  return true;
}

bool DiarioRespuestas::Anota(const std::string& identidad) {
  if (identidad.empty()) return false;
  if (Notas().count(identidad)) return true;
  const int fd = ::open(ruta_.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return false;
  }
  // A line cut off by an earlier stop is ended first, so that this note
  // stands on a line of its own.
  std::string linea = identidad + "\r\n";
  char ultimo = '\n';
  if (st.st_size > 0 && ::pread(fd, &ultimo, 1, st.st_size - 1) == 1 && ultimo != '\n') linea = "\r\n" + linea;
  bool bien = EscribeTodo(fd, linea) && ::fsync(fd) == 0;
  // A note half written is taken back: the file keeps the notes it had.
  if (!bien && ::ftruncate(fd, st.st_size) == 0) ::fsync(fd);
  bien = ::close(fd) == 0 && bien;
  if (!bien && st.st_size == 0) ::unlink(ruta_.c_str());
  if (st.st_size == 0 && bien) {
    plataforma::AnotaFicheroCreado(ruta_);
    SincronizaCarpeta(carpeta_);
  }
  if (bien) notas_.insert(identidad);
  return bien;
}

bool DiarioRespuestas::ConservaSolo(const std::set<std::string>& en_buzon) {
  const std::set<std::string>& antes = Notas();
  std::set<std::string> despues;
  for (const std::string& i : antes)
    if (en_buzon.count(i)) despues.insert(i);
  if (despues.size() == antes.size()) return true;
  if (!Escribe(despues)) return false;
  notas_ = std::move(despues);
  return true;
}

}  // namespace mail
