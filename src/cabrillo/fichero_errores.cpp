#include "cabrillo/fichero_errores.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <ctime>

#include "plataforma/rutas.h"

namespace cabrillo {

std::string LineaError(int numero, std::string_view texto) {
  std::string linea = ".- ERROR ";
  linea += std::to_string(numero);
  linea += ": ";
  linea += texto;
  return linea;
}

bool FicheroErrores::Crea(const std::string& carpeta_trabajo, std::string_view fecha, std::string_view asunto) {
  Cierra();
  bloques_ = 0;
  incompleto_ = false;
  ruta_ = plataforma::ResuelveRuta(plataforma::UneRuta(carpeta_trabajo, kNombreFicheroErrores));
  // The report of the last log, a file of its own, is written over; anything
  // else there is deleted and the report made anew.
  if (!fichero_.ReescribeResuelta(ruta_)) {
    plataforma::BorraFichero(ruta_);  // there may be none
    if (!fichero_.Abrir(ruta_, true)) return false;
  }
  std::string cabecera = "\tSU ENVÍO:\r\nFECHA:";
  cabecera += fecha;
  cabecera += "\r\nASUNTO:";
  cabecera += plataforma::Mayusculas(asunto);
  cabecera += "\r\n";
  fichero_.Escribir(cabecera);
  return true;
}

void FicheroErrores::Escribe(std::string_view texto) {
  if (fichero_.EstaAbierto()) fichero_.Escribir(texto);
}

void FicheroErrores::EscribeLinea(std::string_view texto) {
  if (fichero_.EstaAbierto()) fichero_.EscribirLinea(texto);
}

void FicheroErrores::EscribeAdjunto(std::string_view nombre_fichero, bool linea_en_blanco) {
  std::string linea = "ADJUNTO:";
  linea += nombre_fichero;
  EscribeLinea(linea);
  if (linea_en_blanco) EscribeLinea();
}

void FicheroErrores::EscribeBloqueError(const std::vector<std::string>& contexto, int numero, std::string_view texto,
                                        FinBloque fin) {
  std::string bloque;
  for (const std::string& linea : contexto) {
    // What the log says goes back to its sender at most kMaximoLineaCitada
    // characters at a time.
    if (linea.size() > kMaximoLineaCitada && plataforma::Longitud(linea) > kMaximoLineaCitada)
      bloque += plataforma::Izquierda(linea, kMaximoLineaCitada);
    else
      bloque += linea;
    bloque += "\r\n";
  }
  bloque += LineaError(numero, texto);
  bloque += fin == FinBloque::ConLineaEnBlanco ? "\r\n\r\n" : "\r\n";
  Escribe(bloque);
  ++bloques_;
}

bool FicheroErrores::Cierra() {
  if (fichero_.EstaAbierto() && !fichero_.Cerrar()) incompleto_ = true;
  return !incompleto_;
}

namespace {

bool SonDigitos(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

int Numero(std::string_view s) {
  int n = 0;
  for (char c : s) n = n * 10 + (c - '0');
  return n;
}

std::string Formatea(int dia, int mes, int anio) {
  char texto[16];
  std::snprintf(texto, sizeof texto, "%02d-%02d-%04d", dia % 100, mes % 100, anio % 10000);
  return texto;
}

bool FechaValida(int dia, int mes) { return dia >= 1 && dia <= 31 && mes >= 1 && mes <= 12; }

// "5 Mar 2018 ..." with an optional "Mon, " before it.
bool LeeFechaCorreo(std::string_view s, int& dia, int& mes, int& anio) {
  static constexpr std::array<std::string_view, 12> kMeses = {"jan", "feb", "mar", "apr", "may", "jun",
                                                              "jul", "aug", "sep", "oct", "nov", "dec"};
  const std::size_t coma = s.find(',');
  if (coma != std::string_view::npos) s.remove_prefix(coma + 1);
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  std::size_t i = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
  if (i == 0 || i > 2 || i >= s.size() || s[i] != ' ') return false;
  dia = Numero(s.substr(0, i));
  s.remove_prefix(i + 1);
  if (s.size() < 8 || s[3] != ' ') return false;
  std::string nombre;
  for (char c : s.substr(0, 3)) nombre += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  mes = 0;
  for (std::size_t m = 0; m < kMeses.size(); ++m)
    if (kMeses[m] == nombre) mes = static_cast<int>(m) + 1;
  if (mes == 0 || !SonDigitos(s.substr(4, 4))) return false;
  anio = Numero(s.substr(4, 4));
  return true;
}

}  // namespace

std::string FechaInforme(std::string_view fecha) {
  while (!fecha.empty() && fecha.front() == ' ') fecha.remove_prefix(1);
  if (fecha.size() >= 10) {
    const std::string_view p = fecha.substr(0, 10);
    // yyyy/mm/dd or yyyy-mm-dd
    if ((p[4] == '/' || p[4] == '-') && p[7] == p[4] && SonDigitos(p.substr(0, 4)) && SonDigitos(p.substr(5, 2)) &&
        SonDigitos(p.substr(8, 2))) {
      const int dia = Numero(p.substr(8, 2)), mes = Numero(p.substr(5, 2));
      if (FechaValida(dia, mes)) return Formatea(dia, mes, Numero(p.substr(0, 4)));
    }
    // dd-mm-yyyy or dd/mm/yyyy
    if ((p[2] == '/' || p[2] == '-') && p[5] == p[2] && SonDigitos(p.substr(0, 2)) && SonDigitos(p.substr(3, 2)) &&
        SonDigitos(p.substr(6, 4))) {
      const int dia = Numero(p.substr(0, 2)), mes = Numero(p.substr(3, 2));
      if (FechaValida(dia, mes)) return Formatea(dia, mes, Numero(p.substr(6, 4)));
    }
  }
  int dia = 0, mes = 0, anio = 0;
  if (LeeFechaCorreo(fecha, dia, mes, anio) && FechaValida(dia, mes)) return Formatea(dia, mes, anio);
  return std::string(fecha);
}

std::string FechaDeHoy() {
  const std::time_t ahora = std::time(nullptr);
  std::tm local{};
  localtime_r(&ahora, &local);
  return Formatea(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
}

bool CreaFicheroErrores(const std::optional<DatosCorreoEnCurso>& correo, FicheroErrores& informe,
                        const std::string& carpeta_trabajo) {
  if (correo) return informe.Crea(carpeta_trabajo, FechaInforme(correo->FechaRecepcion), correo->Asunto);
  return informe.Crea(carpeta_trabajo, FechaDeHoy(), "");
}

}  // namespace cabrillo
