#include "scoring/cruce.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <iterator>
#include <thread>
#include <optional>
#include <span>
#include <unordered_map>
#include <utility>

#include "cabrillo/clave_categoria.h"
#include "common/paises.h"
#include "database/concursos_especiales.h"
#include "plataforma/lenguaje.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/lectura_qso.h"
#include "scoring/reparto_logs.h"

namespace scoring {

using T = reglas::TokenQso;

// ------------------------------------------------------------- one log

// The calls the run's logs name, each with its number (in the order they
// were first seen): the indexes keep numbers, not texts.
struct ListasValidasCruce::Indicativos {
  std::unordered_map<std::string, std::uint32_t> numeros;
  std::vector<const std::string*> textos;  // by number

  std::uint32_t Numero(const std::string& indicativo) {
    const auto [it, nuevo] = numeros.try_emplace(indicativo, static_cast<std::uint32_t>(textos.size()));
    if (nuevo) textos.push_back(&it->first);
    return it->second;
  }
  // kNinguno when no log names the call.
  static constexpr std::uint32_t kNinguno = UINT32_MAX;
  std::uint32_t Busca(const std::string& indicativo) const {
    const auto it = numeros.find(indicativo);
    return it == numeros.end() ? kNinguno : it->second;
  }
};

// The lines of the file are not kept: only what the crossing compares.
// The crossed copies of the logs are written from the files themselves.
struct ListasValidasCruce::LogValido {
  bool server_op = false;  // its category is like "SERVER-OP*"

  // One QSO line of the log (up to its first "END-OF-LOG" line), with what
  // the crossing of a QSO of another log compares. Its texts lie one after
  // the other in the log's `textos`, in the order of `Campo`: a large
  // contest keeps millions of QSOs in memory, most of their texts a few
  // characters long.
  enum Campo { kBanda, kModo, kPropio, kRst, kNumeral, kLetras, kPuntos, kLocator, kCampos };
  // The line's worked call as written and its received exchange: what the
  // crossing of the line itself compares. Their texts follow the others
  // when each is at most 255 characters long (nearly always); otherwise
  // the line is read again for its own crossing.
  enum CampoRecibido { kTrabajado, kSuRst, kSuNumero, kSusLetras, kSusPuntos, kSuLocator, kCamposRecibidos };
  struct Qso {
    std::size_t desde = 0;                        // its first text in `textos`
    std::array<std::uint32_t, kCampos> largos{};  // the length of each text
    std::array<std::uint8_t, kCamposRecibidos> largos_recibidos{};
    bool recibidos = false;  // whether those texts are kept
    std::optional<plataforma::Fecha> fecha;
    std::optional<int> minutos;
    // The numbers in the run's `Indicativos` of its own call (the base
    // call, and the base call followed by the portable part) and of its
    // worked base call (the empty call for a line whose date is not valid).
    std::uint32_t propio_base = 0, propio_completo = 0, trabajado = 0;
    // The number of its worked call with the portable part.
    std::uint32_t trabajado_completo = 0;
  };
  std::vector<Qso> qsos;
  std::string textos;

  std::string_view Texto(const Qso& q, Campo campo) const {
    std::size_t desde = q.desde;
    for (int k = 0; k < campo; ++k) desde += q.largos[k];
    return std::string_view(textos).substr(desde, q.largos[campo]);
  }
  std::string_view Texto(const Qso& q, CampoRecibido campo) const {
    std::size_t desde = q.desde;
    for (int k = 0; k < kCampos; ++k) desde += q.largos[k];
    for (int k = 0; k < campo; ++k) desde += q.largos_recibidos[k];
    return std::string_view(textos).substr(desde, q.largos_recibidos[campo]);
  }
  // The line as the crossing of it reads it (when its received texts are
  // kept): what LeeQso gives for the tokens and values the crossing
  // compares, with the numbers of its calls.
  QsoVisto Visto(const Qso& q) const;
  IntercambioVisto EnviadoVisto(const Qso& q) const {
    return {Texto(q, kRst), Texto(q, kNumeral), Texto(q, kLetras), Texto(q, kPuntos), Texto(q, kLocator)};
  }

