// A local Maildir as the incoming store, and a Maildir as the outbox.
//
// Unread: every mail of new/, and the mails of cur/ whose flags (after ":2,")
// hold neither S (seen) nor T (trashed). A deleted mail moves to the
// Maildir's trash folder ".Trash" (a Maildir++ subfolder), never unlinked; a
// refused one to ".Rechazados", its flags kept.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "plataforma/correo/correo.h"
#include "plataforma/rutas.h"

namespace fs = std::filesystem;

namespace plataforma::correo {

namespace {

bool CreaMaildir(const fs::path& carpeta) {
  std::error_code ec;
  for (const char* sub : {"tmp", "new", "cur"}) fs::create_directories(carpeta / sub, ec);
  return fs::is_directory(carpeta / "tmp", ec) && fs::is_directory(carpeta / "new", ec) &&
         fs::is_directory(carpeta / "cur", ec);
}

// Flags of a cur/ name ("unique:2,FLAGS"); empty when it has none.
std::string Banderas(const std::string& nombre) {
  auto p = nombre.rfind(":2,");
  return p == std::string::npos ? std::string() : nombre.substr(p + 3);
}

std::string ParteUnica(const std::string& nombre) { return nombre.substr(0, nombre.find(':')); }

// A name nobody else uses: time, a random number, the process.
std::string NombreUnico() {
  std::random_device azar;
  char host[256] = "localhost";
  gethostname(host, sizeof host - 1);
  std::string h;
  for (const char* c = host; *c; ++c) h += (*c == '/' || *c == ':') ? '_' : *c;
  auto ahora = std::chrono::system_clock::now().time_since_epoch();
  auto us = std::chrono::duration_cast<std::chrono::microseconds>(ahora).count();
  return std::to_string(us / 1000000) + ".M" + std::to_string(us % 1000000) + "R" + std::to_string(azar()) + "P" +
         std::to_string(getpid()) + "." + h;
}

class AlmacenMaildir final : public AlmacenCorreo {
 public:
  explicit AlmacenMaildir(std::string carpeta) : dada_(std::move(carpeta)) {}

  bool Abrir(ErrorCorreo& error) override {
    carpeta_ = ResuelveRuta(dada_);
    std::error_code ec;
    if (!fs::is_directory(carpeta_, ec)) {
      error = {kCorreoFalloInicioSesion, "No existe la carpeta de correo " + dada_};
      return false;
    }
    if (!CreaMaildir(carpeta_)) {
      error = {kCorreoFalloInicioSesion, "La carpeta de correo " + dada_ + " no es un Maildir utilizable"};
      return false;
    }
    return true;
  }
  void Cerrar() override {}

  bool NoLeidos(std::vector<std::string>& ids, ErrorCorreo& error) override {
    struct Fichero {
      std::time_t fecha;
      std::string id;
    };
    std::vector<Fichero> ficheros;
    for (const char* sub : {"new", "cur"}) {
      std::error_code ec;
      fs::directory_iterator it(carpeta_ / sub, ec), fin;
      if (ec) {
        error = {kCorreoFalloGeneral, "No se puede leer la carpeta de correo " + (carpeta_ / sub).string()};
        return false;
      }
      for (; it != fin; it.increment(ec)) {
        std::string nombre = it->path().filename().string();
        if (nombre.empty() || nombre[0] == '.' || !it->is_regular_file(ec)) continue;
        if (sub[0] == 'c') {
          std::string b = Banderas(nombre);
          if (b.find('S') != std::string::npos || b.find('T') != std::string::npos) continue;
        }
        struct stat st {};
        if (stat(it->path().c_str(), &st) != 0) continue;
        ficheros.push_back({st.st_mtime, std::string(sub) + "/" + nombre});
      }
    }
    std::sort(ficheros.begin(), ficheros.end(), [](const Fichero& a, const Fichero& b) {
      if (a.fecha != b.fecha) return a.fecha < b.fecha;
      return ParteUnica(a.id.substr(4)) < ParteUnica(b.id.substr(4));
    });
    ids.clear();
    for (auto& f : ficheros) ids.push_back(std::move(f.id));
    return true;
  }

  bool Leer(const std::string& id, std::string& bytes, std::time_t& recibido, ErrorCorreo& error) override {
    fs::path ruta;
    if (!Busca(id, ruta)) {
      error = {kCorreoMensajeNoValido, "El correo ya no está en la carpeta de correo"};
      return false;
    }
    struct stat st {};
    std::ifstream f(ruta, std::ios::binary);
    if (!f || stat(ruta.c_str(), &st) != 0) {
      error = {kCorreoFalloGeneral, "No se puede leer el correo " + ruta.string()};
      return false;
    }
    // Read in one piece into its exact size: the mail is held once.
    const auto tamano = static_cast<std::uintmax_t>(st.st_size);
    const bool grande = tamano > kTamanoMaximoCorreo;
    bytes.assign(static_cast<std::size_t>(grande ? kMaximoBytesCabeceras : tamano), '\0');
    f.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (f.bad()) {
      error = {kCorreoFalloGeneral, "No se puede leer el correo " + ruta.string()};
      return false;
    }
    bytes.resize(static_cast<std::size_t>(f.gcount()));
    recibido = st.st_mtime;
    if (grande) {
      error = {kCorreoMensajeDemasiadoGrande, "El correo " + ruta.string() + " pasa de 64 MB"};
      return false;
    }
    return true;
  }

