#include "scoring/cruce.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <unordered_map>
#include <utility>

#include "cabrillo/clave_categoria.h"
#include "common/paises.h"
#include "plataforma/lenguaje.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/lectura_qso.h"

namespace scoring {

using T = database::TokenQso;

namespace {

// Words longer than this are searched one by one instead of through the
// suffix table, so that a log with a huge unbroken line costs time in
// proportion to its size, not to its size squared.
constexpr std::size_t kPalabraIndexada = 64;

}  // namespace

// ------------------------------------------------------------- one log

struct ListasValidasCruce::LogValido {
  std::vector<std::string> lineas;  // the whole file
  bool server_op = false;           // its category is like "SERVER-OP*"

  // One QSO line of the log (up to its first "END-OF-LOG" line), with what
  // the crossing of a QSO of another log compares. Its texts lie one after
  // the other in the log's `textos`, in the order of `Campo`: a large
  // contest keeps millions of QSOs in memory, most of their texts a few
  // characters long.
  enum Campo { kBanda, kModo, kPropio, kRst, kNumeral, kLetras, kPuntos, kLocator, kCampos };
  struct Qso {
    std::size_t desde = 0;                        // its first text in `textos`
    std::array<std::uint32_t, kCampos> largos{};  // the length of each text
    std::optional<plataforma::Fecha> fecha;
    std::optional<int> minutos;
  };
  bool qsos_leidos = false;
  std::vector<Qso> qsos;
  std::string textos;

  std::string_view Texto(const Qso& q, Campo campo) const {
    std::size_t desde = q.desde;
    for (int k = 0; k < campo; ++k) desde += q.largos[k];
    return std::string_view(textos).substr(desde, q.largos[campo]);
  }
  IntercambioEnviado Enviado(const Qso& q) const {
    return {std::string(Texto(q, kRst)), std::string(Texto(q, kNumeral)), std::string(Texto(q, kLetras)),
            std::string(Texto(q, kPuntos)), std::string(Texto(q, kLocator))};
  }
  // QSO positions by worked call: its base call, and its base call followed
  // by its portable part (a line whose date is not valid is filed under the
  // empty call). Sorted by call and, within one call, in line order; a flat
  // table, since a large contest keeps millions of QSOs in memory.
  struct Posicion {
    std::string indicativo;
    std::uint32_t posicion;
    bool operator<(const Posicion& o) const {
      return indicativo != o.indicativo ? indicativo < o.indicativo : posicion < o.posicion;
    }
  };
  std::vector<Posicion> por_base, por_completo;

  // The positions filed under one call, in line order.
  static std::span<const Posicion> Con(const std::vector<Posicion>& indice, std::string_view indicativo) {
    const auto desde = std::lower_bound(indice.begin(), indice.end(), indicativo,
                                        [](const Posicion& p, std::string_view i) { return p.indicativo < i; });
    auto hasta = desde;
    while (hasta != indice.end() && hasta->indicativo == indicativo) ++hasta;
    return {desde, hasta};
  }

  void LeeQsos(const database::PerfilIntercambio& flags) {
    if (qsos_leidos) return;
    qsos_leidos = true;
    for (const std::string& linea : lineas) {
      if (EsFinDeLog(linea)) break;
      if (!EsLineaQso(linea)) continue;
      QsoLeido o = LeeQso(linea, flags);
      std::string base = o.fecha ? o.tokens[T::SuIndicativo] : std::string();
      std::string portable;
      SeparaPortable(base, portable);
      const auto posicion = static_cast<std::uint32_t>(qsos.size());
      por_completo.push_back({base + portable, posicion});
      por_base.push_back({std::move(base), posicion});
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
      qsos.push_back(qso);
    }
    textos.shrink_to_fit();
    std::sort(por_base.begin(), por_base.end());
    std::sort(por_completo.begin(), por_completo.end());
    qsos.shrink_to_fit();
    por_base.shrink_to_fit();
    por_completo.shrink_to_fit();
  }
};

// ------------------------------------------------- presence of a call

// The words (runs of characters between blanks and TABs) of every entry's
// log, each with the entries that hold it, and the suffixes of the shorter
// words in order: the entries whose lines contain a call are those of the
// words that contain it, found as the suffixes that begin with it. A call
// holds no blank or TAB, so it never spans two words.
struct ListasValidasCruce::IndicePresencia {
  std::vector<std::string> palabras;
  std::vector<std::vector<std::uint32_t>> entradas;  // per word, ascending
  struct Sufijo {
    std::uint32_t palabra;
    std::uint32_t desde;
  };
  std::vector<Sufijo> sufijos;
  std::vector<std::uint32_t> largas;

