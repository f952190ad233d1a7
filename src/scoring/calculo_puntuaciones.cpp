#include "scoring/calculo_puntuaciones.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <cstdlib>
#include <optional>
#include <span>
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
#include "plataforma/dao_guardado.h"
#include "plataforma/errores.h"
#include "plataforma/lenguaje.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/configuracion_cruce.h"
#include "scoring/lectura_qso.h"
#include "scoring/reparto_logs.h"
#include "scoring/tabla_textos.h"

namespace scoring {

namespace {


// The number a points or multiplier text is stored as: empty and texts that
// are no number give 0; a fraction is rounded half to even.
std::int64_t NumeroAlmacenado(std::string_view texto) {
  // Digits only, as the points and multipliers mostly are: the number itself.
  if (const std::optional<long long> n = plataforma::ValorDeCifras(texto, 15)) return *n;
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
  auto operator<=>(const Pais&) const = default;
};

class BuscadorPaises {
 public:
  BuscadorPaises(const TablasPaises& paises, bool psk) : paises_(paises), psk_(psk) {}
  const Pais& De(const std::string& indicativo) {
    if (const Pais* hallado = hallados_.Busca(indicativo)) return *hallado;
    Pais p;
    if (psk_) {
      std::string letras, resto;
      SeparaIndicativo(indicativo, p.Dxcc, letras, resto);
    } else {
      ObtienePaisZonaContinente(paises_, indicativo, p.Dxcc, p.Waz, p.Continente);
    }
    return hallados_.Pon(indicativo, std::move(p));
  }

 private:
  const TablasPaises& paises_;
  bool psk_;
  TablaTextos<Pais> hallados_;
};

// The tokens of one QSO line of `Disposicion::PorPais`: each side is RST and
// then, for a station of a country like "EA*", letters and locator;
// otherwise one token t ("-": letters "-" and the next token is the
// locator; anything else is the locator, letters "-").
reglas::TokensQso DesglosaLineaComarcas(std::string_view linea, bool propio_ea, BuscadorPaises& paises,
                                        const Pais*& trabajado) {
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
  trabajado = &paises.De(t[T::SuIndicativo]);
  lado(trabajado->Dxcc.starts_with("EA"), T::SuRst, T::SusLetras, T::SuLocator);
  return t;
}

// Whether the text, its leading blanks left out, begins with `inicio` (as
// plataforma::Recorta(texto).starts_with(inicio) for an `inicio` that does
// not end in a blank).
bool EmpiezaTrasBlancos(std::string_view texto, std::string_view inicio) {
  const std::size_t p = texto.find_first_not_of(' ');
  return p != std::string_view::npos && texto.substr(p).starts_with(inicio);
}

// The columns of `ListaQso` the reading of a log sets, in the order it sets
// them (the first value a column refuses is the one reported).
enum class Col {
  NumeroQso, FechaQso, Banda, Modo, Concursante, RsEnviado, NumeralEnviado, LiteralEnviado,
  QraLocatorEnviado, Indicativo, Dxcc, Waz, Continente, RsRecibido, NumeralRecibido, LiteralRecibido,
  QraLocatorRecibido, PuntosRecibidos, DxccEstacionBase, WazEstacionBase, ContinenteEstacionBase, Cuantas
};

struct ColumnaFila {
  const char* nombre;
  std::string DatosQso::*campo;  // the record's field the column fills; nullptr: not carried
};

constexpr ColumnaFila kColumnasFila[] = {
    {"NumeroQso", nullptr},
    {"FechaQso", &DatosQso::FechaQso},
    {"Banda", &DatosQso::Banda},
    {"Modo", &DatosQso::Modo},
    {"Concursante", &DatosQso::Concursante},
    {"RsEnviado", &DatosQso::RsEnviado},
    {"NumeralEnviado", nullptr},
    {"LiteralEnviado", &DatosQso::LiteralEnviado},
    {"QraLocatorEnviado", &DatosQso::QraLocatorEnviado},
    {"Indicativo", &DatosQso::Indicativo},
    {"Dxcc", &DatosQso::Dxcc},
    {"Waz", &DatosQso::Waz},
    {"Continente", &DatosQso::Continente},
    {"RsRecibido", &DatosQso::RsRecibido},
    {"NumeralRecibido", nullptr},
    {"LiteralRecibido", &DatosQso::LiteralRecibido},
    {"QraLocatorRecibido", &DatosQso::QraLocatorRecibido},
    {"PuntosRecibidos", &DatosQso::PuntosRecibidos},
    {"DxccEstacionBase", &DatosQso::DxccEstacionBase},
    {"WazEstacionBase", &DatosQso::WazEstacionBase},
    {"ContinenteEstacionBase", &DatosQso::ContinenteEstacionBase},
};
static_assert(std::size(kColumnasFila) == static_cast<std::size_t>(Col::Cuantas));

// The rows of a log into the table `ListaQso` itself.
class FilasEnTabla {
 public:
  explicit FilasEnTabla(dao::Recordset& rs) : rs_(rs) {}
  void Nueva() { rs_.AddNew(); }
  void Pon(Col c, const dao::Variant& v) { rs_[kColumnasFila[static_cast<int>(c)].nombre].SetValue(v); }
  void PonTexto(Col c, std::string_view texto) { Pon(c, dao::Variant(texto)); }
  void Fin() { rs_.Update(); }

