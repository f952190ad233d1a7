#include "scoring/calculo_puntuaciones.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

#include "cabrillo/clave_categoria.h"
#include "cabrillo/lectura.h"
#include "cabrillo/lectura_concurso.h"
#include "common/edicion_concurso.h"
#include "common/paises.h"
#include "common/progreso_etapa.h"
#include "database/concursos_especiales.h"
#include "plataforma/dao.h"
#include "plataforma/errores.h"
#include "plataforma/lenguaje.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/configuracion_cruce.h"
#include "scoring/lectura_qso.h"

namespace scoring {

namespace {


// The number a points or multiplier text is stored as: empty and texts that
// are no number give 0; a fraction is rounded half to even.
std::int64_t NumeroAlmacenado(std::string_view texto) {
  const std::string t = plataforma::Recorta(texto);
  if (t.empty() || !plataforma::EsNumerico(t)) return 0;
  const double v = std::nearbyint(std::strtod(t.c_str(), nullptr));
  if (!std::isfinite(v) || std::fabs(v) > 9e15) return 0;
  return static_cast<std::int64_t>(v);
}

// A country lookup of the run: the countries database, or for a contest
// with `pais_por_prefijo` the leading digits of the call (zone and
// continent left empty).
// A call's answer never changes during the run, and a contest's logs name
// the same stations over and over: each call is looked up once.
struct Pais {
  std::string Dxcc, Waz, Continente;
};

class BuscadorPaises {
 public:
  BuscadorPaises(const TablasPaises& paises, bool psk) : paises_(paises), psk_(psk) {}
  const Pais& De(const std::string& indicativo) {
    const auto hallado = hallados_.find(indicativo);
    if (hallado != hallados_.end()) return hallado->second;
    Pais p;
    if (psk_) {
      std::string letras, resto;
      SeparaIndicativo(indicativo, p.Dxcc, letras, resto);
    } else {
      ObtienePaisZonaContinente(paises_, indicativo, p.Dxcc, p.Waz, p.Continente);
    }
    return hallados_.emplace(indicativo, std::move(p)).first->second;
  }