  // QSO positions by worked call: its base call, and its base call followed
  // by its portable part (a line whose date is not valid is filed under the
  // empty call), each call by its number in the run's `Indicativos`.
  // Sorted by call and, within one call, in line order; a flat table of
  // fixed-size entries, since a large contest keeps millions of QSOs in
  // memory.
  struct Posicion {
    std::uint32_t indicativo;
    std::uint32_t posicion;
    bool operator<(const Posicion& o) const {
      return indicativo != o.indicativo ? indicativo < o.indicativo : posicion < o.posicion;
    }
  };
  std::vector<Posicion> por_base, por_completo;

  // The positions filed under one call, in line order.
  static std::span<const Posicion> Con(const std::vector<Posicion>& indice, std::uint32_t indicativo) {
    const auto desde = std::lower_bound(indice.begin(), indice.end(), indicativo,
                                        [](const Posicion& p, std::uint32_t i) { return p.indicativo < i; });
    auto hasta = desde;
    while (hasta != indice.end() && hasta->indicativo == indicativo) ++hasta;
    return {desde, hasta};
  }

  // The worked call of each QSO line read, its base and its portable part,
  // and the same of its own call, until they are numbered (Indexa).
  struct Trabajado {
    std::string base, portable;
    std::string propio_base, propio_portable;
  };

  // Reads the QSO lines; `trabajados` gets their worked calls in order.
  void LeeQsos(const std::vector<std::string>& lineas, const reglas::PerfilIntercambio& flags,
               std::vector<Trabajado>& trabajados) {
    trabajados.clear();
    std::string propio_anterior;
    for (const std::string& linea : lineas) {
      if (EsFinDeLog(linea)) break;
      if (!EsLineaQso(linea)) continue;
      QsoLeido o = LeeQso(linea, flags);
      Trabajado& t = trabajados.emplace_back();
      if (o.fecha) t.base = o.tokens[T::SuIndicativo];
      SeparaPortable(t.base, t.portable);
      // A log's own call is mostly the same on every line.
      const std::string& propio = o.tokens[T::MiIndicativo];
      if (trabajados.size() > 1 && propio == propio_anterior) {
        const Trabajado& anterior = trabajados[trabajados.size() - 2];
        t.propio_base = anterior.propio_base;
        t.propio_portable = anterior.propio_portable;
      } else {
        t.propio_base = propio;
        SeparaPortable(t.propio_base, t.propio_portable);
        propio_anterior = propio;
      }
      const IntercambioEnviado enviado = EnviadoDe(o.tokens);
      Qso qso;
      qso.desde = textos.size();
      qso.fecha = o.fecha;
      qso.minutos = o.minutos;
      const std::string* campos[kCampos] = {&o.banda,        &o.modo,          &o.tokens[T::MiIndicativo],
                                            &enviado.rst,    &enviado.numeral, &enviado.letras,
                                            &enviado.puntos, &enviado.locator};
      for (int k = 0; k < kCampos; ++k) {
        qso.largos[k] = static_cast<std::uint32_t>(campos[k]->size());
        textos += *campos[k];
      }
      const std::string* recibidos[kCamposRecibidos] = {&o.tokens[T::SuIndicativo], &o.tokens[T::SuRst],
                                                        &o.tokens[T::SuNumero],     &o.tokens[T::SusLetras],
                                                        &o.tokens[T::SusPuntos],    &o.tokens[T::SuLocator]};
      qso.recibidos = std::all_of(std::begin(recibidos), std::end(recibidos),
                                  [](const std::string* t) { return t->size() <= UINT8_MAX; });
      if (qso.recibidos)
        for (int k = 0; k < kCamposRecibidos; ++k) {
          qso.largos_recibidos[k] = static_cast<std::uint8_t>(recibidos[k]->size());
          textos += *recibidos[k];
        }
      qsos.push_back(qso);
    }
    textos.shrink_to_fit();
    qsos.shrink_to_fit();
  }

