#include "plataforma/bloqueo_carpeta.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "plataforma/rutas.h"

namespace plataforma {

BloqueoCarpeta::BloqueoCarpeta(std::string carpeta) : carpeta_(std::move(carpeta)) {
  const std::string ruta = UneRuta(carpeta_, kFicheroBloqueo);
  // Closed on exec: a program started by this one must not keep the folder
  // locked after this one ends.
  do {
    descriptor_ = ::open(ruta.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
  } while (descriptor_ < 0 && errno == EINTR);
  if (descriptor_ < 0) {
    motivo_ = std::strerror(errno);
    return;
  }
  // flock, not fcntl: a record lock would be dropped as soon as any other
  // descriptor of the same file closed in this process.
  int r = 0;
  do {
    r = ::flock(descriptor_, LOCK_EX | LOCK_NB);
  } while (r != 0 && errno == EINTR);
  if (r == 0) {
    estado_ = Estado::Tomado;
    return;
  }
  const int error = errno;
  ::close(descriptor_);
  descriptor_ = -1;
  if (error == EWOULDBLOCK) {
    estado_ = Estado::EnUso;
  } else {
    motivo_ = std::strerror(error);
  }
}

BloqueoCarpeta::~BloqueoCarpeta() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

std::string BloqueoCarpeta::Mensaje() const {
  switch (estado_) {
    case Estado::Tomado: return {};
    case Estado::EnUso:
      return "La carpeta de trabajo " + carpeta_ +
             " ya está en uso por otro Trovalis abierto en ella.\n\nSolo puede haber un programa en cada carpeta "
             "de trabajo (los dos leerían el mismo buzón y responderían dos veces a cada lista): cierre el otro "
             "antes de abrir este.";
    case Estado::Fallo: break;
  }
  return "No se ha podido comprobar que la carpeta de trabajo " + carpeta_ +
         " no esté en uso por otro Trovalis: el fichero " + kFicheroBloqueo + " no se puede bloquear (" + motivo_ +
         ").\n\nEl programa no se abre en esa carpeta.";
}

std::string BloqueoCarpeta::Titulo() const {
  return estado_ == Estado::EnUso ? "CARPETA DE TRABAJO EN USO" : "CARPETA DE TRABAJO";
}

}  // namespace plataforma
