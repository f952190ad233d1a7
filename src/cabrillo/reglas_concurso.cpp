#include "cabrillo/reglas_concurso.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <vector>

#include "award/municipios.h"
#include "cabrillo/comprobaciones_intercambio.h"
#include "plataforma/lenguaje.h"
#include "plataforma/texto.h"

namespace cabrillo {

namespace {

using concursos::ReglaLetras;
using plataforma::EsNumerico;
using plataforma::Like;

constexpr std::string_view kSiglasEnviadas = "Las SIGLAS enviadas no están permitidas";
constexpr std::string_view kSiglasRecibidas = "Las SIGLAS recibidas no están permitidas";

// Writes the blocks of one rule on one line and remembers whether it wrote
// any.
class Regla {
 public:
  explicit Regla(LineaQsoEnCurso& l) : l_(l) {}

  void Bloque(std::initializer_list<std::string> contexto, int numero, std::string_view texto) {
    std::vector<std::string> lineas;
    lineas.reserve(contexto.size() + 1);
    lineas.emplace_back(l_.linea);
    for (const std::string& c : contexto) lineas.push_back(c);
    l_.informe.EscribeBloqueError(lineas, numero, texto);
    fallo_ = true;
  }
  ResultadoReglaConcurso Resultado() const {
    return fallo_ ? ResultadoReglaConcurso::NoCumple : ResultadoReglaConcurso::Cumple;
  }

