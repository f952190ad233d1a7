// Benchmark of the mail intake over a flood of small mails: a Maildir
// inbox of N mails (half of them a small valid log, a quarter a log under
// the wrong subject, a quarter with no attachment), one mail session that
// takes every one in, files it and answers it into an outbox Maildir.
// Prints the time per mail for 500 and for 4,000 mails (or the counts given)
// and the ratio of the two: taking in N mails should cost time linear in N.
//
//   bench_recepcion_correo [mails=500] [mails=4000]
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/edicion_concurso.h"
#include "common/progreso_etapa.h"
#include "mail/recepcion.h"
#include "mail/ventana_correo.h"
#include "plataforma/correo/correo.h"
#include "soporte/concurso_prueba.h"

namespace {

namespace fs = std::filesystem;

// The caller of the intake: mail intake with answers, failures counted.
class Ventana : public mail::VentanaCorreo, public ProgresoEtapa {
 public:
  bool GestionAutomatica() const override { return true; }
  bool NoEnviarNotificaciones() const override { return false; }
  void Paso(const std::string&) override {}
  void Porcentaje(int) override {}
  void Fallo(const std::string& texto, const std::string&) override { ++fallos, ultimo = texto; }
  bool Pregunta(const std::string&, const std::string&) override { return false; }