 private:
  dao::Recordset& rs_;
};

// The rows of a log as the records the per-QSO pass reads from `ListaQso`,
// kept in memory: each value converted (and refused) as its column would,
// and taken back as the column would give it.
class FilasEnMemoria {
 public:
  // The columns as the table `ListaQso` of `base` defines them.
  // The database is read here only: the object may then be used in any
  // thread (one object per thread).
  explicit FilasEnMemoria(dao::Database& base) {
    dao::Recordset rs;
    try {
      rs = base.OpenRecordset("ListaQso");
    } catch (const dao::Error& e) {
      sin_tabla_ = e;  // no table: each log is refused when it gives its first row
      return;
    }
    const dao::Fields campos = rs.Fields();
    for (std::size_t i = 0; i < std::size(kColumnasFila); ++i) {
      try {
        columnas_[i].emplace(campos[kColumnasFila[i].nombre]);
      } catch (const dao::Error& e) {
        // A column the table lacks: refused when a row sets it, as the table does.
        faltas_[i] = e;
      }
    }
    try {
      multiplicador_.emplace(campos["Multiplicador"]);
    } catch (const dao::Error& e) {
      falta_multiplicador_ = e;
    }
    try {
      puntos_.emplace(campos["PuntosRecibidos"]);
    } catch (const dao::Error& e) {
      falta_puntos_ = e;
    }
    rs.Close();
  }
  // The rows of a new log. The records of earlier logs are used again, so
  // that their texts keep their room.
  void Empieza() { hechas_ = 0; }
  void Nueva() {
    if (sin_tabla_) throw *sin_tabla_;  // as filling the table does
    if (hechas_ == filas_.size()) filas_.emplace_back();
    fila_ = &filas_[hechas_];
    Vacia(*fila_);
  }
  void Pon(Col c, const dao::Variant& v) {
    const auto i = static_cast<std::size_t>(c);
    if (!columnas_[i]) throw *faltas_[i];
    // A date comes back the same for the same date: the QSOs of a log
    // share a few.
    if (v.clase() == dao::Variant::Clase::Date && fecha_ && *fecha_ == std::pair(i, v.CDate())) {
      if (kColumnasFila[i].campo) fila_->*kColumnasFila[i].campo = texto_fecha_;
      return;
    }
    const dao::Variant guardado = columnas_[i]->Guarda(v);
    std::string texto = TextoDeColumna(guardado);
    if (v.clase() == dao::Variant::Clase::Date) {
      fecha_.emplace(i, v.CDate());
      texto_fecha_ = texto;
    }
    if (kColumnasFila[i].campo) fila_->*kColumnasFila[i].campo = std::move(texto);
  }
  // The same for a text: a text column gives it back as it is.
  void PonTexto(Col c, std::string_view texto) {
    const auto i = static_cast<std::size_t>(c);
    if (!columnas_[i]) throw *faltas_[i];
    if (!columnas_[i]->GuardaTextoIgual(texto)) return Pon(c, dao::Variant(texto));
    if (kColumnasFila[i].campo) (fila_->*kColumnasFila[i].campo).assign(texto);
  }
  void Fin() {
    if (!fila_->Waz.empty()) fila_->Waz = FormateaZonaCq(fila_->Waz);
    if (!fila_->WazEstacionBase.empty()) fila_->WazEstacionBase = FormateaZonaCq(fila_->WazEstacionBase);
    ++hechas_;
  }
  // The rows of the log, in order.
  std::span<DatosQso> Filas() { return std::span<DatosQso>(filas_).first(hechas_); }
  // The stored number of a result column, refused as the table refuses it.
  void CompruebaMultiplicador(std::int64_t n) const { Comprueba(multiplicador_, falta_multiplicador_, n); }
  void CompruebaPuntos(std::int64_t n) const { Comprueba(puntos_, falta_puntos_, n); }

