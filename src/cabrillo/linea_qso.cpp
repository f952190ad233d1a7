#include "cabrillo/linea_qso.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "cabrillo/comprobaciones_intercambio.h"
#include "cabrillo/indicativo_base.h"
#include "cabrillo/lectura.h"
#include "cabrillo/verificacion_cabecera.h"
#include "common/campos_linea.h"
#include "common/reglas_qso.h"
#include "database/concursos_especiales.h"
#include "plataforma/lenguaje.h"
#include "plataforma/texto.h"

namespace cabrillo {

namespace {

using D = DatosConcursoLog;
using R = FilaResumenCabrillo;

// Band table: the folded band, the column that permits it (of `Concursos`
// or, for 222 and 902, of `ResumenCabrillo`) and its category word.
struct FilaBanda {
  std::string_view banda;
  Logico D::*concursos;
  Logico R::*resumen;
  std::string_view categoria;  // empty: the band has no category word
};
constexpr std::array<FilaBanda, 16> kBandas = {{
    {"1800", &D::Banda1_8, nullptr, "160M"},
    {"3500", &D::Banda3_5, nullptr, "80M"},
    {"7000", &D::Banda7, nullptr, "40M"},
    {"10000", &D::Banda10, nullptr, "30M"},
    {"14000", &D::Banda14, nullptr, "20M"},
    {"18000", &D::Banda18, nullptr, "16M"},
    {"21000", &D::Banda21, nullptr, "15M"},
    {"24000", &D::Banda24, nullptr, "12M"},
    {"27500", &D::BandaUser, nullptr, {}},
    {"28000", &D::Banda28, nullptr, "10M"},
    {"50", &D::Banda50, nullptr, "6M"},
    {"144", &D::Banda144, nullptr, "2M"},
    {"222", nullptr, &R::M222, "222"},
    {"432", &D::Banda432, nullptr, "432"},
    {"902", nullptr, &R::M902, "902"},
    {"1.2", &D::Banda1296, nullptr, "1.2G"},
}};

// Mode table: the category modes that a QSO mode fits, the RST length it
// asks for (0: any) and its name in the RST errors.
struct FilaModo {
  std::string_view modo;
  std::string_view categoria1, categoria2;
  std::size_t longitud_rst;
  std::string_view nombre_rst;
};
constexpr std::array<FilaModo, 5> kModos = {{
    {"CW", "CW", "MIXED", 3, "CW"},
    {"PH", "SSB", "MIXED", 2, "SSB"},
    {"FM", "FM", "MIXED", 0, {}},
    {"RY", "RTTY", {}, 3, "RTTY"},
    {"PS", {}, {}, 3, "PSK"},
}};

int IndiceBanda(std::string_view banda) {
  for (std::size_t i = 0; i < kBandas.size(); ++i)
    if (kBandas[i].banda == banda) return static_cast<int>(i);
  return -1;
}

int IndiceModo(std::string_view modo) {
  for (std::size_t i = 0; i < kModos.size(); ++i)
    if (kModos[i].modo == modo) return static_cast<int>(i);
  return -1;
}

// The numeric value of a text that passes the numeric test.
double Valor(std::string_view texto) {
  // Plain digits (the usual hours and minutes) need no conversion routine.
  if (!texto.empty() && texto.size() <= 15) {
    double v = 0;
    bool digitos = true;
    for (char ch : texto) {
      if (ch < '0' || ch > '9') {
        digitos = false;
        break;
      }
      v = v * 10 + (ch - '0');
    }
    if (digitos) return v;
  }
  const std::string copia(texto);
  return std::strtod(copia.c_str(), nullptr);
}

bool EmpiezaPor(std::string_view texto, std::string_view prefijo) { return texto.substr(0, prefijo.size()) == prefijo; }

// A context line of an error block: a caption and what the log wrote.
std::string Rotulo(std::string_view rotulo, std::string_view valor) {
  std::string texto;
  texto.reserve(rotulo.size() + valor.size());
  texto.append(rotulo).append(valor);
  return texto;
}

// Characters [inicio, inicio + 2) of a field, 1-based, as plataforma::Medio
// counts them; an ASCII head (the usual time) is cut in place, anything
// else through Medio into `copia`.
std::string_view DosCaracteres(std::string_view texto, std::size_t inicio, std::string& copia) {
  const std::size_t hasta = std::min(texto.size(), inicio + 1);
  bool ascii = true;
  for (std::size_t i = 0; i < hasta; ++i)
    if (static_cast<unsigned char>(texto[i]) >= 0x80) ascii = false;
  if (ascii) return inicio - 1 >= texto.size() ? std::string_view() : texto.substr(inicio - 1, 2);
  copia = plataforma::Medio(texto, inicio, 2);
  return copia;
}

std::string ValorDe(std::string_view linea) {
  std::string valor;
  ObtieneValorParametro(linea, valor);
  return valor;
}

}  // namespace

std::string_view BandaDeFrecuenciaVista(std::string_view frecuencia) {
  if (frecuencia == "1.2G") return "1.2";
  if (!plataforma::EsNumerico(frecuencia)) return frecuencia;
  // A leading "+" reads as the same number.
  if (!frecuencia.empty() && frecuencia.front() == '+') {
    const std::string_view plegada = reglas::PliegaBandaVista(frecuencia.substr(1));
    return plegada == frecuencia.substr(1) ? frecuencia : plegada;
  }
  return reglas::PliegaBandaVista(frecuencia);
}

std::string BandaDeFrecuencia(std::string_view frecuencia) { return std::string(BandaDeFrecuenciaVista(frecuencia)); }

ComprobadorLineasQso::ComprobadorLineasQso(const EntornoValidacion& entorno) : entorno_(entorno) {
  const DatosConcursoLog& c = entorno.concurso;
  const R& r = c.Resumen;
  const CabeceraLog& cabecera = entorno.cabecera;
  enviado_ = {EsCierto(r.RstEnviado), EsCierto(r.NumeralEnviado), EsCierto(r.LetrasEnviadas),
              EsCierto(r.PuntosEnviados), EsCierto(r.LocatorEnviado)};
  recibido_ = {EsCierto(r.RstRecibido), EsCierto(r.NumeralRecibido), EsCierto(r.LetrasRecibidas),
               EsCierto(r.PuntosRecibidos), EsCierto(r.LocatorRecibido)};

  const concursos::Disposicion disposicion = concursos::DisposicionDeLog(c.Concurso, cabecera.LineaContest);
  if (disposicion == concursos::Disposicion::CaminoSantiago) {
    disposicion_ = Disposicion::CaminoSantiago;
    camino_server_op_ = plataforma::Like(cabecera.LineaCategoryOperator, "*SERVER-OP*") ||
                        plataforma::Like(cabecera.LineaCategory, "*SERVER-OP*");
  } else if (disposicion == concursos::Disposicion::PorPais) {
    disposicion_ = Disposicion::ComarcasCatalanas;
  }

  participante_base_ = IndicativoBase(cabecera.IndicativoParticipante);
  patrones_ = PatronesDelNombre(c.Concurso);

  // The log's categories.
  if (!cabecera.LineaCategory.empty()) {
    std::string potencia;
    DesglosaCategoriaCabrillo(cabecera.LineaCategory, categoria_operador_, categoria_banda_, potencia, categoria_modo_,
                              categoria_estacion_);
    // The band word "All" keeps its case unless it is the line's last word;
    // the category check took it as "ALL", and so must every QSO line.
    categoria_banda_ = plataforma::Mayusculas(categoria_banda_);
  } else {
    categoria_operador_ = ValorDe(cabecera.LineaCategoryOperator);
    categoria_banda_ = ValorDe(cabecera.LineaCategoryBand);
    categoria_modo_ = ValorDe(cabecera.LineaCategoryMode);
    categoria_estacion_ = ValorDe(cabecera.LineaCategoryStation);
  }
  if (EsCierto(r.BandaNoAplicable)) categoria_banda_.clear();
  if (EsCierto(r.ModoNoAplicable)) categoria_modo_.clear();

  // Permissions: an empty (Null) column refuses nothing.
  for (std::size_t i = 0; i < kBandas.size(); ++i) {
    const Logico& campo = kBandas[i].concursos ? c.*(kBandas[i].concursos) : r.*(kBandas[i].resumen);
    banda_permitida_[i] = !EsFalso(campo);
  }
  const std::array<bool, 12> casillas = {!EsFalso(c.ModoAM),
                                         !EsFalso(c.ModoCW),
                                         !EsFalso(c.ModoUSB),
                                         !EsFalso(c.ModoLSB),
                                         !EsFalso(c.ModoSSB),
                                         !EsFalso(c.ModoFM),
                                         !EsFalso(c.ModoRTTY),
                                         !EsFalso(c.ModoPACKET),
                                         false,
                                         false,
                                         false,
                                         false};
  for (std::size_t i = 0; i < kModos.size(); ++i)
    modo_permitido_[i] = reglas::ModoQsoAdmitido(kModos[i].modo, casillas);
}

void ComprobadorLineasQso::LeeIntercambio(std::string_view linea, std::int64_t& posicion, const Lado& lado,
                                          const PaisPerezoso& pais, Intercambio& x) const {
  switch (disposicion_) {
    case Disposicion::Normal:
      if (lado.rst) x.rst = SiguienteCampo(linea, posicion);
      if (lado.numeral) x.numeral = SiguienteCampo(linea, posicion);
      if (lado.letras) x.letras = SiguienteCampo(linea, posicion);
      if (lado.puntos) x.puntos = SiguienteCampo(linea, posicion);
      if (lado.locator) x.locator = SiguienteCampo(linea, posicion);
      break;
    case Disposicion::CaminoSantiago:
      if (camino_server_op_) {
        x.rst = SiguienteCampo(linea, posicion);
        if (&lado == &enviado_) x.letras = SiguienteCampo(linea, posicion);
      }
      break;
    case Disposicion::ComarcasCatalanas: {
      x.rst = SiguienteCampo(linea, posicion);
      if (plataforma::Like(pais.Valor(), "EA*")) {
        x.letras = SiguienteCampo(linea, posicion);
        x.locator = SiguienteCampo(linea, posicion);
        break;
      }
      const std::string_view t = SiguienteCampo(linea, posicion);
      x.letras = "-";
      if (t == "-")
        x.locator = SiguienteCampo(linea, posicion);
      else
        x.locator = t;
      break;
    }
  }
}

bool ComprobadorLineasQso::VerificaLineaQso(std::string_view linea, MemoriaLog& memoria) const {
  FicheroErrores& informe = entorno_.informe;
  const DatosConcursoLog& c = entorno_.concurso;
  bool correcto = true;
  auto bloque = [&](std::initializer_list<std::string> contexto, int numero, std::string_view texto) {
    std::vector<std::string> lineas;
    lineas.reserve(contexto.size() + 1);
    lineas.emplace_back(linea);
    for (const std::string& l : contexto) lineas.push_back(l);
    informe.EscribeBloqueError(lineas, numero, texto);
    correcto = false;
  };

  if (!EmpiezaPor(linea, "QSO:")) {
    bloque({}, 43, "La línea del QSO no es correcta. Debe comenzar por QSO:");
    return false;
  }

  // The fields are views into the line: a line costs no copy of them.
  std::int64_t posicion = 5;
  const std::string_view frecuencia = SiguienteCampo(linea, posicion);
  const std::string_view modo = SiguienteCampo(linea, posicion);
  const std::string_view fecha = SiguienteCampo(linea, posicion);
  const std::string_view hora = SiguienteCampo(linea, posicion);
  const std::string_view propio = SiguienteCampo(linea, posicion);
  const PaisPerezoso pais_propio(entorno_.paises, propio, &paises_vistos_);
  // A call without a portable part is its own base call.
  std::string propio_base_copia;
  const std::string_view propio_base =
      propio.find('/') == std::string_view::npos ? propio : (propio_base_copia = IndicativoBase(propio));
  std::string_view trabajado;

  Intercambio env, rec;
  PaisPerezoso pais_trabajado(entorno_.paises, {});
  LineaQsoEnCurso en_curso{
      c,         informe,        memoria, linea, modo, propio, propio_base,         pais_propio,
      trabajado, pais_trabajado, {},      {},    {},   {},     categoria_operador_, categoria_estacion_,
      patrones_};
  auto regla = [&](PuntoReglaConcurso punto) {
    const ResultadoReglaConcurso r = AplicaReglaConcurso(punto, en_curso);
    if (r == ResultadoReglaConcurso::NoCumple) correcto = false;
    return r;
  };

  regla(PuntoReglaConcurso::PaisConcursante);
  LeeIntercambio(linea, posicion, enviado_, pais_propio, env);
  en_curso.letras_enviadas = env.letras;
  en_curso.puntos_enviados = env.puntos;
  trabajado = SiguienteCampo(linea, posicion);
  en_curso.indicativo_trabajado = trabajado;
  pais_trabajado = PaisPerezoso(entorno_.paises, trabajado, &paises_vistos_);
  regla(PuntoReglaConcurso::PaisContacto);
  LeeIntercambio(linea, posicion, recibido_, pais_trabajado, rec);
  en_curso.letras_recibidas = rec.letras;
  en_curso.puntos_recibidos = rec.puntos;

  // Band against the contest and against the log's band category.
  const std::string_view banda = BandaDeFrecuenciaVista(frecuencia);
  const std::string_view mostrada = frecuencia == "1.2G" ? std::string_view("1.2") : std::string_view(frecuencia);
  // Lines in a row mostly keep their band: the last one is tried first.
  int b = -1;
  if (plataforma::EsNumerico(mostrada)) {
    if (ultima_banda_ < 0 || kBandas[static_cast<std::size_t>(ultima_banda_)].banda != banda)
      ultima_banda_ = IndiceBanda(banda);
    b = ultima_banda_;
  }
  if (b < 0 || !banda_permitida_[static_cast<std::size_t>(b)])
    bloque({Rotulo("BANDA: ", mostrada)}, 19, "En el QSO se ha utilizado una BANDA no permitida");
  if (!categoria_banda_.empty()) {
    const std::string_view palabra = b < 0 ? std::string_view() : kBandas[static_cast<std::size_t>(b)].categoria;
    if (palabra.empty() || (categoria_banda_ != palabra && categoria_banda_ != "ALL"))
      bloque({Rotulo("BANDA: ", banda) + " - CATEGORÍA: " + categoria_banda_}, 37,
             "La Banda del QSO no se corresponde con la categoria del concursante");
  }

  // Mode against the contest and against the log's mode category.
  const int m = IndiceModo(modo);
  if (m < 0 || !modo_permitido_[static_cast<std::size_t>(m)])
    bloque({Rotulo("MODO: ", modo)}, 20, "En el QSO se ha utilizado un MODO no permitido");
  if (!categoria_modo_.empty()) {
    const bool encaja = m >= 0 && !kModos[static_cast<std::size_t>(m)].categoria1.empty() &&
                        (categoria_modo_ == kModos[static_cast<std::size_t>(m)].categoria1 ||
                         categoria_modo_ == kModos[static_cast<std::size_t>(m)].categoria2);
    if (!encaja)
      bloque({Rotulo("MODO: ", modo) + " - CATEGORIA: " + categoria_modo_}, 36,
             "El modo del QSO no se corresponde con la categoría del concursante");
  }
  regla(PuntoReglaConcurso::Modo);

  // Date: a fault ends the check of the line.
  if (!plataforma::EsFechaValida(fecha, plataforma::FormatoFecha::AnioMesDia)) {
    bloque({Rotulo("FECHA: ", fecha)}, 21, "El formato de FECHA no es correcto. Formato válido: yyyy-mm-dd");
    return false;
  }

  // Time: hours and minutes each give their own block.
  std::string copia_horas, copia_minutos;
  const std::string_view horas = DosCaracteres(hora, 1, copia_horas);
  const std::string_view minutos = DosCaracteres(hora, 3, copia_minutos);
  constexpr std::string_view kErrorHora = "El formato de HORA no es correcto. Formato válido: hhmm";
  if (!plataforma::EsNumerico(horas) || Valor(horas) > 23) bloque({Rotulo("HORA: ", hora)}, 22, kErrorHora);
  if (!plataforma::EsNumerico(minutos) || Valor(minutos) > 59) bloque({Rotulo("HORA: ", hora)}, 22, kErrorHora);

  // Own call, base calls compared exactly.
  if (propio_base != participante_base_)
    bloque({entorno_.cabecera.LineaCallsign, Rotulo("CONCURSANTE: ", propio_base)}, 23,
           "El indicativo del CALLSIGN no coincide con la estación concursante en el QSO.");

  const FilaModo* fila_modo = m < 0 ? nullptr : &kModos[static_cast<std::size_t>(m)];
  auto rst = [&](std::string_view r, bool enviado) {
    const std::string_view lado = enviado ? "enviado" : "recibido";
    if (r != "5NN" && !plataforma::EsNumerico(r)) {
      bloque({Rotulo("RST: ", r)}, enviado ? 24 : 28, Rotulo("RST ", lado) + " del QSO no es numérico.");
      return;
    }
    const std::size_t longitud = plataforma::Longitud(r);
    if (longitud > 3) {
      bloque({Rotulo("RST: ", r)}, 24, Rotulo("RST ", lado) + " del QSO no es del tipo 59x.");
    } else if (fila_modo && fila_modo->longitud_rst != 0 && longitud != fila_modo->longitud_rst) {
      bloque({Rotulo("RST: ", r)}, enviado ? 41 : 42,
             Rotulo("RST ", lado) + " del QSO no se corresponde con el Modo " + std::string(fila_modo->nombre_rst) +
                 ".");
    }
  };
  auto numeral = [&](std::string_view n, bool enviado) {
    if (!plataforma::EsNumerico(n))
      bloque({Rotulo("NÚMERO SERIE: ", n)}, enviado ? 25 : 29,
             enviado ? "El NÚMERO SERIE enviado del QSO no es numérico."
                     : "El NÚMERO SERIE recibido del QSO no es numérico.");
    else if (plataforma::Longitud(n) > 4)
      bloque(
          {Rotulo("Numeral: ", n)}, enviado ? 25 : 29,
          enviado ? "El Numeral enviado del QSO es mayor de 9999." : "El Numeral Recibido del QSO es mayor de 9999.");
  };
  auto letras = [&](std::string_view l, bool enviado) {
    if (c.SiglasONumeral && plataforma::EsNumerico(l)) return;
    if (enviado ? VerificaSiglasEnviadas(c, l) : VerificaSiglasRecibidas(c, l)) return;
    bloque({Rotulo("SIGLAS: ", l)}, 26,
           enviado ? "Las SIGLAS enviadas no están permitidas" : "Las SIGLAS recibidas no están permitidas");
  };

  if (enviado_.rst) rst(env.rst, true);
  if (enviado_.numeral) numeral(env.numeral, true);
  if (enviado_.letras && regla(PuntoReglaConcurso::LetrasEnviadas) == ResultadoReglaConcurso::SinReglaEspecifica)
    letras(env.letras, true);
  if (enviado_.locator && !VerificaLocator(env.locator))
    bloque({Rotulo("LOCATOR: ", env.locator)}, 27, "El LOCATOR enviado no es correcto.");
  if (enviado_.puntos) regla(PuntoReglaConcurso::PuntosEnviados);

  if (recibido_.rst) rst(rec.rst, false);
  if (recibido_.numeral) numeral(rec.numeral, false);
  if (recibido_.letras && regla(PuntoReglaConcurso::LetrasRecibidas) == ResultadoReglaConcurso::SinReglaEspecifica)
    letras(rec.letras, false);
  if (recibido_.locator && !VerificaLocator(rec.locator))
    bloque({Rotulo("LOCATOR: ", rec.locator)}, 31, "El LOCATOR recibido no es correcto.");
  if (recibido_.puntos) regla(PuntoReglaConcurso::PuntosRecibidos);
  return correcto;
}

bool VerificaLineaQso(std::string_view linea, MemoriaLog& memoria, const EntornoValidacion& entorno) {
  return ComprobadorLineasQso(entorno).VerificaLineaQso(linea, memoria);
}

}  // namespace cabrillo
