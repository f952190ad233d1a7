// Peak memory of the mail session taking in one hostile mail from a
// Maildir: a header bomb (18 MB, 3,000,000 header lines), the most header fields and
// parts the mail layer takes, and the largest mail the store takes (a 64 MB
// attachment). Each
// mail is read in a child process of its own (selected, fields read, every
// attachment saved), and the child's peak resident memory is printed beside
// the bound the mail layer keeps: 4 x the mail + 100 MiB.
//   bench_correo_memoria
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "plataforma/correo/correo.h"

namespace fs = std::filesystem;
using namespace plataforma::correo;

namespace {

// Writes the mail in pieces: the parent stays small, so the child's peak is
// its own.
std::uintmax_t EscribeCorreo(const std::string& ruta, const std::function<void(std::ofstream&)>& cuerpo) {
  {
    std::ofstream f(ruta, std::ios::binary);
    f << "From: qq1abc@example.org\r\nTo: concurso@example.org\r\nSubject: LISTA QQ1ABC\r\n";
    cuerpo(f);
  }
  return fs::file_size(ruta);
}

void Mide(const char* nombre, const std::string& carpeta, const std::function<void(std::ofstream&)>& cuerpo) {
  const std::string maildir = carpeta + "/Correo";
  fs::remove_all(carpeta);
  for (const char* s : {"/new", "/cur", "/tmp"}) fs::create_directories(maildir + s);
  const std::uintmax_t tamano = EscribeCorreo(maildir + "/new/1.M1P1.bench", cuerpo);
  std::fflush(nullptr);
  const pid_t hijo = fork();
  if (hijo == 0) {
    SesionCorreo sesion(CreaAlmacenMaildir(maildir), CreaSalidaMaildir(carpeta + "/Salida"), "c@example.org");
    if (!sesion.IniciarSesion() || !sesion.LeerNoLeidos() || !sesion.SeleccionarCorreo(0)) _exit(2);
    std::printf("%-28s %s\n", nombre,
                sesion.MotivoRechazo().empty() ? "admitido" : ("rechazado: " + sesion.MotivoRechazo()).c_str());
    fs::create_directories(carpeta + "/Adjuntos");
    for (int i = 0; i < sesion.NumeroAdjuntos(); ++i) sesion.GuardarAdjuntoEnCarpeta(i, carpeta + "/Adjuntos", nullptr);
    std::fflush(nullptr);
    _exit(0);
  }
  int estado = 0;
  rusage uso{};
  wait4(hijo, &estado, 0, &uso);
  const double mib = 1024.0 * 1024.0;
  const double pico = static_cast<double>(uso.ru_maxrss) * 1024.0 / mib;
  const double cota = 4.0 * static_cast<double>(tamano) / mib + 100.0;
  std::printf("%-28s correo %7.1f MiB  pico %7.1f MiB  cota %7.1f MiB  %s\n", nombre, static_cast<double>(tamano) / mib,
              pico, cota, WIFEXITED(estado) && WEXITSTATUS(estado) == 0 && pico <= cota ? "bien" : "MAL");
  fs::remove_all(carpeta);
}

}  // namespace

int main() {
  const std::string carpeta = fs::temp_directory_path().string() + "/bench_correo_memoria." + std::to_string(getpid());
  Mide("cabeceras: 3.000.000 lineas", carpeta, [](std::ofstream& f) {
    for (int i = 0; i < 3000000; ++i) f << "X: 1\r\n";
    f << "\r\nHola.\r\n";
  });
  Mide("cabeceras: 9.990 campos", carpeta, [](std::ofstream& f) {
    for (int i = 0; i < 9990; ++i) f << "X-A: " << std::string(90, 'a') << "\r\n";
    f << "\r\nHola.\r\n";
  });
  Mide("partes: 9.990 sin cabecera", carpeta, [](std::ofstream& f) {
    f << "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n";
    for (int i = 0; i < 9990; ++i) f << "--b\r\n\r\n" << std::string(6000, 'x') << "\r\n";
    f << "--b--\r\n";
  });
  Mide("partes: 4.990 adjuntos", carpeta, [](std::ofstream& f) {
    f << "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n";
    for (int i = 0; i < 4990; ++i)
      f << "--b\r\nContent-Disposition: attachment; filename=P" << i << ".LOG\r\n\r\n"
        << std::string(12000, 'x') << "\r\n";
    f << "--b--\r\n";
  });
  Mide("adjunto de 64 MB", carpeta, [](std::ofstream& f) {
    f << "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n"
         "Content-Type: application/octet-stream\r\nContent-Disposition: attachment; filename=QQ1ABC.LOG\r\n"
         "Content-Transfer-Encoding: base64\r\n\r\n";
    const std::string linea = std::string(76, 'Q') + "\r\n";
    for (std::uintmax_t n = 0; n + linea.size() < kTamanoMaximoCorreo - 4096; n += linea.size()) f << linea;
    f << "--b--\r\n";
  });
  return 0;
}