  bool Borrar(const std::string& id, ErrorCorreo& error) override { return Mueve(id, ".Trash", "la papelera", error); }

  bool Apartar(const std::string& id, ErrorCorreo& error) override {
    return Mueve(id, std::string(".") + kCarpetaRechazados, "la carpeta de correos rechazados", error);
  }

 private:
  // Moves the mail into cur/ of a Maildir++ subfolder, its flags kept.
  bool Mueve(const std::string& id, const std::string& subcarpeta, const std::string& nombreCarpeta,
             ErrorCorreo& error) {
    fs::path ruta;
    if (!Busca(id, ruta)) {
      error = {kCorreoMensajeNoValido, "El correo ya no está en la carpeta de correo"};
      return false;
    }
    fs::path papelera = carpeta_ / subcarpeta;
    if (!CreaMaildir(papelera)) {
      error = {kCorreoFalloEscritura, "No se puede crear " + nombreCarpeta + " " + papelera.string()};
      return false;
    }
    std::string nombre = ruta.filename().string();
    std::string unica = ParteUnica(nombre);
    std::string banderas = Banderas(nombre);
    for (int intento = 0; intento < 100; ++intento) {
      std::string destino = unica + (intento ? "_" + std::to_string(intento) : "") + ":2," + banderas;
      if (RenombraFichero(ruta.string(), (papelera / "cur" / destino).string())) return true;
      std::error_code ec;
      if (!fs::exists(papelera / "cur" / destino, ec)) break;
    }
    error = {kCorreoFalloEscritura, "No se puede llevar el correo a " + nombreCarpeta + ": " + ruta.string()};
    return false;
  }

  // The mail's file now: where the snapshot saw it, or moved by another
  // client between new/ and cur/ (its unique part stays).
  bool Busca(const std::string& id, fs::path& ruta) const {
    if (id.size() < 5 || id.find("..") != std::string::npos) return false;
    std::error_code ec;
    ruta = carpeta_ / id;
    if (fs::is_regular_file(ruta, ec)) return true;
    std::string unica = ParteUnica(id.substr(4));
    for (const char* sub : {"cur", "new"}) {
      fs::directory_iterator it(carpeta_ / sub, ec), fin;
      for (; !ec && it != fin; it.increment(ec)) {
        if (ParteUnica(it->path().filename().string()) == unica) {
          ruta = it->path();
          return true;
        }
      }
    }
    return false;
  }

  std::string dada_;
  fs::path carpeta_;
};

class SalidaMaildir final : public SalidaCorreo {
 public:
  explicit SalidaMaildir(std::string carpeta) : carpeta_(std::move(carpeta)) {}

  bool Enviar(const std::string& /*remitente*/, const std::string& /*destinatario*/, const std::string& mensaje,
              ErrorCorreo& error) override {
    fs::path carpeta = ResuelveRuta(carpeta_);
    if (!CreaMaildir(carpeta)) {
      error = {kCorreoFalloEscritura, "No se puede crear la carpeta de salida " + carpeta_};
      return false;
    }
    // Maildir files hold LF line ends.
    std::string lf;
    lf.reserve(mensaje.size());
    for (std::size_t i = 0; i < mensaje.size(); ++i)
      if (!(mensaje[i] == '\r' && i + 1 < mensaje.size() && mensaje[i + 1] == '\n')) lf += mensaje[i];
    std::string nombre = NombreUnico();
    fs::path temporal = carpeta / "tmp" / nombre;
    {
      std::ofstream f(temporal, std::ios::binary | std::ios::trunc);
      f.write(lf.data(), static_cast<std::streamsize>(lf.size()));
      f.flush();
      if (!f) {
        std::error_code ec;
        fs::remove(temporal, ec);
        error = {kCorreoFalloEscritura, "No se puede escribir el correo en " + temporal.string()};
        return false;
      }
    }
    if (!RenombraFichero(temporal.string(), (carpeta / "new" / nombre).string())) {
      std::error_code ec;
      fs::remove(temporal, ec);
      error = {kCorreoFalloEscritura, "No se puede dejar el correo en " + (carpeta / "new").string()};
      return false;
    }
    return true;
  }

 private:
  std::string carpeta_;
};

}  // namespace

std::unique_ptr<AlmacenCorreo> CreaAlmacenMaildir(std::string carpeta) {
  return std::make_unique<AlmacenMaildir>(std::move(carpeta));
}

std::unique_ptr<SalidaCorreo> CreaSalidaMaildir(std::string carpeta) {
  return std::make_unique<SalidaMaildir>(std::move(carpeta));
}

}  // namespace plataforma::correo