  // Numbers the calls of the QSOs in `indicativos` and, with `con_indice`,
  // files the positions by worked call (a log read before Prepara; after
  // it the run's index of all logs answers).
  void Indexa(const std::vector<Trabajado>& trabajados, Indicativos& indicativos, bool con_indice) {
    if (con_indice) {
      por_base.reserve(trabajados.size());
      por_completo.reserve(trabajados.size());
    }
    std::string completo;
    const Trabajado* propio_anterior = nullptr;
    for (std::size_t i = 0; i < trabajados.size(); ++i) {
      const Trabajado& t = trabajados[i];
      const auto posicion = static_cast<std::uint32_t>(i);
      const std::uint32_t numero_base = indicativos.Numero(t.base);
      std::uint32_t numero_completo = numero_base;
      if (!t.portable.empty()) {
        completo.assign(t.base).append(t.portable);
        numero_completo = indicativos.Numero(completo);
      }
      if (con_indice) {
        por_completo.push_back({numero_completo, posicion});
        por_base.push_back({numero_base, posicion});
      }
      Qso& q = qsos[i];
      q.trabajado = numero_base;
      q.trabajado_completo = numero_completo;
      if (propio_anterior && propio_anterior->propio_base == t.propio_base &&
          propio_anterior->propio_portable == t.propio_portable) {
        q.propio_base = qsos[i - 1].propio_base;
        q.propio_completo = qsos[i - 1].propio_completo;
      } else {
        q.propio_base = q.propio_completo = indicativos.Numero(t.propio_base);
        if (!t.propio_portable.empty()) {
          completo.assign(t.propio_base).append(t.propio_portable);
          q.propio_completo = indicativos.Numero(completo);
        }
      }
      propio_anterior = &t;
    }
    std::sort(por_base.begin(), por_base.end());
    std::sort(por_completo.begin(), por_completo.end());
  }
};

// A QSO line as the crossing of it compares it: texts of the line read, or
// of a log kept in memory.
struct ListasValidasCruce::QsoVisto {
  std::string_view banda, modo, propio, trabajado;  // the calls as written
  IntercambioVisto recibido;
  std::optional<plataforma::Fecha> fecha;
  std::optional<int> minutos;
  // Whether the numbers of its calls are known (a QSO of a log kept in
  // memory): those of LogValido::Qso.
  bool numerado = false;
  std::uint32_t propio_base = 0, propio_completo = 0, trabajado_base = 0;