  std::string_view Texto(const Sufijo& s) const { return std::string_view(palabras[s.palabra]).substr(s.desde); }
};

ListasValidasCruce::ListasValidasCruce(std::string carpeta, std::vector<std::string> entradas, DatosCruce datos)
    : carpeta_(std::move(carpeta)), entradas_(std::move(entradas)), datos_(std::move(datos)) {
  for (std::size_t i = 0; i < entradas_.size(); ++i) por_nombre_[plataforma::Mayusculas(entradas_[i])].push_back(i);
}

ListasValidasCruce::~ListasValidasCruce() = default;

ListasValidasCruce::LogValido& ListasValidasCruce::Log(const std::string& nombre) {
  std::unique_ptr<LogValido>& log = logs_[nombre];
  if (!log) {
    log = std::make_unique<LogValido>();
    plataforma::LeerLineas(plataforma::UneRuta(carpeta_, nombre), log->lineas);  // unreadable: empty
    cabrillo::LectorLog lector(log->lineas);
    std::string categoria;
    cabrillo::LeeCategoria(lector, categoria);
    log->server_op = plataforma::Like(plataforma::Mayusculas(categoria), "SERVER-OP*");
  }
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
  const auto hallado = server_op_.find(indicativo);
  if (hallado != server_op_.end()) return hallado->second;
  bool server_op = false;
  if (EsNombreDeLog(indicativo))
    if (const std::string* fichero = FicheroEnCarpeta(indicativo + ".LOG")) server_op = Log(*fichero).server_op;
  server_op_.emplace(indicativo, server_op);
  return server_op;
}

void ListasValidasCruce::ConstruyePresencia() {
  auto indice = std::make_unique<IndicePresencia>();
  std::unordered_map<std::string_view, std::uint32_t> numero;
  std::vector<std::string> palabras_en_orden;
  for (std::size_t e = 0; e < entradas_.size(); ++e) {
    const LogValido& log = Log(entradas_[e]);
    const auto entrada = static_cast<std::uint32_t>(e);
    for (const std::string& linea : log.lineas) {
      std::size_t i = 0;
      while (i < linea.size()) {
        while (i < linea.size() && (linea[i] == ' ' || linea[i] == '\t')) ++i;
        std::size_t j = i;
        while (j < linea.size() && linea[j] != ' ' && linea[j] != '\t') ++j;
        if (j > i) {
          const std::string_view palabra(linea.data() + i, j - i);
          auto it = numero.find(palabra);
          if (it == numero.end()) {
            // The view points into the log's lines, which outlive the index.
            it = numero.emplace(palabra, static_cast<std::uint32_t>(indice->palabras.size())).first;
            indice->palabras.emplace_back(palabra);
            indice->entradas.emplace_back();
          }
          std::vector<std::uint32_t>& lista = indice->entradas[it->second];
          if (lista.empty() || lista.back() != entrada) lista.push_back(entrada);
        }
        i = j;
      }
    }
  }
  for (std::uint32_t p = 0; p < indice->palabras.size(); ++p) {
    const std::size_t largo = indice->palabras[p].size();
    if (largo > kPalabraIndexada) {
      indice->largas.push_back(p);
      continue;
    }
    for (std::uint32_t d = 0; d < largo; ++d) indice->sufijos.push_back({p, d});
  }
  const IndicePresencia& ix = *indice;
  std::sort(
      indice->sufijos.begin(), indice->sufijos.end(),
      [&ix](const IndicePresencia::Sufijo& a, const IndicePresencia::Sufijo& b) { return ix.Texto(a) < ix.Texto(b); });
  indice_ = std::move(indice);
}

int ListasValidasCruce::CuentaPresencia(std::string_view buscado) {
  const std::string clave(buscado);
  const auto hallado = presencia_.find(clave);
  if (hallado != presencia_.end()) return hallado->second;

  int cuenta = 0;
  if (buscado.empty()) {
    // Every entry's name contains the empty call: all are passed over.
  } else if (buscado.find_first_of(" \t") != std::string_view::npos) {
    // A text with blanks can span words: read the lines themselves.
    for (const std::string& entrada : entradas_) {
      if (entrada.find(buscado) != std::string::npos) continue;
      const LogValido& log = Log(entrada);
      for (const std::string& linea : log.lineas)
        if (linea.find(buscado) != std::string::npos) {
          ++cuenta;
          break;
        }
    }
  } else {
    if (!indice_) ConstruyePresencia();
    const IndicePresencia& ix = *indice_;
    std::vector<char> contiene(entradas_.size(), 0);
    auto marca = [&](std::uint32_t palabra) {
      for (std::uint32_t e : ix.entradas[palabra]) contiene[e] = 1;
    };
    const std::size_t n = buscado.size();
    const auto desde = std::lower_bound(
        ix.sufijos.begin(), ix.sufijos.end(), buscado,
        [&](const IndicePresencia::Sufijo& s, std::string_view b) { return ix.Texto(s).substr(0, n) < b; });
    const auto hasta = std::upper_bound(
        desde, ix.sufijos.end(), buscado,
        [&](std::string_view b, const IndicePresencia::Sufijo& s) { return b < ix.Texto(s).substr(0, n); });
    std::uint32_t anterior = static_cast<std::uint32_t>(-1);
    for (auto s = desde; s != hasta; ++s)
      if (s->palabra != anterior) marca(anterior = s->palabra);
    for (std::uint32_t p : ix.largas)
      if (ix.palabras[p].find(buscado) != std::string::npos) marca(p);
    for (std::size_t e = 0; e < entradas_.size(); ++e)
      if (contiene[e] && entradas_[e].find(buscado) == std::string::npos) ++cuenta;
  }
  presencia_.emplace(clave, cuenta);
  return cuenta;
}

bool ListasValidasCruce::FiguraEnListas(std::string_view indicativo, int cuantas) {
  if (EsServerOp(std::string(indicativo))) return true;
  if (cuantas <= 0) return true;
  return CuentaPresencia(indicativo.substr(0, indicativo.find('-'))) >= cuantas;
}

// ------------------------------------------------------ crossing a QSO

std::ptrdiff_t ListasValidasCruce::BuscaLista(const std::string& indicativo, std::size_t indice_propia) const {
  const auto it = por_nombre_.find(plataforma::Mayusculas(indicativo + ".LOG"));
  if (it == por_nombre_.end()) return -1;
  for (std::size_t i : it->second)
    if (i != indice_propia) return static_cast<std::ptrdiff_t>(i);
  return -1;
}

ResultadoCruce ListasValidasCruce::CruzaQso(std::string_view linea, std::size_t indice_propia,
                                            const OpcionesAnulacion& op) {
  ResultadoCruce r;
  const QsoLeido q = LeeQso(linea, datos_.Intercambio);
  if (!q.fecha) {
    r.Codigo = kNul08;
    return r;
  }
  if (op.AnularPorFecha && FueraDelPeriodo(q, datos_.Periodo)) {
    r.Codigo = kNul07;
    return r;
  }
  const bool portable = op.AnularPorPortableDistinto;
  const std::string nuestro = IndicativoComparable(q.tokens[T::MiIndicativo], portable);
  const std::string& trabajado_escrito = q.tokens[T::SuIndicativo];
  std::string trabajado = IndicativoComparable(trabajado_escrito, false);
  if (datos_.NombreConcurso == kConcursoSegovia && indice_propia < entradas_.size())
    trabajado += SufijoSegovia(entradas_[indice_propia]);

  const ReglaCuenta cuenta = ReglaDeCuenta(op);
  const std::ptrdiff_t k = BuscaLista(trabajado, indice_propia);
  if (k < 0) {
    r.EstacionSinLista = true;
    r.IndicativoSinLista = trabajado;
    if (op.AnularQSO)
      r.Codigo = kNul01;
    else if (op.AnularQSOSiNoEstaEN) {
      if (!FiguraEnListas(trabajado, op.NumeroListasRequerido())) r.Codigo = kNul17;
    } else if (cuenta.requeridas > 0 && !FiguraEnListas(trabajado, cuenta.requeridas)) {
      r.Codigo = cuenta.codigo;
    }
    return r;
  }
  if (cuenta.requeridas > 0 && !FiguraEnListas(trabajado, cuenta.requeridas)) {
    r.Codigo = cuenta.codigo;
    return r;
  }

  LogValido& otro = Log(entradas_[static_cast<std::size_t>(k)]);
  otro.LeeQsos(datos_.Intercambio);
  std::string_view pendiente = op.AnularPorNoExistir ? kNul10 : std::string_view();
  const auto candidatos = LogValido::Con(portable ? otro.por_completo : otro.por_base, nuestro);
  bool ultimo_con_nosotros = false;
  std::string_view motivo_ultimo;
  bool alguno = false;
  {
    for (const LogValido::Posicion& p : candidatos) {
      const std::uint32_t posicion = p.posicion;
      const LogValido::Qso& o = otro.qsos[posicion];
      if (portable && otro.Texto(o, LogValido::kPropio) != trabajado_escrito) continue;
      std::string_view motivo;
      if (otro.Texto(o, LogValido::kBanda) != q.banda || otro.Texto(o, LogValido::kModo) != q.modo)
        motivo = kNul06;
      else if (op.AnularPorFechaDistinta && !CoincidenFechaYHora(true, q.fecha, o.fecha, q.minutos, o.minutos))
        motivo = kNul15;
      else {
        r.Codigo = CodigoIntercambio(q.tokens, otro.Enviado(o), datos_.Intercambio, op);
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