 private:
  static void Comprueba(const std::optional<dao::ColumnaGuardada>& c, const std::optional<dao::Error>& falta,
                        std::int64_t n) {
    if (!c) throw *falta;
    c->Guarda(dao::Variant(static_cast<long long>(n)));
  }

  std::optional<dao::Error> sin_tabla_;
  std::array<std::optional<dao::Error>, std::size(kColumnasFila)> faltas_;
  std::optional<dao::Error> falta_multiplicador_, falta_puntos_;
  std::array<std::optional<dao::ColumnaGuardada>, std::size(kColumnasFila)> columnas_;
  std::optional<dao::ColumnaGuardada> multiplicador_, puntos_;
  // Every field emptied, its room kept.
  static void Vacia(DatosQso& q) {
    for (std::string* t : {&q.Banda, &q.Modo, &q.FechaQso, &q.Indicativo, &q.Concursante, &q.LiteralRecibido,
                           &q.LiteralEnviado, &q.Multiplicador, &q.PuntosRecibidos, &q.QraLocatorRecibido,
                           &q.QraLocatorEnviado, &q.RsRecibido, &q.RsEnviado, &q.Dxcc, &q.Waz, &q.Continente,
                           &q.DxccEstacionBase, &q.WazEstacionBase, &q.ContinenteEstacionBase})
      t->clear();
  }

