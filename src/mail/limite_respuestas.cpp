#include "mail/limite_respuestas.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace mail {

namespace {

// An address longer than any that can be answered is cut: the file keeps
// short lines.
std::string Clave(const std::string& direccion) {
  std::string c = direccion.substr(0, 320);
  for (char& ch : c) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return c;
}

bool Vigente(std::time_t hora, std::time_t ahora) { return hora <= ahora && ahora - hora < kPeriodoLimite; }

}  // namespace

LimiteRespuestas::LimiteRespuestas(const std::string& carpeta_trabajo)
    : ruta_(plataforma::ResuelveRuta(plataforma::UneRuta(carpeta_trabajo, kNombreLimiteRespuestas))) {}

void LimiteRespuestas::Lee(std::time_t ahora) {
  if (leido_) return;
  leido_ = true;
  std::vector<std::string> lineas;
  if (!plataforma::LeerLineas(ruta_, lineas)) return;
  std::vector<std::string> quedan;
  for (const std::string& l : lineas) {
    const std::size_t blanco = l.find(' ');
    if (blanco == std::string::npos || blanco == 0 || blanco + 1 == l.size()) continue;
    char* fin = nullptr;
    const long long hora = std::strtoll(l.c_str(), &fin, 10);
    if (fin != l.c_str() + blanco || !Vigente(static_cast<std::time_t>(hora), ahora)) continue;
    enviadas_[Clave(l.substr(blanco + 1))].push_back(static_cast<std::time_t>(hora));
    quedan.push_back(l);
  }
  // The notes that no longer count leave the file (whole, in one step).
  if (quedan.size() != lineas.size()) {
    if (quedan.empty())
      plataforma::BorraFichero(ruta_);
    else
      plataforma::EscribirLineas(ruta_, quedan);
  }
}

bool LimiteRespuestas::Permite(const std::string& direccion, std::time_t ahora) {
  Lee(ahora);
  const auto it = enviadas_.find(Clave(direccion));
  if (it == enviadas_.end()) return true;
  const auto vigentes =
      std::count_if(it->second.begin(), it->second.end(), [ahora](std::time_t hora) { return Vigente(hora, ahora); });
  return vigentes < kMaximoRespuestasError;
}

bool LimiteRespuestas::Anota(const std::string& direccion, std::time_t ahora) {
  Lee(ahora);
  const std::string clave = Clave(direccion);
  // The address is the sender's, on one line and of bounded length.
  std::string linea = std::to_string(static_cast<long long>(ahora)) + " " + clave;
  for (char& c : linea)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  linea += "\r\n";
  const int fd = ::open(ruta_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  struct stat st {};
  const bool medido = ::fstat(fd, &st) == 0;
  const ssize_t n = ::write(fd, linea.data(), linea.size());
  bool bien = medido && n == static_cast<ssize_t>(linea.size());
  if (!bien && medido) {
    if (::ftruncate(fd, st.st_size) != 0) {
      // Left as it is: a cut-off line is skipped when the file is read.
    }
  }
  bien = ::close(fd) == 0 && bien;
  if (medido && st.st_size == 0) {
    if (bien)
      plataforma::AnotaFicheroCreado(ruta_);
    else
      ::unlink(ruta_.c_str());
  }
  if (bien) enviadas_[clave].push_back(ahora);
  return bien;
}

}  // namespace mail
