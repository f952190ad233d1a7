#pragma once
// Rules of their own that some contests, known by name, apply to a QSO
// line at fixed points of the QSO-line check. The check asks at each point;
// a contest without a rule there answers SinReglaEspecifica and the check
// applies its default rule (or none).
#include <cstdint>
#include <string>
#include <string_view>

#include "cabrillo/datos_concurso.h"
#include "cabrillo/entorno_validacion.h"
#include "cabrillo/fichero_errores.h"
#include "database/concursos_especiales.h"

namespace cabrillo {

// What spans the QSO lines of one log: the points, the reference and the
// letters sent in the first QSO that carries them. Fresh for every log.
struct MemoriaLog {
  std::int16_t PuntosEnviadosLog = 0;
  std::string ReferenciaEnviadaLog;
  std::string SiglasEnviadasLog;
};

// Points of the QSO-line check at which a contest rule may apply, in the
// order of the check.
enum class PuntoReglaConcurso {
  PaisConcursante,  // after the own call is read
  PaisContacto,     // after the worked call is read
  Modo,             // after the mode checks
  LetrasEnviadas,   // in place of the default sent-letters rule
  PuntosEnviados,   // sent points (no default rule)
  LetrasRecibidas,  // in place of the default received-letters rule
  PuntosRecibidos,  // received points (no default rule)
};

enum class ResultadoReglaConcurso {
  SinReglaEspecifica,  // the contest has no rule at this point
  Cumple,              // the rule applied and wrote nothing
  NoCumple,            // the rule wrote one or more error blocks
};

// What the contest's profile (database/concursos_especiales.h) tells the
// rules of a QSO line, worked out once per log rather than on every line.
struct PatronesNombreConcurso {
  bool solo_ibericos = false;
  bool modo_por_categoria = false;
  bool puntos_en_intercambio = false;
  concursos::ReglaLetras letras = concursos::ReglaLetras::Ninguna;
};
PatronesNombreConcurso PatronesDelNombre(std::string_view nombre_concurso);

// The QSO line in hand as the check has read it.
struct LineaQsoEnCurso {
  const DatosConcursoLog& concurso;
  FicheroErrores& informe;
  MemoriaLog& memoria;
  std::string_view linea;  // as written; the first context line of a block

  std::string_view modo;
  std::string_view indicativo_propio;  // as written
  std::string_view indicativo_propio_base;
  const PaisPerezoso& pais_propio;
  std::string_view indicativo_trabajado;  // as written
  const PaisPerezoso& pais_trabajado;
  std::string_view letras_enviadas, puntos_enviados;
  std::string_view letras_recibidas, puntos_recibidos;
  // The log's operator and station categories.
  std::string_view categoria_operador, categoria_estacion;
  // PatronesDelNombre(concurso.Concurso).
  const PatronesNombreConcurso& patrones;
};

// The rule of the contest in hand at that point of the check, if it has one.
ResultadoReglaConcurso AplicaReglaConcurso(PuntoReglaConcurso punto, LineaQsoEnCurso& linea);

}  // namespace cabrillo