  std::vector<DatosQso> filas_;
  std::size_t hechas_ = 0;
  DatosQso* fila_ = nullptr;
  std::optional<std::pair<std::size_t, dao::Fecha>> fecha_;  // the last date given, with its column
  std::string texto_fecha_;                                  // ... and the text it came back as
};

// What the reading of one crossed log gives beside the rows.
struct LecturaLog {
  std::string Nombre;         // the participant name: the own call of the last valid line
  std::string UltimasLetras;  // the sent letters of the last valid line
};

// The rows of the valid QSO lines of the log, into `destino`. A token its
// column cannot hold throws, naming the line.
template <typename Destino>
LecturaLog LeeFilasQso(Destino& destino, const std::vector<std::string>& lineas, const DatosCruce& datos,
                       const DatosConcursante& concursante, std::string_view clave, BuscadorPaises& paises) {
  using T = reglas::TokenQso;
  const std::string& nombre = datos.NombreConcurso;
  const bool comarcas = concursos::DisposicionDe(nombre) == concursos::Disposicion::PorPais;
  const bool expedicion = concursos::Tiene(nombre, &concursos::PerfilConcurso::expedicion_recibe_uno) &&
                          clave.find("EXPEDITION") != std::string_view::npos;
  const reglas::PerfilIntercambio& flags = datos.Intercambio;
  // An empty text leaves its column with no value.
  auto pon = [&](Col c, std::string_view texto) {
    if (!texto.empty()) destino.PonTexto(c, texto);
  };

  LecturaLog lectura;
  lectura.Nombre = concursante.Indicativo;
  std::int32_t numero = 0;
  std::optional<plataforma::Fecha> fecha;
  std::optional<std::string> banda;
  std::string texto_fecha, frecuencia;
  for (const std::string& linea : lineas) {
    if (EmpiezaTrasBlancos(linea, "END-OF-LOG:")) break;
    if (!linea.starts_with("QSO:")) continue;
    ++numero;
    try {
      const Pais* trabajado = nullptr;
      reglas::TokensQso t;
      if (comarcas) {
        t = DesglosaLineaComarcas(linea, concursante.Dxcc.starts_with("EA"), paises, trabajado);
      } else {
        t = DesglosaLineaQso(linea, flags);
        trabajado = &paises.De(t[T::SuIndicativo]);
      }
      // The QSOs that follow one another mostly share their date and band.
      if (!fecha || t[T::Fecha] != texto_fecha) {
        fecha = FechaQso(t[T::Fecha]);
        texto_fecha = t[T::Fecha];
      }
      if (!fecha) throw ErrorPuntuacion("fecha no válida \"" + t[T::Fecha] + "\"");

      destino.Nueva();
      destino.Pon(Col::NumeroQso, dao::Variant(numero));
      destino.Pon(Col::FechaQso, dao::Variant(dao::Fecha{fecha->anio, fecha->mes, fecha->dia}));
      if (!banda || t[T::Frecuencia] != frecuencia) {
        banda = ObtieneBanda(t[T::Frecuencia]);
        frecuencia = t[T::Frecuencia];
      }
      pon(Col::Banda, *banda);
      pon(Col::Modo, t[T::Modo]);
      pon(Col::Concursante, t[T::MiIndicativo]);
      pon(Col::RsEnviado, t[T::MiRst]);
      pon(Col::NumeralEnviado, t[T::MiNumero]);
      pon(Col::LiteralEnviado, flags.enviado.puntos && !comarcas ? t[T::MisPuntos] : t[T::MisLetras]);
      pon(Col::QraLocatorEnviado, t[T::MiLocator]);
      pon(Col::Indicativo, t[T::SuIndicativo]);
      pon(Col::Dxcc, trabajado->Dxcc);
      pon(Col::Waz, trabajado->Waz);
      pon(Col::Continente, trabajado->Continente);
      pon(Col::RsRecibido, t[T::SuRst]);
      pon(Col::NumeralRecibido, t[T::SuNumero]);
      pon(Col::LiteralRecibido, t[T::SusLetras]);
      pon(Col::QraLocatorRecibido, t[T::SuLocator]);
      if (!comarcas && flags.recibido.puntos) {
        pon(Col::PuntosRecibidos, t[T::SusPuntos]);
        if (expedicion) destino.Pon(Col::PuntosRecibidos, dao::Variant(1));
      }
      pon(Col::DxccEstacionBase, concursante.Dxcc);
      pon(Col::WazEstacionBase, concursante.Waz);
      pon(Col::ContinenteEstacionBase, concursante.Continente);
      destino.Fin();

      lectura.Nombre = t[T::MiIndicativo];
      lectura.UltimasLetras = comarcas || flags.enviado.letras ? t[T::MisLetras] : std::string();
    } catch (const std::exception& e) {
      throw ErrorPuntuacion("QSO " + std::to_string(numero) + ": " + e.what());
    }
  }
  return lectura;
}

// Fills `ListaQso` with the valid QSO lines of the log (the table emptied
// first), in one commit. A token its column cannot hold throws, naming the
// line, and leaves the table empty.
LecturaLog LlenaListaQso(dao::Database& base, const std::vector<std::string>& lineas, const DatosCruce& datos,
                         const DatosConcursante& concursante, std::string_view clave, BuscadorPaises& paises) {
  LecturaLog lectura;
  base.BeginTrans();
  try {
    base.Execute("Delete From ListaQso");
    dao::Recordset rs = base.OpenRecordset("ListaQso");
    FilasEnTabla destino(rs);
    lectura = LeeFilasQso(destino, lineas, datos, concursante, clave, paises);
    rs.Close();
    base.CommitTrans();
  } catch (...) {
    base.Rollback();
    base.Execute("Delete From ListaQso");
    throw;
  }
  return lectura;
}

// The per-QSO pass over the records of one log, in order (see
// CalculaPuntosListaQso); `comprueba` refuses a result its column cannot
// hold.
// `hechos` counts the QSOs passed (for the progress told afterwards).
template <typename Comprueba>
std::vector<FilaPuntuada> PuntuaQsos(std::size_t& hechos, std::span<DatosQso> qsos, MotorMultiplicadores& motor,
                                     const ContextoPuntos& puntos, const DatosConcursante& concursante,
                                     const Comprueba& comprueba) {
  std::vector<FilaPuntuada> filas;
  motor.EmpiezaLog();
  hechos = 0;
  if (qsos.empty()) return filas;
  filas.reserve(qsos.size());
  for (DatosQso& qso : qsos) {
    if (!qso.Dxcc.empty()) motor.CalculaMultiplicadores(qso);
    const std::int64_t multiplicador = NumeroAlmacenado(qso.Multiplicador);
    comprueba.CompruebaMultiplicador(multiplicador);
    if (!qso.Dxcc.empty()) CalculaPuntosQso(qso, concursante, motor.Anteriores(), puntos);
    const std::int64_t valor = NumeroAlmacenado(qso.PuntosRecibidos);
    comprueba.CompruebaPuntos(valor);
    motor.AnotaQso(qso);
    filas.push_back({qso.Banda, multiplicador, valor});
    ++hechos;
  }
  return filas;
}

// What the table `ListaQso` holds after the run: the rows of the last log
// whose QSO lines were read, with the results of its pass when the pass
// went through; none when that log's lines could not be read.
struct UltimaTabla {
  bool leida = false;       // some log's lines were read
  bool rellena = false;     // ... and made rows
  std::vector<std::string> lineas;
  DatosConcursante concursante;
  std::string clave;
  std::optional<std::vector<FilaPuntuada>> puntuadas;
};

// Leaves `ListaQso` as the run, row by row, would have left it: one commit
// for the rows, one for the results.
void GuardaUltimaTabla(dao::Database& base, const UltimaTabla& ultima, const DatosCruce& datos,
                       BuscadorPaises& paises) {
  if (!ultima.leida) return;
  if (!ultima.rellena) {
    base.Execute("Delete From ListaQso");
    return;
  }
  LlenaListaQso(base, ultima.lineas, datos, ultima.concursante, ultima.clave, paises);
  if (!ultima.puntuadas || ultima.puntuadas->empty()) return;
  dao::Recordset rs = base.OpenRecordset("Select * From ListaQso Order By NumeroQso");
  dao::Field campo_multiplicador = rs.Fields()["Multiplicador"];
  dao::Field campo_puntos = rs.Fields()["PuntosRecibidos"];
  base.BeginTrans();
  try {
    for (const FilaPuntuada& f : *ultima.puntuadas) {
      if (rs.Eof()) break;
      rs.Edit();
      campo_multiplicador.SetValue(dao::Variant(static_cast<long long>(f.Multiplicador)));
      campo_puntos.SetValue(dao::Variant(static_cast<long long>(f.Puntos)));
      rs.Update();
      rs.MoveNext();
    }
    rs.Close();
    base.CommitTrans();
  } catch (...) {
    base.Rollback();
    throw;
  }
}

// One worker's own means: nothing of it is shared with another thread.
struct Trabajador {
  Trabajador(const TablasPaises& paises, bool psk, const FilasEnMemoria& columnas)
      : buscador(paises, psk), filas(columnas) {}
  BuscadorPaises buscador;
  FilasEnMemoria filas;
  std::unique_ptr<MotorMultiplicadores> motor;
};

// What working out one log gave, for the thread that tells and writes.
struct ResultadoLog {
  bool paso = false;     // its header was read: its step is told
  bool leida = false;    // its QSO lines were read into rows...
  bool rellena = false;  // ... and every one made a row
  DatosConcursante concursante;
  std::string clave;  // the category key as the header gave it
  std::vector<std::string> lineas;
  std::size_t qsos = 0, hechos = 0;  // rows the pass had, and passed
  std::optional<std::vector<FilaPuntuada>> puntuadas;
  std::optional<FicheroPuntuacion> fichero;  // composed, to be written
  std::optional<std::string> fallo;          // why the log is left unscored
  std::exception_ptr excepcion;              // anything else, to be thrown again
};

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
  // The score folder is listed once and kept up to date as the run writes
  // into it (each new name is found without regard to case).
  const plataforma::ListadosEnMemoria listados;

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
  const EstacionesEspeciales especiales = EstacionesEspeciales::Lee(base, concurso.NumeroOrden);
  const ContextoPuntos contexto{config, especiales, paises, concurso.SociosZurozi, concurso.Distancia};
  const std::string& nombre_concurso = datos.NombreConcurso;
  const bool pais_por_prefijo = concursos::Tiene(nombre_concurso, &concursos::PerfilConcurso::pais_por_prefijo);
  const bool clave_ea_o_dx = concursos::Tiene(nombre_concurso, &concursos::PerfilConcurso::clave_ea_o_dx);
  const bool clave_seccion_o_club = concursos::Tiene(nombre_concurso, &concursos::PerfilConcurso::clave_seccion_o_club);
  const bool log_por_banda = concursos::Tiene(nombre_concurso, &concursos::PerfilConcurso::log_por_banda);
  const bool clave_con_siglas = concursos::Tiene(nombre_concurso, &concursos::PerfilConcurso::clave_con_siglas);
  BuscadorPaises buscador(paises, pais_por_prefijo);