  int fallos = 0;
  std::string ultimo;
};

std::string Base64(const std::string& datos) {
  static const char* const abc = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string s;
  std::size_t i = 0;
  for (; i + 2 < datos.size(); i += 3) {
    const unsigned v = (static_cast<unsigned char>(datos[i]) << 16) | (static_cast<unsigned char>(datos[i + 1]) << 8) |
                       static_cast<unsigned char>(datos[i + 2]);
    s += {abc[v >> 18], abc[(v >> 12) & 63], abc[(v >> 6) & 63], abc[v & 63]};
  }
  if (i + 1 == datos.size()) {
    const unsigned v = static_cast<unsigned char>(datos[i]) << 16;
    s += {abc[v >> 18], abc[(v >> 12) & 63], '=', '='};
  } else if (i + 2 == datos.size()) {
    const unsigned v = (static_cast<unsigned char>(datos[i]) << 16) | (static_cast<unsigned char>(datos[i + 1]) << 8);
    s += {abc[v >> 18], abc[(v >> 12) & 63], abc[(v >> 6) & 63], '='};
  }
  return s + "\r\n";
}

// A distinct callsign for every k: QQ, a digit and three letters.
std::string Indicativo(int k) {
  std::string s = "QQ" + std::to_string(k % 10);
  k /= 10;
  for (int i = 0; i < 3; ++i, k /= 26) s += static_cast<char>('A' + k % 26);
  return s;
}

std::string LogDe(const std::string& indicativo) {
  return "START-OF-LOG: 3.0\r\nCALLSIGN: " + indicativo +
         "\r\nCONTEST: CONCURSO PRUEBA\r\nCATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: 20M\r\n"
         "CATEGORY-MODE: CW\r\nCATEGORY-POWER: LOW\r\n"
         "QSO: 14025 CW 2026-03-01 1000 " +
         indicativo + " 599 001 QQ2XYZ 599 001\r\nQSO: 14030 CW 2026-03-01 1002 " + indicativo +
         " 599 002 QQ3JKL 579 017\r\nEND-OF-LOG:\r\n";
}

std::string Correo(int k) {
  const std::string indicativo = Indicativo(k);
  const std::string remitente = "p" + std::to_string(k) + "@example.org";
  const int tipo = k % 4;  // 0, 2: a valid log; 1: the wrong subject; 3: no attachment
  std::string m = "From: " + remitente + "\r\nTo: concurso@example.org\r\nSubject: LISTA " +
                  (tipo == 1 ? std::string("OTRA") : indicativo) + "\r\nMessage-ID: <" + std::to_string(k) +
                  "@example.org>\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"xx\"\r\n\r\n"
                  "--xx\r\nContent-Type: text/plain\r\n\r\nAdjunto mi lista.\r\n";
  if (tipo != 3)
    m += "--xx\r\nContent-Type: application/octet-stream\r\nContent-Disposition: attachment; filename=\"" + indicativo +
         ".LOG\"\r\nContent-Transfer-Encoding: base64\r\n\r\n" + Base64(LogDe(indicativo));
  return m + "--xx--\r\n";
}

// Seconds per mail of one session over n mails, in a fresh folder.
double Mide(const std::string& raiz, int n) {
  fs::remove_all(raiz);
  const std::string trabajo = raiz + "/trabajo", carpeta = raiz + "/concurso", buzon = raiz + "/buzon";
  fs::create_directories(trabajo);
  for (const char* c : {"FicherosManuales", "FicherosRecibidos", "FicherosErrores", "FicherosConfirmacion",
                        "ListasEmail", "ListasValidas", "ListasDeSWL", "ListasAdmitidas"})
    fs::create_directories(carpeta + "/" + c);
  for (const char* c : {"tmp", "new", "cur"}) fs::create_directories(buzon + "/" + c);
  for (int k = 0; k < n; ++k) {
    char nombre[64];
    std::snprintf(nombre, sizeof nombre, "%d.M%06dP1.banco", 1773489600 + k, k);
    const std::string ruta = buzon + "/new/" + nombre;
    std::ofstream(ruta, std::ios::binary) << Correo(k);
    // Arrival order is the order of the mails.
    const timespec t[2] = {{1773489600 + k, 0}, {1773489600 + k, 0}};
    utimensat(AT_FDCWD, ruta.c_str(), t, 0);
  }

  mail::ConcursoRecepcion concurso;
  concurso.datos = soporte::ConcursoPrueba();
  concurso.datos.Concurso = "CONCURSO PRUEBA";
  concurso.categorias = soporte::CategoriasPrueba(concurso.datos);
  concurso.correo = {"concurso@example.org", "LISTA $"};
  concurso.carpetaConcurso = carpeta;
  concurso.carpetaTrabajo = trabajo;

  Ventana ventana;
  EdicionConcurso edicion(carpeta, concurso.Nombre());
  plataforma::correo::SesionCorreo sesion(plataforma::correo::CreaAlmacenMaildir(buzon),
                                          plataforma::correo::CreaSalidaMaildir(raiz + "/salida"),
                                          "concurso@example.org");
  if (!sesion.IniciarSesion()) {
    std::fprintf(stderr, "no se puede abrir el buzón: %s\n", sesion.UltimoError().descripcion.c_str());
    std::exit(1);
  }
  const auto inicio = std::chrono::steady_clock::now();
  mail::RecepcionListas recepcion(concurso, edicion, ventana, ventana, &sesion);
  recepcion.ProcesaSesion();
  const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
  sesion.CerrarSesion();

  std::size_t respuestas = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(raiz + "/salida/new")) ++respuestas;
  if (respuestas != static_cast<std::size_t>(n) || ventana.fallos) {
    std::fprintf(stderr, "%d correos: %zu respuestas, %d fallos (%s)\n", n, respuestas, ventana.fallos,
                 ventana.ultimo.c_str());
    std::exit(1);
  }
  return segundos / n;
}

}  // namespace

int main(int argc, char** argv) {
  const int pocos = argc > 1 ? std::atoi(argv[1]) : 500;
  const int muchos = argc > 2 ? std::atoi(argv[2]) : 4000;
  const std::string raiz = (fs::temp_directory_path() / ("bench_recepcion_" + std::to_string(getpid()))).string();
  setenv("TZ", "UTC", 1);
  const double a = Mide(raiz, pocos);
  std::printf("%5d correos: %8.3f ms por correo\n", pocos, a * 1000);
  const double b = Mide(raiz, muchos);
  std::printf("%5d correos: %8.3f ms por correo\n", muchos, b * 1000);
  std::printf("razón: %.2f\n", b / a);
  fs::remove_all(raiz);
  return 0;
}
