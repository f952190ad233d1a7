#pragma once
// The mailings of the rankings window: the result (score file and annulled
// QSOs with a closing text), the annulled QSOs alone, or a communiqué, one
// mail to every participant whose address the answer mails kept in
// `ListasEmail` (one file per participant, named after the callsign, a dot
// and "Email", holding the address): the recipients are those files' names.
//
// Every mail goes out through its own mail session, signed on and off
// around it. A mail that cannot go out (sign-on or send) is reported with
// the mail layer's error number to whoever started the mailing (the window
// shows it to the operator), and the mailing goes on with the next
// participant.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "scoring/envios_clasificacion.h"

namespace dao {
class Database;
}

namespace mail {

// Subject of the result and annulled-QSO mails: this and the contest's name.
inline constexpr std::string_view kAsuntoResultados = "RESULTADOS ";

// The contest in hand as the mailings need it.
struct ConcursoEnvios {
  std::string CarpetaConcurso;
  std::string CarpetaTrabajo;  // its mail profile names the way out
  std::string NombreConcurso;
  std::string CorreoReclamaciones;   // empty when not set
  std::string DireccionWebConcurso;  // empty when not set
};

// Reads the contest's name, claims address and web page from its row of
// `Concursos`. False when the contest has no row.
bool LeeConcursoEnvios(dao::Database& base, std::int32_t numero_orden, const std::string& carpeta_concurso,
                       const std::string& carpeta_trabajo, ConcursoEnvios& concurso);

// The closing text of the result and annulled-QSO mails, one item per line.
std::vector<std::string> TextoAgradecimiento(std::string_view nombre_concurso, std::string_view correo_reclamaciones,
                                             std::string_view direccion_web);

// The text of the result mail (con_puntuacion) or of the annulled-QSO mail
// of one participant: the score part when its score file exists, the
// annulled part when its annulled-QSO file exists, and the closing text.
// Lines end in CR LF.
std::string TextoResultados(const ConcursoEnvios& concurso, const std::string& indicativo, bool con_puntuacion);

// One participant of the address folder: the file's name, the address it
// holds (its first line, blanks trimmed) and the callsign (the name up to
// its first dot; the whole name when it has none).
struct Destinatario {
  std::string Fichero;
  std::string Direccion;
  std::string Indicativo;
};
Destinatario LeeDestinatario(const std::string& carpeta_concurso, const std::string& fichero);

// Where a mail that could not go out is reported: its text (TextoFalloEnvio).
using AvisoFalloEnvio = std::function<void(const std::string& texto)>;

// The way one mail goes out.
class SalidaEnvios {
 public:
  virtual ~SalidaEnvios() = default;
  // Sends one mail; a failure is reported here.
  virtual void Envia(const std::string& direccion, const std::string& asunto, const std::string& texto) = 0;
};

// Through the program's mail session of a working folder: signs on, sends
// and signs off for every mail. A failure is reported to `al_fallar` as
// "Ha ocurrido un error durante el envío: " and the error number.
std::unique_ptr<SalidaEnvios> SalidaPorSesion(const std::string& carpeta_trabajo, AvisoFalloEnvio al_fallar);

// The text of that failure.
std::string TextoFalloEnvio(int numero);

// The names of every file of `ListasEmail`, in folder order (none when the
// folder is missing).
std::vector<std::string> ListaDestinatarios(const ConcursoEnvios& concurso);

// The three mailings: one mail per name of `destinatarios` (files of
// `ListasEmail`), in that order.
void EnviaResultadosPorEmail(const std::vector<std::string>& destinatarios, const ConcursoEnvios& concurso,
                             SalidaEnvios& salida);
void EnviaQsoAnuladosPorEmail(const std::vector<std::string>& destinatarios, const ConcursoEnvios& concurso,
                              SalidaEnvios& salida);
void EnviaComunicadoPorEmail(const std::vector<std::string>& destinatarios, const ConcursoEnvios& concurso,
                             const std::string& asunto, const std::string& texto, SalidaEnvios& salida);

// The mailings as the rankings window reaches them.
class EnviosResultados : public scoring::EnviosClasificacion {
 public:
  // salida: nullptr sends through the mail session of the contest's
  // working folder, reporting its failures to `al_fallar`.
  EnviosResultados(ConcursoEnvios concurso, AvisoFalloEnvio al_fallar, std::unique_ptr<SalidaEnvios> salida = nullptr);
  std::vector<std::string> Destinatarios() override;
  void EnviaResultadosPorEmail(const std::vector<std::string>& destinatarios) override;
  void EnviaQsoAnuladosPorEmail(const std::vector<std::string>& destinatarios) override;
  void EnviaComunicadoPorEmail(const std::vector<std::string>& destinatarios, const std::string& asunto,
                               const std::string& texto) override;

 private:
  ConcursoEnvios concurso_;
  std::unique_ptr<SalidaEnvios> salida_;
};

}  // namespace mail