  const std::vector<std::string> entradas = edicion.Lista(ListaEdicion::Cruzadas);
  const std::string carpeta_cruzadas = edicion.Ruta(ListaEdicion::Cruzadas);
  const std::string carpeta_concurso = edicion.Carpeta();

  // 3. Each log is worked out by one of the workers (its rows in memory, its
  // pass, its score file composed); this thread takes the logs' outcomes
  // in list order, tells their progress and writes their files, so that
  // what the operator sees and every file are as a run of one log after
  // another leaves them.
  auto trabaja = [&](const std::string& entrada, Trabajador& t, ResultadoLog& r) {
    // 3.1 - 3.2 The crossed log and its header.
    const std::string ruta = plataforma::ResuelveRuta(plataforma::UneRuta(carpeta_cruzadas, entrada));
    std::vector<std::string>& lineas = r.lineas;
    if (!plataforma::LeerLineas(ruta, lineas)) throw plataforma::ErrorFichero(ruta, "No se puede leer el fichero");
    std::string clave, indicativo;
    {
      cabrillo::LectorLog cabecera(lineas);
      cabrillo::LeeCabeceraCabrillo(cabecera, clave_concurso, clave, indicativo);
    }
    // 3.4
    r.paso = true;
    // 3.5 The participant.
    DatosConcursante concursante;
    concursante.Indicativo = indicativo;
    const Pais propio = t.buscador.De(indicativo);
    concursante.Dxcc = propio.Dxcc;
    concursante.Waz = propio.Waz;
    concursante.Continente = propio.Continente;
    // 3.3, 3.6 The valid QSO lines as the rows of ListaQso, kept in memory:
    // only the last log's rows are left in the table, at the end.
    r.leida = true;
    t.filas.Empieza();
    const LecturaLog lectura = LeeFilasQso(t.filas, lineas, datos, concursante, clave, t.buscador);
    r.rellena = true;
    r.concursante = concursante;
    r.clave = clave;
    std::string nombre = lectura.Nombre;
    // 3.7 Category rules that need the QSO lines.
    if (clave_ea_o_dx) {
      if (clave == "SINGLE-OP")
        clave = "SINGLE-OP ALL";
      else if (clave.starts_with("MULTI-OP"))
        clave = "MULTI-OP ALL";
      clave += nombre.starts_with("EA") ? " (EA)" : " (DX)";
    } else if (clave_seccion_o_club) {
      if (especiales.TieneEstacionConPuntos(nombre, 10))
        clave += " (Sección o Club)";
      else
        clave += nombre.starts_with("EA7") ? " (EA7)" : " (EA)";
    }
    // 3.8 The per-QSO pass.
    r.qsos = t.filas.Filas().size();
    r.puntuadas.emplace(PuntuaQsos(r.hechos, t.filas.Filas(), *t.motor, contexto, concursante, t.filas));
    const std::vector<FilaPuntuada>& filas = *r.puntuadas;
    // 3.9
    if (log_por_banda) nombre = entrada;
    if (clave_con_siglas) clave += " " + lectura.UltimasLetras;
    // 3.10 The score file, composed.
    r.fichero = ComponeFicheroPuntuacion(carpeta_concurso, clave, nombre, filas, config.BandasPermitidas);
    AnadeQsoPuntuacion(*r.fichero, lineas, filas);
  };

