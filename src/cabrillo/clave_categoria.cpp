#include "cabrillo/clave_categoria.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "cabrillo/contexto_concurso.h"
#include "cabrillo/entorno_validacion.h"
#include "cabrillo/lectura.h"
#include "cabrillo/lectura_concurso.h"
#include "cabrillo/verificacion_cabecera.h"
#include "common/paises.h"
#include "database/concursos_especiales.h"
#include "plataforma/lenguaje.h"
#include "plataforma/texto.h"

namespace cabrillo {

namespace {

using plataforma::Like;
using plataforma::Recorta;

// The text after the first ":" of a line, trimmed, case kept; the whole
// line trimmed when it has no ":".
std::string TrasDosPuntos(std::string_view linea) {
  const std::size_t p = linea.find(':');
  return Recorta(p == std::string_view::npos ? linea : linea.substr(p + 1));
}

struct Valores {
  std::string operador, banda, potencia, modo, asistido, transmisor, estacion, tiempo, overlay;
  std::string septimo;  // `ReglaClave::Insular`: token 7 of the first QSO line
};

// Old operator words, by exact comparison.
void TraduceOperadorAntiguo(Valores& v) {
  if (v.operador == "MONO-OPERADOR" || v.operador == "FIJA") {
    v.operador = "SINGLE-OP";
  } else if (v.operador == "MONO-PORTABLE") {
    v.operador = "SINGLE-OP";
    v.estacion = "PORTABLE";
  } else if (v.operador == "MULTI-OPERADOR") {
    v.operador = "MULTI-OP";
  } else if (v.operador == "MULTI-PORTABLE") {
    v.operador = "MULTI-OP";
    v.estacion = "PORTABLE";
  } else if (v.operador == "CONTROL") {
    v.operador = "CHECKLOG";
  }
}

// Version 2.0 operator words that carry a transmitter or station value.
void TraduceOperadorV2(Valores& v) {
  if (v.operador == "MULTI-ONE") {
    v.operador = "MULTI-OP";
    v.transmisor = "ONE";
  } else if (v.operador == "MULTI-TWO") {
    v.operador = "MULTI-OP";
    v.transmisor = "TWO";
  } else if (v.operador == "MULTI-MULTI") {
    v.operador = "MULTI-OP";
  } else if (v.operador == "MULTI-LIMITED") {
    v.operador = "MULTI-OP";
    v.transmisor = "LIMITED";
  } else if (v.operador == "MULTI-UNLIMITED") {
    v.operador = "MULTI-OP";
    v.transmisor = "UNLIMITED";
  } else if (v.operador == "SINGLE-OP-PORTABLE") {
    v.operador = "SINGLE-OP";
    v.estacion = "PORTABLE";
  }
}

std::string PaisDe(const TablasPaises* paises, const std::string& indicativo) {
  return PaisDeIndicativo(paises, indicativo);
}

std::string DistritoDe(const TablasPaises* paises, const std::string& indicativo) {
  std::string prefijo, distrito;
  if (indicativo.size() > kLongitudMaximaIndicativo) return distrito;
  ObtienePrefijoYDistrito(PaisesRequeridos(paises), indicativo, prefijo, distrito);
  return distrito;
}

}  // namespace

LectorLog LectorLog::Abre(const std::string& ruta) { return LectorLog(plataforma::LeerLineas(ruta)); }

bool LectorLog::LeeLinea(std::string& linea) {
  if (Fin()) return false;
  linea = lineas_[siguiente_++];
  return true;
}

void LeeCategoria(LectorLog& log, std::string& valor) {
  std::string linea;
  while (log.LeeLinea(linea)) {
    if (Like(linea, "CATEGORY:*") || Like(linea, "CATEGORY-OPERATOR:*")) {
      ObtieneValorParametro(linea, valor);
      return;
    }
  }
}

void LeeCabeceraCabrillo(LectorLog& log, const ConcursoClave& concurso, std::string& clave,
                         std::string& indicativo) {
  const std::string_view nombre = concurso.nombre;
  const concursos::ReglaClave regla = concursos::ClaveDe(nombre);
  Valores v;
  std::string linea;
  std::string version;
  if (log.LeeLinea(linea)) version = TrasDosPuntos(linea);
  const bool v2 = version == "2.0";
  const bool v3 = version == "3.0";

  if (v2 || v3) {
    while (log.LeeLinea(linea)) {
      const std::string recortada = Recorta(linea);
      if (Like(recortada, "END-OF-LOG:*")) break;
      if (Like(recortada, "QSO:*")) {
        if (regla == concursos::ReglaClave::Insular) {
          std::int64_t posicion = 5;
          for (int i = 1; i <= 5; ++i) ObtieneSiguienteCampo(linea, posicion, indicativo);
          for (int i = 6; i <= 7; ++i) ObtieneSiguienteCampo(linea, posicion, v.septimo);
        }
        break;
      }
      if (Like(linea, "CALLSIGN:*")) {
        indicativo = TrasDosPuntos(linea);
      } else if (v2) {
        if (Like(linea, "CATEGORY:*")) {
          DesglosaCategoriaCabrillo(linea, v.operador, v.banda, v.potencia, v.modo, v.estacion);
          TraduceOperadorV2(v);
        }
      } else if (Like(linea, "CATEGORY-OPERATOR:*")) {
        v.operador = TrasDosPuntos(linea);
        if (regla == concursos::ReglaClave::OperadorEscrito) {
          // The key of this contest is the operator value as written.
          clave = v.operador;
          return;
        }
      } else if (Like(linea, "CATEGORY-BAND:*")) {
        v.banda = TrasDosPuntos(linea);
      } else if (Like(linea, "CATEGORY-POWER:*")) {
        v.potencia = TrasDosPuntos(linea);
      } else if (Like(linea, "CATEGORY-MODE:*")) {
        v.modo = TrasDosPuntos(linea);
      } else if (Like(linea, "CATEGORY-TRANSMITTER:*")) {
        v.transmisor = TrasDosPuntos(linea);
      } else if (Like(linea, "CATEGORY-STATION:*")) {
        v.estacion = TrasDosPuntos(linea);
      } else if (Like(linea, "CATEGORY-TIME:*")) {
        v.tiempo = TrasDosPuntos(linea);
      } else if (Like(linea, "CATEGORY-OVERLAY:*")) {
        v.overlay = TrasDosPuntos(linea);
      } else if (Like(linea, "CATEGORY-ASSISTED:*")) {
        v.asistido = TrasDosPuntos(linea);
      }
    }
  }

  TraduceOperadorAntiguo(v);

  clave = plataforma::Mayusculas(v.operador);
  if (const FilaResumenCabrillo* r = concurso.resumen) {
    const std::pair<const Logico FilaResumenCabrillo::*, const std::string*> grupos[] = {
        {&FilaResumenCabrillo::BandaNoAplicable, &v.banda},
        {&FilaResumenCabrillo::PotenciaNoAplicable, &v.potencia},
        {&FilaResumenCabrillo::ModoNoAplicable, &v.modo},
        {&FilaResumenCabrillo::AsistidoNoAplicable, &v.asistido},
        {&FilaResumenCabrillo::TxNoAplicable, &v.transmisor},
        {&FilaResumenCabrillo::TipoEstacionNoAplicable, &v.estacion},
        {&FilaResumenCabrillo::TimeNoAplicable, &v.tiempo},
        {&FilaResumenCabrillo::OverlayNoAplicable, &v.overlay},
    };
    for (const auto& [interruptor, valor] : grupos)
      if (EsFalso(r->*interruptor) && !valor->empty()) clave += " " + plataforma::Mayusculas(*valor);
  }

  if (concursos::Tiene(nombre, &concursos::PerfilConcurso::estacion_fija) && clave == "SINGLE-OP")
    clave = "SINGLE-OP FIXED";

  if (Like(clave, "CHECKLOG*")) {
    clave = "CHECKLOG";
    return;
  }

  if (regla == concursos::ReglaClave::Insular) {
    const std::string pais = PaisDe(concurso.paises, indicativo);
    if (pais == "EA6" || pais == "EA" || pais == "EA9")
      clave = " 3.- Nacional Distrito " + DistritoDe(concurso.paises, indicativo);
    else if (pais == "EA8" && v.septimo == "LP")
      clave = " 5.- Regional Estaciones LP ";
    else if (pais == "EA8" && indicativo == concursos::EstacionEspecialDe(nombre))
      clave = " 1.- Estación Especial ";
    else if (pais == "EA8")
      clave = " 2.- Regional Distrito " + pais;
    else
      clave = " 4.- Internacional";
  } else if (regla == concursos::ReglaClave::Ea3) {
    clave = Like(indicativo, "??3*") && PaisDe(concurso.paises, indicativo) == "EA" ? "ESTACIÓN EA3"
                                                                                    : "ESTACIÓN NO EA3";
  } else if (regla == concursos::ReglaClave::SociosDelClub) {
    for (const std::string& socio : concurso.socios_zurozi) {
      if (socio == indicativo) {
        clave = " SOCIO ZUROZI";
        return;
      }
    }
    if (Like(PaisDe(concurso.paises, indicativo), "EA*"))
      clave = indicativo == concursos::EstacionEspecialDe(nombre)
                  ? " ESTACIÓN ESPECIAL"
                  : " EA Distrito " + DistritoDe(concurso.paises, indicativo);
    else
      clave = " ESTACIÓN DX";
  }
}

void LeeCabeceraCabrillo(const ContextoConcurso& contexto, dao::Database& base, LectorLog& log,
                         std::span<const std::string> socios_zurozi, std::string& clave, std::string& indicativo) {
  const std::optional<FilaResumenCabrillo> fila = LeeFilaResumenCabrillo(base, contexto.NumeroConcursoActual);
  const ConcursoClave concurso{contexto.NombreConcurso, fila ? &*fila : nullptr, socios_zurozi, contexto.Paises.get()};
  LeeCabeceraCabrillo(log, concurso, clave, indicativo);
}

}  // namespace cabrillo
