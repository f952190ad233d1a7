#pragma once
// The error report of the log in hand ("FicheroErrores.ERR" in the working
// folder) and the writer of its error blocks.
//
// Layout: TAB "SU ENVÍO:", "FECHA:" dd-mm-yyyy, "ASUNTO:" the subject in
// upper case, then (written by the intake) "ADJUNTO:" and the file name,
// then the error blocks. Windows-1252, every line ended by CR LF.
//
// An error block is: its context lines (the log line concerned as written,
// an empty line where that header line is absent, label lines showing the
// value found), the error line ".- ERROR " number ": " text, and a blank
// line. The power-category block and the stop block end without the blank
// line (FinBloque::SinLineaEnBlanco).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plataforma/texto.h"

namespace cabrillo {

inline constexpr std::string_view kNombreFicheroErrores = "FicheroErrores.ERR";

enum class FinBloque { ConLineaEnBlanco, SinLineaEnBlanco };

// ".- ERROR 6: En el fichero ..." from the number and the text.
std::string LineaError(int numero, std::string_view texto);

// The longest line of a log (or built from one) that a report quotes.
inline constexpr std::size_t kMaximoLineaCitada = 256;

class FicheroErrores {
 public:
  // Deletes an earlier report in the folder (a failure to delete is
  // ignored), opens a new one and writes its head with the date as given
  // ("dd-mm-yyyy") and the subject in upper case. False when the report
  // cannot be opened; nothing is then written.
  bool Crea(const std::string& carpeta_trabajo, std::string_view fecha, std::string_view asunto);
  bool EstaAbierto() const { return fichero_.EstaAbierto(); }
  // Path of the report (set by Crea, kept after Cierra so that the intake
  // can file it).
  const std::string& Ruta() const { return ruta_; }

  // Writes text as is / followed by CR LF. Ignored while the report is not open.
  void Escribe(std::string_view texto);
  void EscribeLinea(std::string_view texto = {});
  // "ADJUNTO:" and the log's file name; a log from the manual folder adds a
  // blank line.
  void EscribeAdjunto(std::string_view nombre_fichero, bool linea_en_blanco = false);

  // One error block: each context line (cut to its first
  // kMaximoLineaCitada characters), the error line, and (normally) a blank
  // line.
  void EscribeBloqueError(const std::vector<std::string>& contexto, int numero, std::string_view texto,
                          FinBloque fin = FinBloque::ConLineaEnBlanco);
  void EscribeBloqueError(int numero, std::string_view texto, FinBloque fin = FinBloque::ConLineaEnBlanco) {
    EscribeBloqueError({}, numero, texto, fin);
  }
  // Error blocks written since Crea.
  std::int64_t BloquesEscritos() const { return bloques_; }

  // Closes the report; false when some of what was written to it since Crea
  // did not reach the file (a full disk): the report is then cut off.
  bool Cierra();

 private:
  plataforma::FicheroAnexo fichero_;
  std::string ruta_;
  std::int64_t bloques_ = 0;
  bool incompleto_ = false;
};

// Date of the report head from the receipt date of a mail, as the mail layer
// gives it: "yyyy/mm/dd[ hh:mm...]", "yyyy-mm-dd[...]", "dd-mm-yyyy",
// "dd/mm/yyyy" or an RFC 5322 date ("Mon, 5 Mar 2018 10:00:00 +0100").
// Gives "dd-mm-yyyy"; a text in no known form is returned as it is.
std::string FechaInforme(std::string_view fecha_recepcion);
// Today's local date as "dd-mm-yyyy".
std::string FechaDeHoy();

// Receipt date (as the mail layer gives it) and subject of the mail that
// brought a log.
struct DatosCorreoEnCurso {
  std::string FechaRecepcion;
  std::string Asunto;
};

// Opens the report in the working folder and writes its head with the
// receipt date and subject of the mail given. Without a mail (a log from the
// manual folder) the head shows today's date and an empty subject. False
// when the report cannot be opened.
bool CreaFicheroErrores(const std::optional<DatosCorreoEnCurso>& correo, FicheroErrores& informe,
                        const std::string& carpeta_trabajo);

}  // namespace cabrillo