  // One engine per worker, each with its own copy of the contest's lists.
  const ListasMultiplicadores listas = ListasMultiplicadores::Lee(base, concurso.NumeroOrden);
  const FilasEnMemoria columnas(base);
  auto nuevo_trabajador = [&] {
    auto t = std::make_unique<Trabajador>(paises, pais_por_prefijo, columnas);
    t->motor = std::make_unique<MotorMultiplicadores>(paises, opciones, listas, datos.NombreConcurso);
    return t;
  };
  RepartoLogs<ResultadoLog> reparto(entradas.size());
  const std::size_t n_hilos = std::min<std::size_t>(HilosDeTrabajo(), std::max<std::size_t>(entradas.size(), 1));
  std::vector<std::unique_ptr<Trabajador>> trabajadores;
  for (std::size_t h = 0; h < n_hilos; ++h) trabajadores.push_back(nuevo_trabajador());
  GrupoHilos hilos([&] { reparto.Para(); });
  for (std::size_t h = 0; h < n_hilos; ++h)
    hilos.Arranca([&, t = trabajadores[h].get()] {
      std::size_t i = 0;
      while (reparto.Toma(i)) {
        auto r = std::make_unique<ResultadoLog>();
        try {
          trabaja(entradas[i], *t, *r);
        } catch (const std::exception& e) {
          r->fallo = e.what();
        } catch (...) {
          r->excepcion = std::current_exception();
        }
        reparto.Entrega(i, std::move(r));
      }
    });