 private:
  LineaQsoEnCurso& l_;
  bool fallo_ = false;
};

std::string S(std::string_view v) { return std::string(v); }

// A numeric points token as a 16-bit signed integer, rounded half to even;
// nullopt when the token is not numeric or its value does not fit.
std::optional<std::int16_t> Puntos(std::string_view token) {
  if (!EsNumerico(token)) return std::nullopt;
  const std::string copia = plataforma::Recorta(token);
  const double v = std::nearbyint(std::strtod(copia.c_str(), nullptr));
  if (!(v >= -32768.0 && v <= 32767.0)) return std::nullopt;
  return static_cast<std::int16_t>(v);
}

bool EsPaisIberico(std::string_view pais) { return Like(pais, "CT*") || Like(pais, "EA*") || pais == "C3"; }

// Both stations of Spain, Portugal or Andorra.
ResultadoReglaConcurso PaisConcursante(LineaQsoEnCurso& l) {
  if (!l.patrones.solo_ibericos) return ResultadoReglaConcurso::SinReglaEspecifica;
  Regla r(l);
  const std::string& pais = l.pais_propio.Valor();
  if (!EsPaisIberico(pais))
    r.Bloque({"PAÍS CONCURSANTE: " + pais}, 40, "El Concursante no es una estación de España, Portugal o Andorra");
  return r.Resultado();
}

ResultadoReglaConcurso PaisContacto(LineaQsoEnCurso& l) {
  if (!l.patrones.solo_ibericos) return ResultadoReglaConcurso::SinReglaEspecifica;
  Regla r(l);
  const std::string& pais = l.pais_trabajado.Valor();
  if (!EsPaisIberico(pais))
    r.Bloque({"PAÍS CONTACTO: " + pais}, 41, "El contacto no es una estación de España, Portugal o Andorra");
  return r.Resultado();
}

// A phone category works phone only.
ResultadoReglaConcurso Modo(LineaQsoEnCurso& l) {
  if (!l.patrones.modo_por_categoria) return ResultadoReglaConcurso::SinReglaEspecifica;
  Regla r(l);
  if (Like(l.categoria_operador, "*-PH") && l.modo != "PH")
    r.Bloque({"MODO: " + S(l.modo) + " - CATEGORIA: " + S(l.categoria_operador)}, 36,
             "El modo del QSO no se corresponde con la categoría del concursante");
  return r.Resultado();
}

// The sent letters, by the letters rule of the contest.
ResultadoReglaConcurso LetrasEnviadas(LineaQsoEnCurso& l) {
  const DatosConcursoLog& c = l.concurso;
  const ReglaLetras regla = l.patrones.letras;
  const std::string L(l.letras_enviadas);
  const std::string_view O = l.categoria_operador;
  Regla r(l);

  if (regla == ReglaLetras::SiglasONumero || regla == ReglaLetras::UrsRtty) {
    if (!EsNumerico(L) && !VerificaSiglasEnviadas(c, L)) r.Bloque({"SIGLAS: " + L}, 26, kSiglasEnviadas);
  } else if (regla == ReglaLetras::OmYl) {
    if (L != "OM" && L != "YL") {
      r.Bloque({"SIGLAS: " + L}, 26, "Las SIGLAS enviadas no están permitidas, se permite YL o OM ");
    } else if (l.memoria.SiglasEnviadasLog.empty()) {
      l.memoria.SiglasEnviadasLog = L;
    } else if (L != l.memoria.SiglasEnviadasLog) {
      r.Bloque({"SIGLAS: " + L}, 26, "Hay que enviar las mismas SIGLAS en todos los contactos ");
    }
  } else if (regla == ReglaLetras::Andalucia) {
    if (Like(l.indicativo_propio_base, "*7*") && !Like(l.indicativo_propio, "*/*")) {
      if (!VerificaSiglasEnviadasEspeciales(c, L, l.indicativo_propio_base))
        r.Bloque({"SIGLAS: " + L}, 26, kSiglasEnviadas);
    } else if (!EsNumerico(L)) {
      r.Bloque({"Número Serie: " + L}, 25, "El NÚMERO SERIE enviado del QSO no es numérico.");
    }
  } else if (regla == ReglaLetras::ReferenciaVg) {
    auto numero_serie = [&] {
      if (!EsNumerico(L)) r.Bloque({"CONTROL ENVIADO: " + L}, 30, "Falta el número serie enviado o no es correcto");
    };
    constexpr std::string_view kFaltaReferencia = "Falta referencia enviada o no es correcta.";
    if (O == "GENERAL") {
      numero_serie();
    } else {
      std::string letras, digitos;
      SeparaReferenciaVG(L, letras, digitos);
      // The digits of a sent reference are not tested.
      if (Like(L, "VG*")) {
        if (!VerificaSiglasRecibidas(c, letras)) r.Bloque({"CONTROL ENVIADO: " + L}, 30, kFaltaReferencia);
      } else if (O == "CHECKLOG") {
        numero_serie();
      } else {
        r.Bloque({"CONTROL ENVIADO: " + L}, 30, kFaltaReferencia);
      }
    }
  } else if (regla == ReglaLetras::Die) {
    const std::string& pais = l.pais_propio.Valor();
    const bool pais_iberico = pais == "EA" || pais == "CT" || pais == "C3";
    if (Like(O, "ISLA*") || O == "FARO") {
      if (EsNumerico(L)) r.Bloque({"CONTROL ENVIADO: " + L}, 40, "No se ha enviado una REFERENCIA");
    } else if (O == "GENERAL-PENINSULAR" || O == "GENERAL-NO-EA") {
      const bool peninsular = O == "GENERAL-PENINSULAR";
      if (!EsNumerico(L))
        r.Bloque({"CONTROL ENVIADO: " + L}, 40, "El control enviado no es un NÚMERO SERIE ");
      else if (peninsular != pais_iberico)
        r.Bloque({"PAÍS CONCURSANTE: " + pais, "CATEGORÍA: " + S(O)}, 40,
                 "El QSO no se corresponde con la categoría del concursante");
    }
  } else if (regla == ReglaLetras::SiglasOGuion) {
    if (L != "-" && !VerificaSiglasEnviadas(c, L))
      r.Bloque({"SIGLAS: " + L}, 30, "Las SIGLAS enviadas no son permitidas.");
  } else if (regla == ReglaLetras::Dce) {
    const std::string S_ = S(l.categoria_estacion);
    auto referencia = [&] {
      r.Bloque({"CONTROL ENVIADO: " + L, "Tipo Estación: " + S_}, 30, "La REFERENCIA enviada no es correcta.");
    };
    if (plataforma::Mayusculas(S_) == "EXPEDITION") {
      std::string provincia, resto;
      SeparaProvinciaLiteral(L, provincia, resto);
      if (!EsNumerico(resto) || plataforma::Longitud(resto) != 3) referencia();
      if (!VerificaSiglasEnviadas(c, provincia)) referencia();
    } else if (L != "-") {
      referencia();
    }
    if (l.memoria.ReferenciaEnviadaLog.empty())
      l.memoria.ReferenciaEnviadaLog = L;
    else if (L != l.memoria.ReferenciaEnviadaLog)
      r.Bloque({"CONTROL ENVIADO: " + L, "Tipo Estación: " + S_}, 35,
               "NO se envía la misma REFERENCIA en TODOS los CONTACTOS.");
  } else if (regla == ReglaLetras::Iberica) {
    const std::string& pais = l.pais_propio.Valor();
    if (Like(pais, "EA*")) {
      if (!VerificaSiglasEnviadas(c, L)) r.Bloque({"SIGLAS: " + L}, 26, kSiglasEnviadas);
    } else if (pais == "CT") {
      if (!EsDistritoPortugues(L, "CT", l.indicativo_propio_base))
        r.Bloque({"DISTRITO: " + L}, 38, "El DISTRITO enviado no es correcto");
    } else if (pais == "C3") {
      if (L != "C3") r.Bloque({"CONTROL: " + L}, 39, "El CONTROL enviado no es correcto");
    }
  } else {
    return ResultadoReglaConcurso::SinReglaEspecifica;
  }
  return r.Resultado();
}

// Points in the exchange: the sent points, by station type and the same in
// every QSO.
ResultadoReglaConcurso PuntosEnviados(LineaQsoEnCurso& l) {
  if (!l.patrones.puntos_en_intercambio) return ResultadoReglaConcurso::SinReglaEspecifica;
  Regla r(l);
  const std::string P(l.puntos_enviados);
  const std::string S_ = S(l.categoria_estacion);
  auto bloque = [&] {
    r.Bloque({"PUNTOS: " + P, "Tipo Estación: " + S_}, 32, "Los PUNTOS ENVIADOS no son correctos.");
  };
  std::int16_t v = 0;
  if (const std::optional<std::int16_t> p = Puntos(P)) {
    v = *p;
    const bool bien = S_ == "EXPEDITION" ? (v == 5 || v == 10) : v == 1;
    if (!bien) bloque();
  } else {
    // Not numeric, or a number that no points value can hold.
    bloque();
  }
  if (l.memoria.PuntosEnviadosLog == 0)
    l.memoria.PuntosEnviadosLog = v;
  else if (v != l.memoria.PuntosEnviadosLog)
    r.Bloque({"PUNTOS: " + P}, 34, "NO se envían los mismos puntos en TODOS los CONTACTOS.");
  return r.Resultado();
}

// The received letters, by the letters rule of the contest.
ResultadoReglaConcurso LetrasRecibidas(LineaQsoEnCurso& l) {
  const DatosConcursoLog& c = l.concurso;
  const ReglaLetras regla = l.patrones.letras;
  const std::string R(l.letras_recibidas);
  Regla r(l);

  if (regla == ReglaLetras::SiglasONumero) {
    if (!EsNumerico(R) && !VerificaSiglasRecibidas(c, R))
      r.Bloque({"SIGLAS: " + R}, 30, "Las SIGLAS recibidas no son permitidas.");
  } else if (regla == ReglaLetras::Andalucia) {
    if (Like(l.indicativo_trabajado, "*7*") && !Like(l.indicativo_trabajado, "*/*")) {
      if (!VerificaSiglasRecibidasEspeciales(c, R, l.indicativo_trabajado))
        r.Bloque({"SIGLAS: " + R}, 26, kSiglasRecibidas);
    } else if (!EsNumerico(R)) {
      r.Bloque({"Número Serie: " + R}, 29, "El NÚMERO SERIE recibido del QSO no es numérico.");
    }
  } else if (regla == ReglaLetras::OmYl) {
    if (R != "OM" && R != "YL")
      r.Bloque({"SIGLAS: " + R}, 30, "Las SIGLAS recibidas no son permitidas, se permite YL o OM");
  } else if (regla == ReglaLetras::UrsRtty) {
    if (!EsNumerico(R) && !VerificaSiglasRecibidas(c, R))
      r.Bloque({"SIGLAS: " + R}, 30,
               "Las SIGLAS recibidas no son permitidas o el NÚMERO SERIE recibido no es númerico.");
  } else if (regla == ReglaLetras::ReferenciaVg) {
    if (Like(R, "VG*")) {
      auto referencia = [&] { r.Bloque({"CONTROL RECIBIDO: " + R}, 30, "La REFERENCIA recibida no es correcta."); };
      std::string letras, digitos;
      SeparaReferenciaVG(R, letras, digitos);
      if (!EsNumerico(digitos) || plataforma::Longitud(digitos) != 3) referencia();
      if (!VerificaSiglasRecibidas(c, letras)) referencia();
    } else if (!EsNumerico(R)) {
      r.Bloque({"CONTROL RECIBIDO: " + R}, 30, "Falta el NÚMERO SERIE recibido o no es correcto");
    }
  } else if (regla == ReglaLetras::SiglasOGuion) {
    if (R != "-" && !VerificaSiglasRecibidas(c, R))
      r.Bloque({"SIGLAS: " + R}, 30, "Las SIGLAS recibidas no son permitidas.");
  } else if (regla == ReglaLetras::Dme) {
    if (R != "-" && !award::EsDmeValido(R)) r.Bloque({"DME: " + R}, 30, "El DME recibido no es válido.");
  } else if (regla == ReglaLetras::Dce) {
    if (R != "-") {
      auto referencia = [&] {
        r.Bloque({"CONTROL RECIBIDO: " + R, "Tipo Estación: " + S(l.categoria_estacion)}, 30,
                 "La REFERENCIA recibida no es correcta.");
      };
      std::string provincia, resto;
      SeparaProvinciaLiteral(R, provincia, resto);
      if (!EsNumerico(resto) || plataforma::Longitud(resto) != 3) referencia();
      if (!VerificaSiglasRecibidas(c, provincia)) referencia();
    }
  } else if (regla == ReglaLetras::Iberica) {
    const std::string& pais = l.pais_trabajado.Valor();
    if (Like(pais, "EA*")) {
      if (!VerificaSiglasRecibidas(c, R)) r.Bloque({"SIGLAS: " + R}, 26, kSiglasRecibidas);
    } else if (pais == "CT") {
      if (!EsDistritoPortugues(R, "CT", l.indicativo_trabajado))
        r.Bloque({"DISTRITO: " + R}, 38, "El DISTRITO recibido no es correcto");
    } else if (pais == "C3") {
      if (R != "C3") r.Bloque({"CONTROL: " + R}, 39, "El CONTROL recibido no es correcto");
    }
  } else {
    return ResultadoReglaConcurso::SinReglaEspecifica;
  }
  return r.Resultado();
}

// Points in the exchange: the received points, by the received reference.
ResultadoReglaConcurso PuntosRecibidos(LineaQsoEnCurso& l) {
  if (!l.patrones.puntos_en_intercambio) return ResultadoReglaConcurso::SinReglaEspecifica;
  Regla r(l);
  const std::optional<std::int16_t> v = Puntos(l.puntos_recibidos);
  const bool bien = v && (l.letras_recibidas == "-" ? *v == 1 : (*v == 5 || *v == 10));
  if (!bien)
    r.Bloque({"PUNTOS RECIBIDOS: " + S(l.puntos_recibidos), "Tipo Estación: " + S(l.categoria_estacion)}, 33,
             "Los PUNTOS RECIBIDOS no son correctos.");
  return r.Resultado();
}

}  // namespace

PatronesNombreConcurso PatronesDelNombre(std::string_view nombre_concurso) {
  using concursos::PerfilConcurso;
  return {concursos::Tiene(nombre_concurso, &PerfilConcurso::solo_ibericos),
          concursos::Tiene(nombre_concurso, &PerfilConcurso::modo_por_categoria),
          concursos::Tiene(nombre_concurso, &PerfilConcurso::puntos_en_intercambio),
          concursos::LetrasDe(nombre_concurso)};
}

ResultadoReglaConcurso AplicaReglaConcurso(PuntoReglaConcurso punto, LineaQsoEnCurso& linea) {
  switch (punto) {
    case PuntoReglaConcurso::PaisConcursante: return PaisConcursante(linea);
    case PuntoReglaConcurso::PaisContacto: return PaisContacto(linea);
    case PuntoReglaConcurso::Modo: return Modo(linea);
    case PuntoReglaConcurso::LetrasEnviadas: return LetrasEnviadas(linea);
    case PuntoReglaConcurso::PuntosEnviados: return PuntosEnviados(linea);
    case PuntoReglaConcurso::LetrasRecibidas: return LetrasRecibidas(linea);
    case PuntoReglaConcurso::PuntosRecibidos: return PuntosRecibidos(linea);
  }
  return ResultadoReglaConcurso::SinReglaEspecifica;
}

}  // namespace cabrillo