  static QsoVisto De(const QsoLeido& o) {
    QsoVisto v;
    v.banda = o.banda;
    v.modo = o.modo;
    v.propio = o.tokens[T::MiIndicativo];
    v.trabajado = o.tokens[T::SuIndicativo];
    v.recibido = {o.tokens[T::SuRst], o.tokens[T::SuNumero], o.tokens[T::SusLetras], o.tokens[T::SusPuntos],
                  o.tokens[T::SuLocator]};
    v.fecha = o.fecha;
    v.minutos = o.minutos;
    return v;
  }
};

ListasValidasCruce::QsoVisto ListasValidasCruce::LogValido::Visto(const Qso& q) const {
  QsoVisto v;
  v.banda = Texto(q, kBanda);
  v.modo = Texto(q, kModo);
  v.propio = Texto(q, kPropio);
  v.trabajado = Texto(q, kTrabajado);
  v.recibido = {Texto(q, kSuRst), Texto(q, kSuNumero), Texto(q, kSusLetras), Texto(q, kSusPuntos),
                Texto(q, kSuLocator)};
  v.fecha = q.fecha;
  v.minutos = q.minutos;
  v.numerado = true;
  v.propio_base = q.propio_base;
  v.propio_completo = q.propio_completo;
  v.trabajado_base = q.trabajado;
  return v;
}

// ------------------------------------------------- presence of a call

// The entries whose QSO lines with a date name each call (as own or worked
// call, base calls), ascending; by the call's number.
struct ListasValidasCruce::IndicePresencia {
  std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> entradas;
};

ListasValidasCruce::ListasValidasCruce(std::string carpeta, std::vector<std::string> entradas, DatosCruce datos)
    : carpeta_(std::move(carpeta)),
      entradas_(std::move(entradas)),
      datos_(std::move(datos)),
      log_por_banda_(concursos::Tiene(datos_.NombreConcurso, &concursos::PerfilConcurso::log_por_banda)),
      limites_(LimitesDe(datos_.Periodo)),
      indicativos_(std::make_unique<Indicativos>()),
      por_entrada_(entradas_.size(), nullptr) {
  for (std::size_t i = 0; i < entradas_.size(); ++i) por_nombre_[plataforma::Mayusculas(entradas_[i])].push_back(i);
}

ListasValidasCruce::~ListasValidasCruce() = default;

namespace {

// Whether the log's category is like "SERVER-OP*".
bool CategoriaServerOp(std::vector<std::string> lineas) {
  cabrillo::LectorLog lector(std::move(lineas));
  std::string categoria;
  cabrillo::LeeCategoria(lector, categoria);
  return plataforma::Like(plataforma::Mayusculas(categoria), "SERVER-OP*");
}

}  // namespace

ListasValidasCruce::LogValido& ListasValidasCruce::Log(const std::string& nombre) {
  std::unique_ptr<LogValido>& log = logs_[nombre];
  if (!log) {
    log = std::make_unique<LogValido>();
    std::vector<std::string> lineas;
    plataforma::LeerLineas(plataforma::UneRuta(carpeta_, nombre), lineas);  // unreadable: empty
    std::vector<LogValido::Trabajado> trabajados;
    log->LeeQsos(lineas, datos_.Intercambio, trabajados);
    log->Indexa(trabajados, *indicativos_, /*con_indice=*/true);
    log->server_op = CategoriaServerOp(std::move(lineas));
  }
  return *log;
}

void ListasValidasCruce::Prepara(std::size_t hilos) {
  // The logs not read yet, read by `hilos` threads a batch at a time; their
  // calls are numbered here, in list order.
  std::vector<std::string> pendientes;
  {
    std::unordered_map<std::string, bool> vistos;
    for (const std::string& e : entradas_)
      if (!logs_.count(e) && vistos.emplace(e, true).second) pendientes.push_back(e);
  }
  // Read by `hilos` threads in list order, a few logs ahead; this thread
  // numbers the calls of each as it comes, while the others read on.
  struct Leido {
    std::unique_ptr<LogValido> log;
    std::vector<LogValido::Trabajado> trabajados;
  };
  RepartoLogs<Leido> reparto(pendientes.size());
  GrupoHilos lectores([&] { reparto.Para(); });
  for (std::size_t h = 0; h < std::min(std::max<std::size_t>(hilos, 1), pendientes.size()); ++h)
    lectores.Arranca([&] {
      std::size_t i = 0;
      while (reparto.Toma(i)) {
        auto leido = std::make_unique<Leido>();
        leido->log = std::make_unique<LogValido>();
        std::vector<std::string> lineas;
        plataforma::LeerLineas(plataforma::UneRuta(carpeta_, pendientes[i]), lineas);  // unreadable: empty
        leido->log->LeeQsos(lineas, datos_.Intercambio, leido->trabajados);
        leido->log->server_op = CategoriaServerOp(std::move(lineas));
        reparto.Entrega(i, std::move(leido));
      }
    });
  for (std::size_t i = 0; i < pendientes.size(); ++i) {
    const std::unique_ptr<Leido> leido = reparto.Espera(i);
    leido->log->Indexa(leido->trabajados, *indicativos_, /*con_indice=*/false);
    logs_[pendientes[i]] = std::move(leido->log);
  }
  for (std::size_t e = 0; e < entradas_.size(); ++e) LogDeEntrada(e);
  if (!indice_) ConstruyePresencia();
  FicheroEnCarpeta(std::string());
  ConstruyeListasPorIndicativo();
  ConstruyeQsoPorIndicativo();
  preparado_ = true;
}

// The run's QSO lines by worked call: per call number, its entries and
// positions in entry order and line order, in one flat table. Crossing the
// QSOs of one log looks up the same call (the log's own) in every other
// log, so the part of the table read stays in the processor's cache
// instead of a search in the other log's own index.
struct ListasValidasCruce::QsoPorIndicativo {
  struct Lugar {
    std::uint32_t entrada;
    std::uint32_t posicion;
  };
  std::vector<std::uint32_t> desde;  // by call number, and one past the last
  std::vector<Lugar> lugares;