  ResultadoPuntuaciones resultado;
  std::vector<ListaNoPuntuada>& no_puntuadas = resultado.NoPuntuadas;
  // The score list is read again from its folder after the last log and,
  // while the run goes on, at most once a second: reading a folder of
  // thousands of score files after every log would make a large contest's
  // run grow with the square of its logs.
  using Reloj = std::chrono::steady_clock;
  constexpr auto kRefresco = std::chrono::seconds(1);
  Reloj::time_point refrescada = Reloj::now() - kRefresco;
  UltimaTabla ultima;
  for (std::size_t i = 0; i < entradas.size(); ++i) {
    const std::string& entrada = entradas[i];
    const std::unique_ptr<ResultadoLog> r = reparto.Espera(i);
    if (r->excepcion) std::rethrow_exception(r->excepcion);
    std::optional<std::string> fallo = r->fallo;
    if (r->paso) {
      progreso.Paso("Calculando " + entrada);
      progreso.Cede();
    }
    if (r->leida) {
      ultima.leida = true;
      ultima.rellena = r->rellena;
      ultima.puntuadas.reset();
      if (r->rellena) {
        ultima.concursante = std::move(r->concursante);
        ultima.clave = std::move(r->clave);
        ultima.puntuadas = std::move(r->puntuadas);
      }
    }
    // The pass's progress, as it went.
    if (r->qsos > 0) {
      progreso.Porcentaje(0);
      for (std::size_t k = 1; k <= r->hechos; ++k)
        progreso.Porcentaje(
            static_cast<int>(std::lround(100.0 * static_cast<double>(k) / static_cast<double>(r->qsos))));
    }
    if (r->fichero) {
      // The file replaces an earlier one of its name (found without regard
      // to case) in the order of the list.
      plataforma::BorraFichero(plataforma::ResuelveRuta(r->fichero->Ruta));  // a failure is no error
      if (!plataforma::EscribirLineas(r->fichero->Ruta, r->fichero->Lineas))
        fallo = plataforma::ErrorFichero(r->fichero->Ruta, "No se puede escribir el fichero").what();
    }
    if (r->rellena) ultima.lineas = std::move(r->lineas);
    if (fallo) no_puntuadas.push_back({entrada, *fallo});
    // 3.11
    if (i + 1 == entradas.size() || Reloj::now() - refrescada >= kRefresco) {
      edicion.Lee(ListaEdicion::Puntuaciones);
      refrescada = Reloj::now();
    }
  }
  GuardaUltimaTabla(base, ultima, datos, buscador);
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