 private:
  const TablasPaises& paises_;
  bool psk_;
  std::unordered_map<std::string, Pais> hallados_;
};

// The tokens of one QSO line of `Disposicion::PorPais`: each side is RST and
// then, for a station of a country like "EA*", letters and locator;
// otherwise one token t ("-": letters "-" and the next token is the
// locator; anything else is the locator, letters "-").
reglas::TokensQso DesglosaLineaComarcas(std::string_view linea, bool propio_ea, BuscadorPaises& paises,
                                        Pais& trabajado) {
  using T = reglas::TokenQso;
  reglas::TokensQso t;
  std::int64_t posicion = 5;
  auto lee = [&](T token) { cabrillo::ObtieneSiguienteCampo(linea, posicion, t[token]); };
  auto lado = [&](bool ea, T rst, T letras, T locator) {
    lee(rst);
    if (ea) {
      lee(letras);
      lee(locator);
      return;
    }
    std::string s;
    cabrillo::ObtieneSiguienteCampo(linea, posicion, s);
    t[letras] = "-";
    if (s == "-")
      lee(locator);
    else
      t[locator] = s;
  };
  for (T token : {T::Frecuencia, T::Modo, T::Fecha, T::Hora, T::MiIndicativo}) lee(token);
  lado(propio_ea, T::MiRst, T::MisLetras, T::MiLocator);
  lee(T::SuIndicativo);
  trabajado = paises.De(t[T::SuIndicativo]);
  lado(trabajado.Dxcc.starts_with("EA"), T::SuRst, T::SusLetras, T::SuLocator);
  return t;
}

// Stores a text column: an empty text leaves it with no value.
void Pon(dao::Recordset& rs, const char* columna, const std::string& texto) {
  if (!texto.empty()) rs[columna].SetValue(dao::Variant(texto));
}

// What the reading of one crossed log gives beside the rows.
struct LecturaLog {
  std::string Nombre;         // the participant name: the own call of the last valid line
  std::string UltimasLetras;  // the sent letters of the last valid line
};

// Fills `ListaQso` with the valid QSO lines of the log (the table emptied
// first). A token its column cannot hold throws, naming the line.
LecturaLog LlenaListaQso(dao::Database& base, const std::vector<std::string>& lineas, const DatosCruce& datos,
                         const DatosConcursante& concursante, std::string_view clave, BuscadorPaises& paises) {
  using T = reglas::TokenQso;
  const std::string& nombre = datos.NombreConcurso;
  const bool comarcas = concursos::DisposicionDe(nombre) == concursos::Disposicion::PorPais;
  const bool expedicion = concursos::Tiene(nombre, &concursos::PerfilConcurso::expedicion_recibe_uno) &&
                          clave.find("EXPEDITION") != std::string_view::npos;
  const reglas::PerfilIntercambio& flags = datos.Intercambio;

  LecturaLog lectura;
  lectura.Nombre = concursante.Indicativo;
  // Emptying and filling the table is one commit: a commit waits for the
  // disk, and a large contest has thousands of logs.
  base.BeginTrans();
  try {
    base.Execute("Delete From ListaQso");
    dao::Recordset rs = base.OpenRecordset("ListaQso");
    std::int32_t numero = 0;
    for (const std::string& linea : lineas) {
      if (plataforma::Recorta(linea).starts_with("END-OF-LOG:")) break;
      if (!linea.starts_with("QSO:")) continue;
      ++numero;
      try {
        Pais trabajado;
        reglas::TokensQso t;
        if (comarcas) {
          t = DesglosaLineaComarcas(linea, concursante.Dxcc.starts_with("EA"), paises, trabajado);
        } else {
          t = DesglosaLineaQso(linea, flags);
          trabajado = paises.De(t[T::SuIndicativo]);
        }
        const std::optional<plataforma::Fecha> fecha = FechaQso(t[T::Fecha]);
        if (!fecha) throw ErrorPuntuacion("fecha no válida \"" + t[T::Fecha] + "\"");

        rs.AddNew();
        rs["NumeroQso"].SetValue(dao::Variant(numero));
        rs["FechaQso"].SetValue(dao::Variant(dao::Fecha{fecha->anio, fecha->mes, fecha->dia}));
        Pon(rs, "Banda", ObtieneBanda(t[T::Frecuencia]));
        Pon(rs, "Modo", t[T::Modo]);
        Pon(rs, "Concursante", t[T::MiIndicativo]);
        Pon(rs, "RsEnviado", t[T::MiRst]);
        Pon(rs, "NumeralEnviado", t[T::MiNumero]);
        Pon(rs, "LiteralEnviado", flags.enviado.puntos && !comarcas ? t[T::MisPuntos] : t[T::MisLetras]);
        Pon(rs, "QraLocatorEnviado", t[T::MiLocator]);
        Pon(rs, "Indicativo", t[T::SuIndicativo]);
        Pon(rs, "Dxcc", trabajado.Dxcc);
        Pon(rs, "Waz", trabajado.Waz);
        Pon(rs, "Continente", trabajado.Continente);
        Pon(rs, "RsRecibido", t[T::SuRst]);
        Pon(rs, "NumeralRecibido", t[T::SuNumero]);
        Pon(rs, "LiteralRecibido", t[T::SusLetras]);
        Pon(rs, "QraLocatorRecibido", t[T::SuLocator]);
        if (!comarcas && flags.recibido.puntos) {
          Pon(rs, "PuntosRecibidos", t[T::SusPuntos]);
          if (expedicion) rs["PuntosRecibidos"].SetValue(dao::Variant(1));
        }
        Pon(rs, "DxccEstacionBase", concursante.Dxcc);
        Pon(rs, "WazEstacionBase", concursante.Waz);
        Pon(rs, "ContinenteEstacionBase", concursante.Continente);
        rs.Update();

        lectura.Nombre = t[T::MiIndicativo];
        lectura.UltimasLetras = comarcas || flags.enviado.letras ? t[T::MisLetras] : std::string();
      } catch (const std::exception& e) {
        throw ErrorPuntuacion("QSO " + std::to_string(numero) + ": " + e.what());
      }
    }
    rs.Close();
    base.CommitTrans();
  } catch (...) {
    // A log that cannot be filled leaves the table empty.
    base.Rollback();
    base.Execute("Delete From ListaQso");
    throw;
  }
  return lectura;
}

}  // namespace

std::vector<FilaPuntuada> CalculaPuntosListaQso(ProgresoEtapa& progreso, dao::Database& base,
                                                MotorMultiplicadores& motor, const ContextoPuntos& puntos,
                                                const DatosConcursante& concursante) {
  std::vector<FilaPuntuada> filas;
  motor.EmpiezaLog();
  dao::Recordset rs = base.OpenRecordset("Select * From ListaQso Order By NumeroQso");
  if (rs.Eof()) {
    rs.Close();
    return filas;
  }
  const int total = rs.RecordCount();
  progreso.Porcentaje(0);
  filas.reserve(static_cast<std::size_t>(total));
  const ColumnasListaQso columnas(rs);
  dao::Field campo_multiplicador = rs.Fields()["Multiplicador"];
  dao::Field campo_puntos = rs.Fields()["PuntosRecibidos"];
  base.BeginTrans();
  try {
    int k = 0;
    while (!rs.Eof()) {
      DatosQso qso;
      columnas.Lee(rs, qso);
      rs.Edit();
      if (!qso.Dxcc.empty()) motor.CalculaMultiplicadores(qso);
      const std::int64_t multiplicador = NumeroAlmacenado(qso.Multiplicador);
      campo_multiplicador.SetValue(dao::Variant(static_cast<long long>(multiplicador)));
      if (!qso.Dxcc.empty()) CalculaPuntosQso(qso, concursante, motor.Anteriores(), puntos);
      const std::int64_t valor = NumeroAlmacenado(qso.PuntosRecibidos);
      campo_puntos.SetValue(dao::Variant(static_cast<long long>(valor)));
      rs.Update();
      motor.AnotaQso(qso);
      filas.push_back({qso.Banda, multiplicador, valor});
      ++k;
      progreso.Porcentaje(static_cast<int>(std::lround(100.0 * k / total)));
      rs.MoveNext();
    }
    rs.Close();
    base.CommitTrans();
  } catch (...) {
    base.Rollback();
    throw;
  }
  return filas;
}

std::string TextoListasNoPuntuadas(const std::vector<ListaNoPuntuada>& listas) {
  std::string texto = "No se han podido puntuar estas listas:";
  for (const ListaNoPuntuada& l : listas) texto += "\n" + l.Lista + ": " + l.Motivo;
  return texto;
}

ResultadoPuntuaciones CalculaPuntuaciones(EdicionConcurso& edicion, ProgresoEtapa& progreso,
                                          const ConcursoPuntuacion& concurso) {
  if (!concurso.Base) throw ErrorPuntuacion("No hay base de datos de concursos");
  dao::Database& base = *concurso.Base;
  const TablasPaises& paises = PaisesRequeridos(concurso.Paises);

  // 1. What the run reads of the contest, once.
  DatosCruce datos;
  ConfiguracionPuntos config;
  if (!LeeDatosCruce(base, concurso.NumeroOrden, datos) || !LeeConfiguracionPuntos(base, concurso.NumeroOrden, config))
    throw ErrorPuntuacion("El concurso no figura en la base de datos de concursos");
  const std::optional<cabrillo::FilaResumenCabrillo> resumen =
      cabrillo::LeeFilaResumenCabrillo(base, concurso.NumeroOrden);
  const cabrillo::ConcursoClave clave_concurso{datos.NombreConcurso, resumen ? &*resumen : nullptr,
                                               concurso.SociosZurozi, &paises};
  OpcionesMultiplicadores opciones;
  LeeOpcionesMultiplicadores(base, concurso.NumeroOrden, opciones);
  MotorMultiplicadores motor(paises, opciones, ListasMultiplicadores::Lee(base, concurso.NumeroOrden),
                             datos.NombreConcurso);
  const EstacionesEspeciales especiales = EstacionesEspeciales::Lee(base, concurso.NumeroOrden);
  const ContextoPuntos contexto{config, especiales, paises, concurso.SociosZurozi, concurso.Distancia};
  const std::string& nombre_concurso = datos.NombreConcurso;
  BuscadorPaises buscador(paises, concursos::Tiene(nombre_concurso, &concursos::PerfilConcurso::pais_por_prefijo));

  const std::vector<std::string> entradas = edicion.Lista(ListaEdicion::Cruzadas);
  const std::string carpeta_cruzadas = edicion.Ruta(ListaEdicion::Cruzadas);

  ResultadoPuntuaciones resultado;
  std::vector<ListaNoPuntuada>& no_puntuadas = resultado.NoPuntuadas;
  // The score list is read again from its folder after the last log and,
  // while the run goes on, at most once a second: reading a folder of
  // thousands of score files after every log would make a large contest's
  // run grow with the square of its logs.
  using Reloj = std::chrono::steady_clock;
  constexpr auto kRefresco = std::chrono::seconds(1);
  Reloj::time_point refrescada = Reloj::now() - kRefresco;
  for (const std::string& entrada : entradas) {
    try {
      // 3.1 - 3.2 The crossed log and its header.
      const std::string ruta = plataforma::ResuelveRuta(plataforma::UneRuta(carpeta_cruzadas, entrada));
      std::vector<std::string> lineas;
      if (!plataforma::LeerLineas(ruta, lineas)) throw plataforma::ErrorFichero(ruta, "No se puede leer el fichero");
      std::string clave, indicativo;
      {
        cabrillo::LectorLog cabecera(lineas);
        cabrillo::LeeCabeceraCabrillo(cabecera, clave_concurso, clave, indicativo);
      }
      // 3.4
      progreso.Paso("Calculando " + entrada);
      progreso.Cede();
      // 3.5 The participant.
      DatosConcursante concursante;
      concursante.Indicativo = indicativo;
      const Pais propio = buscador.De(indicativo);
      concursante.Dxcc = propio.Dxcc;
      concursante.Waz = propio.Waz;
      concursante.Continente = propio.Continente;
      // 3.3, 3.6 The valid QSO lines into ListaQso.
      const LecturaLog lectura = LlenaListaQso(base, lineas, datos, concursante, clave, buscador);
      std::string nombre = lectura.Nombre;
      // 3.7 Category rules that need the QSO lines.
      if (concursos::Tiene(nombre_concurso, &concursos::PerfilConcurso::clave_ea_o_dx)) {
        if (clave == "SINGLE-OP")
          clave = "SINGLE-OP ALL";
        else if (clave.starts_with("MULTI-OP"))
          clave = "MULTI-OP ALL";
        clave += nombre.starts_with("EA") ? " (EA)" : " (DX)";
      } else if (concursos::Tiene(nombre_concurso, &concursos::PerfilConcurso::clave_seccion_o_club)) {
        if (especiales.TieneEstacionConPuntos(nombre, 10))
          clave += " (Sección o Club)";
        else
          clave += nombre.starts_with("EA7") ? " (EA7)" : " (EA)";
      }
      // 3.8 The per-QSO pass.
      const std::vector<FilaPuntuada> filas = CalculaPuntosListaQso(progreso, base, motor, contexto, concursante);
      // 3.9
      if (concursos::Tiene(nombre_concurso, &concursos::PerfilConcurso::log_por_banda)) nombre = entrada;
      if (concursos::Tiene(nombre_concurso, &concursos::PerfilConcurso::clave_con_siglas))
        clave += " " + lectura.UltimasLetras;
      // 3.10 The score file.
      FicheroPuntuacion fichero =
          EscribeFicheroPuntuacion(edicion.Carpeta(), clave, nombre, filas, config.BandasPermitidas);
      EscribeQsoPuntuacion(fichero, lineas, filas);
    } catch (const std::exception& e) {
      no_puntuadas.push_back({entrada, e.what()});
    }
    // 3.11
    if (&entrada == &entradas.back() || Reloj::now() - refrescada >= kRefresco) {
      edicion.Lee(ListaEdicion::Puntuaciones);
      refrescada = Reloj::now();
    }
  }
  // 4.
  progreso.Paso("FIN DE CÁLCULOS");
  return resultado;
}

// ------------------------------------------------------------ the window's action

AccionesCalculoPuntuaciones::AccionesCalculoPuntuaciones(EnlaceGesPuntos& enlace,
                                                         std::unique_ptr<AccionesPuntuacion> siguiente)
    : enlace_(enlace),
      siguiente_(siguiente ? std::move(siguiente) : std::make_unique<AccionesPuntuacionPendientes>()) {}

void AccionesCalculoPuntuaciones::CalculaPuntuaciones(EdicionConcurso& edicion, ProgresoEtapa& progreso) {
  ConcursoPuntuacion concurso;
  concurso.Base = &enlace_.BaseConcursos();
  concurso.NumeroOrden = enlace_.NumeroConcurso();
  concurso.Paises = enlace_.Paises();
  concurso.SociosZurozi = SociosZurozi();
  const ResultadoPuntuaciones resultado = scoring::CalculaPuntuaciones(edicion, progreso, concurso);
  if (!resultado.NoPuntuadas.empty()) progreso.Fallo(TextoListasNoPuntuadas(resultado.NoPuntuadas), "ADVERTENCIA");
}

void AccionesCalculoPuntuaciones::AbreClasificaciones(std::function<void()> al_cerrar) {
  siguiente_->AbreClasificaciones(std::move(al_cerrar));
}

}  // namespace scoring