  void Construye(const std::vector<LogValido*>& por_entrada, std::size_t numeros, bool completo) {
    const auto numero = [completo](const LogValido::Qso& q) { return completo ? q.trabajado_completo : q.trabajado; };
    desde.assign(numeros + 1, 0);
    for (const LogValido* log : por_entrada)
      for (const LogValido::Qso& q : log->qsos) ++desde[numero(q) + 1];
    for (std::size_t n = 0; n < numeros; ++n) desde[n + 1] += desde[n];
    lugares.resize(desde[numeros]);
    std::vector<std::uint32_t> siguiente(desde.begin(), desde.end() - 1);
    for (std::size_t e = 0; e < por_entrada.size(); ++e) {
      const std::vector<LogValido::Qso>& qsos = por_entrada[e]->qsos;
      for (std::size_t i = 0; i < qsos.size(); ++i)
        lugares[siguiente[numero(qsos[i])]++] = {static_cast<std::uint32_t>(e), static_cast<std::uint32_t>(i)};
    }
  }
  // The positions of the QSO lines of entry `entrada` filed under a call.
  std::span<const Lugar> Con(std::uint32_t indicativo, std::uint32_t entrada) const {
    const Lugar* primero = lugares.data() + desde[indicativo];
    const Lugar* ultimo = lugares.data() + desde[indicativo + 1];
    const auto [a, b] = std::equal_range(primero, ultimo, Lugar{entrada, 0},
                                         [](const Lugar& x, const Lugar& y) { return x.entrada < y.entrada; });
    return {a, b};
  }
};

void ListasValidasCruce::ConstruyeQsoPorIndicativo() {
  const std::size_t numeros = indicativos_->textos.size();
  por_base_ = std::make_unique<QsoPorIndicativo>();
  por_base_->Construye(por_entrada_, numeros, false);
  por_completo_ = std::make_unique<QsoPorIndicativo>();
  por_completo_->Construye(por_entrada_, numeros, true);
  // The logs' own indexes (of the logs read before) answer no more.
  for (auto& [nombre, log] : logs_) {
    std::vector<LogValido::Posicion>().swap(log->por_base);
    std::vector<LogValido::Posicion>().swap(log->por_completo);
  }
}

void ListasValidasCruce::ConstruyeListasPorIndicativo() {
  const std::size_t numeros = indicativos_->textos.size();
  server_op_por_numero_ = std::make_unique<std::atomic<std::int8_t>[]>(numeros);
  presencia_por_numero_ = std::make_unique<std::atomic<std::int32_t>[]>(numeros);
  for (std::size_t n = 0; n < numeros; ++n) {
    server_op_por_numero_[n].store(-1, std::memory_order_relaxed);
    presencia_por_numero_[n].store(-1, std::memory_order_relaxed);
  }
  listas_por_indicativo_.assign(numeros, {-1, -1});
  for (std::size_t n = 0; n < numeros; ++n) {
    const auto it = por_nombre_.find(plataforma::Mayusculas(*indicativos_->textos[n] + ".LOG"));
    if (it == por_nombre_.end()) continue;
    for (std::size_t k = 0; k < 2 && k < it->second.size(); ++k)
      listas_por_indicativo_[n][k] = static_cast<std::int32_t>(it->second[k]);
  }
}

ListasValidasCruce::LogValido& ListasValidasCruce::LogDeEntrada(std::size_t entrada) {
  LogValido*& log = por_entrada_[entrada];
  if (!log) log = &Log(entradas_[entrada]);
  return *log;
}

const std::string* ListasValidasCruce::FicheroEnCarpeta(const std::string& nombre) {
  if (!carpeta_listada_) {
    carpeta_listada_ = true;
    for (std::string& f : plataforma::ListaFicheros(carpeta_))
      ficheros_[plataforma::Mayusculas(f)].push_back(std::move(f));
  }
  const auto it = ficheros_.find(plataforma::Mayusculas(nombre));
  if (it == ficheros_.end()) return nullptr;
  // The name as written when it exists, else the first in the folder's order.
  for (const std::string& f : it->second)
    if (f == nombre) return &f;
  return &it->second.front();
}

bool ListasValidasCruce::EsServerOp(const std::string& indicativo) {
  std::unique_lock<std::mutex> cierre(cerrojo_, std::defer_lock);
  if (preparado_) cierre.lock();
  const auto hallado = server_op_.find(indicativo);
  if (hallado != server_op_.end()) return hallado->second;
  bool server_op = false;
  if (EsNombreDeLog(indicativo))
    if (const std::string* fichero = FicheroEnCarpeta(indicativo + ".LOG")) {
      const auto leido = logs_.find(*fichero);
      if (leido != logs_.end()) {
        server_op = leido->second->server_op;
      } else if (preparado_) {
        // A file of the folder that is not listed: only its category is
        // read (the indexes stay as they are for the other threads).
        std::vector<std::string> lineas;
        plataforma::LeerLineas(plataforma::UneRuta(carpeta_, *fichero), lineas);
        server_op = CategoriaServerOp(std::move(lineas));
      } else {
        server_op = Log(*fichero).server_op;
      }
    }
  server_op_.emplace(indicativo, server_op);
  return server_op;
}

void ListasValidasCruce::ConstruyePresencia() {
  auto indice = std::make_unique<IndicePresencia>();
  std::vector<std::uint32_t> nombrados;
  const std::uint32_t vacio = indicativos_->Numero(std::string());
  for (std::size_t e = 0; e < entradas_.size(); ++e) {
    LogValido& log = LogDeEntrada(e);
    // The worked calls (a line whose date is no date is filed under the
    // empty call) and the own calls of the lines with a date.
    nombrados.clear();
    for (const LogValido::Qso& q : log.qsos) nombrados.push_back(q.trabajado);
    std::string_view propio_anterior;  // a log's own call is mostly the same on every line
    bool hay_anterior = false;
    for (const LogValido::Qso& q : log.qsos) {
      const std::string_view propio = log.Texto(q, LogValido::kPropio);
      if (!q.fecha || (hay_anterior && propio == propio_anterior)) continue;
      nombrados.push_back(indicativos_->Numero(IndicativoComparable(propio, false)));
      propio_anterior = propio;
      hay_anterior = true;
    }
    std::sort(nombrados.begin(), nombrados.end());
    nombrados.erase(std::unique(nombrados.begin(), nombrados.end()), nombrados.end());
    const auto entrada = static_cast<std::uint32_t>(e);
    for (const std::uint32_t indicativo : nombrados) {
      if (indicativo == vacio) continue;
      std::vector<std::uint32_t>& lista = indice->entradas[indicativo];
      if (lista.empty() || lista.back() != entrada) lista.push_back(entrada);
    }
  }
  indice_ = std::move(indice);
}

int ListasValidasCruce::CuentaPresencia(std::string_view buscado) {
  std::unique_lock<std::mutex> cierre(cerrojo_, std::defer_lock);
  if (preparado_) cierre.lock();
  const std::string clave(buscado);
  const auto hallado = presencia_.find(clave);
  if (hallado != presencia_.end()) return hallado->second;

  int cuenta = 0;
  if (!buscado.empty()) {
    if (!indice_) ConstruyePresencia();
    const auto it = indice_->entradas.find(indicativos_->Busca(clave));
    if (it != indice_->entradas.end())
      for (std::uint32_t e : it->second) cuenta += !EsListaDeLaEstacion(entradas_[e], buscado);
  }
  presencia_.emplace(clave, cuenta);
  return cuenta;
}

bool ListasValidasCruce::FiguraEnListas(std::string_view indicativo, int cuantas) {
  if (EsServerOp(std::string(indicativo))) return true;
  if (cuantas <= 0) return true;
  return CuentaPresencia(IndicativoPresencia(indicativo)) >= cuantas;
}

// The same answer for a call numbered before Prepara ended (`numero`, of
// the text `indicativo`).
bool ListasValidasCruce::FiguraEnListas(std::uint32_t numero, std::string_view indicativo, int cuantas) {
  std::int8_t server_op = server_op_por_numero_[numero].load(std::memory_order_relaxed);
  if (server_op < 0) {
    server_op = EsServerOp(std::string(indicativo)) ? 1 : 0;
    server_op_por_numero_[numero].store(server_op, std::memory_order_relaxed);
  }
  if (server_op) return true;
  if (cuantas <= 0) return true;
  std::int32_t cuenta = presencia_por_numero_[numero].load(std::memory_order_relaxed);
  if (cuenta < 0) {
    cuenta = CuentaPresencia(IndicativoPresencia(indicativo));
    presencia_por_numero_[numero].store(cuenta, std::memory_order_relaxed);
  }
  return cuenta >= cuantas;
}

// ------------------------------------------------------ crossing a QSO

std::ptrdiff_t ListasValidasCruce::BuscaLista(const std::string& indicativo, std::size_t indice_propia) const {
  const auto it = por_nombre_.find(plataforma::Mayusculas(indicativo + ".LOG"));
  if (it == por_nombre_.end()) return -1;
  for (std::size_t i : it->second)
    if (i != indice_propia) return static_cast<std::ptrdiff_t>(i);
  return -1;
}

std::ptrdiff_t ListasValidasCruce::BuscaLista(std::uint32_t indicativo, std::size_t indice_propia) const {
  for (const std::int32_t i : listas_por_indicativo_[indicativo])
    if (i >= 0 && static_cast<std::size_t>(i) != indice_propia) return i;
  return -1;
}

void ListasValidasCruce::Anticipa(std::size_t indice_propia, std::size_t numero_qso, int etapa) const {
  if (!preparado_ || log_por_banda_ || indice_propia >= por_entrada_.size()) return;
  const LogValido& propio = *por_entrada_[indice_propia];
  if (numero_qso >= propio.qsos.size()) return;
  const LogValido::Qso& q = propio.qsos[numero_qso];
  const std::ptrdiff_t k = BuscaLista(q.trabajado, indice_propia);
  if (k < 0) return;
  const LogValido* otro = por_entrada_[static_cast<std::size_t>(k)];
  if (etapa >= 2) {
    __builtin_prefetch(otro);
    return;
  }
  const auto candidatos = por_base_->Con(q.propio_base, static_cast<std::uint32_t>(k));
  for (std::size_t c = 0; c < candidatos.size() && c < 2; ++c) {
    const std::uint32_t posicion = candidatos[c].posicion;
    if (posicion >= otro->qsos.size()) break;
    const LogValido::Qso& o = otro->qsos[posicion];
    if (etapa == 1) {
      __builtin_prefetch(&o);
      __builtin_prefetch(reinterpret_cast<const char*>(&o) + 64);
    } else {
      __builtin_prefetch(otro->textos.data() + o.desde);
    }
  }
}

ResultadoCruce ListasValidasCruce::CruzaQso(std::string_view linea, std::size_t indice_propia,
                                            const OpcionesAnulacion& op) {
  const QsoLeido leido = LeeQso(linea, datos_.Intercambio);
  return Cruza(QsoVisto::De(leido), indice_propia, op);
}

ResultadoCruce ListasValidasCruce::CruzaQso(std::string_view linea, std::size_t indice_propia, std::size_t numero_qso,
                                            const OpcionesAnulacion& op) {
  if (preparado_ && indice_propia < por_entrada_.size() && por_entrada_[indice_propia]) {
    const LogValido& propio = *por_entrada_[indice_propia];
    if (numero_qso < propio.qsos.size() && propio.qsos[numero_qso].recibidos)
      return Cruza(propio.Visto(propio.qsos[numero_qso]), indice_propia, op);
  }
  return CruzaQso(linea, indice_propia, op);
}

ResultadoCruce ListasValidasCruce::Cruza(const QsoVisto& q, std::size_t indice_propia, const OpcionesAnulacion& op) {
  ResultadoCruce r;
  if (!q.fecha) {
    r.Codigo = kNul08;
    return r;
  }
  if (op.AnularPorFecha && FueraDelPeriodo(q.fecha, q.minutos, limites_)) {
    r.Codigo = kNul07;
    return r;
  }
  const bool portable = op.AnularPorPortableDistinto;
  const std::string_view trabajado_escrito = q.trabajado;
  // The worked call as searched for, and its log. A QSO of a log in memory
  // has its calls numbered, and each number its logs found once.
  std::string trabajado_texto;
  std::string_view trabajado;
  std::ptrdiff_t k = -1;
  const bool trabajado_numerado = q.numerado && !log_por_banda_;
  if (trabajado_numerado) {
    trabajado = *indicativos_->textos[q.trabajado_base];
    k = BuscaLista(q.trabajado_base, indice_propia);
  } else {
    trabajado_texto = IndicativoComparable(trabajado_escrito, false);
    if (log_por_banda_ && indice_propia < entradas_.size()) trabajado_texto += SufijoSegovia(entradas_[indice_propia]);
    trabajado = trabajado_texto;
    k = BuscaLista(trabajado_texto, indice_propia);
  }

  const ReglaCuenta cuenta = ReglaDeCuenta(op);
  auto figura = [&](int cuantas) {
    return trabajado_numerado ? FiguraEnListas(q.trabajado_base, trabajado, cuantas)
                              : FiguraEnListas(trabajado, cuantas);
  };
  if (k < 0) {
    r.EstacionSinLista = true;
    r.IndicativoSinLista = trabajado;
    if (op.AnularQSO)
      r.Codigo = kNul01;
    else if (op.AnularQSOSiNoEstaEN) {
      if (!figura(op.NumeroListasRequerido())) r.Codigo = kNul17;
    } else if (cuenta.requeridas > 0 && !figura(cuenta.requeridas)) {
      r.Codigo = cuenta.codigo;
    }
    return r;
  }
  if (cuenta.requeridas > 0 && !figura(cuenta.requeridas)) {
    r.Codigo = cuenta.codigo;
    return r;
  }

  LogValido& otro = LogDeEntrada(static_cast<std::size_t>(k));
  std::string_view pendiente = op.AnularPorNoExistir ? kNul10 : std::string_view();
  const std::uint32_t numero_nuestro =
      q.numerado ? (portable ? q.propio_completo : q.propio_base)
                 : indicativos_->Busca(IndicativoComparable(q.propio, portable));
  // The other log's QSO lines filed under our call, in line order.
  std::span<const LogValido::Posicion> en_log;
  std::span<const QsoPorIndicativo::Lugar> en_tabla;
  if (numero_nuestro != Indicativos::kNinguno) {
    if (preparado_)
      en_tabla = (portable ? por_completo_ : por_base_)->Con(numero_nuestro, static_cast<std::uint32_t>(k));
    else
      en_log = LogValido::Con(portable ? otro.por_completo : otro.por_base, numero_nuestro);
  }
  const std::size_t candidatos = preparado_ ? en_tabla.size() : en_log.size();
  bool ultimo_con_nosotros = false;
  std::string_view motivo_ultimo;
  bool alguno = false;
  {
    for (std::size_t c = 0; c < candidatos; ++c) {
      const std::uint32_t posicion = preparado_ ? en_tabla[c].posicion : en_log[c].posicion;
      const LogValido::Qso& o = otro.qsos[posicion];
      if (portable && otro.Texto(o, LogValido::kPropio) != trabajado_escrito) continue;
      std::string_view motivo;
      if (otro.Texto(o, LogValido::kBanda) != q.banda || otro.Texto(o, LogValido::kModo) != q.modo)
        motivo = kNul06;
      else if (op.AnularPorFechaDistinta && !CoincidenFechaYHora(true, q.fecha, o.fecha, q.minutos, o.minutos))
        motivo = kNul15;
      else {
        r.Codigo = CodigoIntercambio(q.recibido, otro.EnviadoVisto(o), datos_.Intercambio, op);
        return r;
      }
      alguno = true;
      motivo_ultimo = motivo;
      ultimo_con_nosotros = posicion + 1 == otro.qsos.size();
    }
  }
  // No line matched: the reason set last while reading the log.
  if (portable) {
    if (!otro.qsos.empty()) pendiente = ultimo_con_nosotros ? motivo_ultimo : kNul19;
  } else if (alguno) {
    pendiente = motivo_ultimo;
  }
  r.Codigo = pendiente;
  return r;
}

}  // namespace scoring
