#include "scoring/multiplicadores.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "cabrillo/comprobaciones_intercambio.h"
#include "common/paises.h"
#include "plataforma/dao.h"
#include "plataforma/lenguaje.h"
#include "plataforma/texto.h"

namespace scoring {

namespace {

// The scopes, in the order of their bits in AmbitosGuardados.
constexpr Ambito kAmbitos[] = {Ambito::Concurso, Ambito::Dia,      Ambito::Modo,
                               Ambito::Banda,    Ambito::BandaDia, Ambito::BandaModo};

constexpr std::uint8_t Bit(Ambito ambito) {
  for (std::uint8_t i = 0; i < 6; ++i)
    if (kAmbitos[i] == ambito) return static_cast<std::uint8_t>(1u << i);
  return 0;
}

constexpr bool ConBanda(Ambito a) { return a == Ambito::Banda || a == Ambito::BandaDia || a == Ambito::BandaModo; }
constexpr bool ConFecha(Ambito a) { return a == Ambito::Dia || a == Ambito::BandaDia; }
constexpr bool ConModo(Ambito a) { return a == Ambito::Modo || a == Ambito::BandaModo; }

// The scopes EsNuevo asks of a family under its options.
std::uint8_t AmbitosDe(const OpcionesFamilia& o) {
  if (o.PorBanda)
    return Bit(Ambito::Banda) | (o.PorDia ? Bit(Ambito::BandaDia) : 0) | (o.PorModo ? Bit(Ambito::BandaModo) : 0);
  return Bit(Ambito::Concurso) | (o.PorDia ? Bit(Ambito::Dia) : 0) | (o.PorModo ? Bit(Ambito::Modo) : 0);
}

// The first `n` characters of a UTF-8 text (all of it when shorter).
std::string_view PrimerosCaracteres(std::string_view texto, std::size_t n) {
  std::size_t i = 0, cuenta = 0;
  while (i < texto.size() && cuenta < n) {
    ++i;
    while (i < texto.size() && (static_cast<unsigned char>(texto[i]) & 0xC0) == 0x80) ++i;
    ++cuenta;
  }
  return texto.substr(0, i);
}

std::size_t NumeroCaracteres(std::string_view texto) {
  std::size_t cuenta = 0;
  for (unsigned char c : texto)
    if ((c & 0xC0) != 0x80) ++cuenta;
  return cuenta;
}

// The scheme every family follows: new in the base scope (the whole contest,
// or the band under the per-band option); else, under the per-day option,
// new on the date within the base scope; else, under the per-mode option,
// new in the mode within the base scope. `primera` is the kind the first
// question looks at (the `ReglaMultiplicadores::Distrito` rule asks it of other QSOs).
bool EsNuevo(const QsosAnteriores& a, Familia familia, const OpcionesFamilia& o, std::string_view valor,
             std::string_view banda, std::string_view fecha, std::string_view modo, Familia primera) {
  if (o.PorBanda) {
    if (!a.Tiene(primera, Ambito::Banda, valor, banda)) return true;
    if (o.PorDia && !a.Tiene(familia, Ambito::BandaDia, valor, banda, fecha)) return true;
    return o.PorModo && !a.Tiene(familia, Ambito::BandaModo, valor, banda, {}, modo);
  }
  if (!a.Tiene(primera, Ambito::Concurso, valor)) return true;
  if (o.PorDia && !a.Tiene(familia, Ambito::Dia, valor, {}, fecha)) return true;
  return o.PorModo && !a.Tiene(familia, Ambito::Modo, valor, {}, {}, modo);
}

bool EsNuevo(const QsosAnteriores& a, Familia familia, const OpcionesFamilia& o, std::string_view valor,
             std::string_view banda, std::string_view fecha, std::string_view modo) {
  return EsNuevo(a, familia, o, valor, banda, fecha, modo, familia);
}

std::int64_t Peso(const ListasMultiplicadores& listas, std::string_view columna, std::string_view valor) {
  std::int32_t peso = 1;
  if (!listas.ValorMultEspecial(columna, valor, peso)) return 1;
  return peso;
}

// The scope values of the QSO in hand, folded and exact.
struct AmbitoQso {
  std::string banda;         // trimmed, exact
  std::string bandaPlegada;  // trimmed, folded
  std::string modo;
  std::string modoPlegado;
  std::string fecha;
};

// A contest lasts a day or two: each thread keeps the date key of the last
// date asked about.
const std::string& ClaveFechaQso(const std::string& fecha) {
  thread_local std::optional<std::pair<std::string, std::string>> ultima;  // the date, its key
  if (!ultima || ultima->first != fecha) {
    ultima.reset();
    ultima.emplace(fecha, QsosAnteriores::ClaveFecha(fecha));
  }
  return ultima->second;
}

AmbitoQso AmbitoDe(const DatosQso& qso) {
  AmbitoQso r;
  r.banda = plataforma::Recorta(qso.Banda);
  r.bandaPlegada = PliegaTexto(r.banda);
  r.modo = qso.Modo;
  r.modoPlegado = PliegaTexto(qso.Modo);
  r.fecha = ClaveFechaQso(qso.FechaQso);
  return r;
}

bool EsCw(std::string_view modo) { return PliegaTexto(modo) == "cw"; }

// The province the `ReglaMultiplicadores::Dce` rule asks about: for a literal that
// begins with "C", the text between that "C" and the first "-" (empty
// without a "-"); any other literal as it is.
std::string ProvinciaDce(const std::string& literal) {
  std::string provincia = literal;
  if (!literal.empty() && literal != "-" && literal.front() == 'C') {
    std::string resto;
    cabrillo::SeparaProvinciaLiteral(literal, provincia, resto);
  }
  return provincia;
}

}  // namespace

// ------------------------------------------------------------ QsosAnteriores

std::size_t QsosAnteriores::Internador::Sitio(std::string_view texto, std::uint64_t hash) const {
  const std::size_t mascara = huecos_.size() - 1;
  for (std::size_t i = static_cast<std::size_t>(hash) & mascara;; i = (i + 1) & mascara) {
    const Hueco& h = huecos_[i];
    if (h.numero == 0) return i;
    if (h.hash == hash && std::string_view(letras_).substr(h.inicio, h.largo) == texto) return i;
  }
}

void QsosAnteriores::Internador::Crece() {
  std::vector<Hueco> antes(huecos_.empty() ? 256 : huecos_.size() * 2);
  antes.swap(huecos_);
  const std::size_t mascara = huecos_.size() - 1;
  for (const Hueco& h : antes) {
    if (h.numero == 0) continue;
    std::size_t i = static_cast<std::size_t>(h.hash) & mascara;
    while (huecos_[i].numero != 0) i = (i + 1) & mascara;
    huecos_[i] = h;
  }
}

std::uint32_t QsosAnteriores::Internador::Numero(std::string_view texto) {
  if ((static_cast<std::size_t>(cuantos_) + 1) * 4 > huecos_.size() * 3) Crece();
  const std::uint64_t hash = HashTexto(texto);
  Hueco& h = huecos_[Sitio(texto, hash)];
  if (h.numero != 0) return h.numero;
  h.hash = hash;
  h.inicio = static_cast<std::uint32_t>(letras_.size());
  h.largo = static_cast<std::uint32_t>(texto.size());
  h.numero = ++cuantos_;
  letras_.append(texto);
  return h.numero;
}

std::uint32_t QsosAnteriores::Internador::Busca(std::string_view texto) const {
  if (cuantos_ == 0) return 0;
  return huecos_[Sitio(texto, HashTexto(texto))].numero;
}

void QsosAnteriores::Internador::Vacia() {
  // Room for as many texts as the last log had: a table left large by a
  // long log is not walked whole for every short log after it.
  std::size_t largo = 256;
  while (largo * 3 < static_cast<std::size_t>(cuantos_) * 4) largo *= 2;
  if (huecos_.size() > 2 * largo)
    std::vector<Hueco>(largo).swap(huecos_);
  else if (cuantos_ != 0)
    std::fill(huecos_.begin(), huecos_.end(), Hueco{});
  if (letras_.capacity() > (std::size_t{1} << 22)) std::string().swap(letras_);
  letras_.clear();
  cuantos_ = 0;
}

namespace {

std::size_t HashClave(std::uint32_t valor, std::uint32_t banda, std::uint32_t fecha, std::uint32_t modo,
                      std::uint32_t tipo) {
  std::uint64_t h = (static_cast<std::uint64_t>(valor) << 32 | tipo) * 0x9E3779B97F4A7C15ull;
  h ^= (static_cast<std::uint64_t>(banda) << 32 | fecha) * 0xC2B2AE3D27D4EB4Full;
  h ^= static_cast<std::uint64_t>(modo) * 0x165667B19E3779F9ull;
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9ull;
  return static_cast<std::size_t>(h ^ (h >> 32));
}

}  // namespace

QsosAnteriores::QsosAnteriores(const TablasPaises& paises, const OpcionesMultiplicadores& opciones)
    : paises_(paises), opciones_(opciones) {
  Vacia();
}

std::uint8_t QsosAnteriores::AmbitosGuardados(const OpcionesMultiplicadores& op, Familia familia) {
  std::uint8_t m = 0;
  const std::uint8_t concurso = Bit(Ambito::Concurso);
  // The QSO points: a literal in the whole contest, a prefix on the band.
  if (familia == Familia::Literal) m |= concurso;
  if (familia == Familia::Prefijo) m |= Bit(Ambito::Banda);
  if (!op.Multiplicadores) return m;
  switch (familia) {
    case Familia::Banda: return op.CadaBanda ? concurso : 0;
    case Familia::Fecha: return op.CadaDia ? concurso : 0;
    case Familia::Modo: return op.CadaModo ? concurso : 0;
    case Familia::Estacion: return op.Estacion.Cada ? AmbitosDe(op.Estacion) : 0;
    case Familia::Pais: return op.Pais.Cada ? AmbitosDe(op.Pais) : 0;
    case Familia::Zona: return op.Cq.Cada ? AmbitosDe(op.Cq) : 0;
    case Familia::Prefijo: return op.Prefijo.Cada ? m | AmbitosDe(op.Prefijo) : m;
    case Familia::Sufijo: return op.Sufijo.Cada ? AmbitosDe(op.Sufijo) : 0;
    case Familia::Distrito: return op.Distrito.Cada ? AmbitosDe(op.Distrito) : 0;
    case Familia::DistritoNoNumerico: return op.Distrito.Cada && !op.Distrito.PorBanda ? concurso : 0;
    case Familia::Literal:
      if (op.Prov.Cada) m |= AmbitosDe(op.Prov);
      if (op.Otros.Cada) m |= AmbitosDe(op.Otros);
      return m;
    case Familia::Cuadricula: return op.Cuadricula.Cada ? AmbitosDe(op.Cuadricula) : 0;
    case Familia::ReferenciaDie: return op.Otros.Cada && op.Otros.PorBanda ? Bit(Ambito::Banda) : 0;
    case Familia::ProvinciaC:
    case Familia::ProvinciaVg: return op.Prov.Cada && !op.Prov.PorBanda ? concurso : 0;
  }
  return m;
}

void QsosAnteriores::PrefijoYDistrito(const std::string& indicativo, std::string& prefijo,
                                      std::string& distrito) const {
  for (const Reciente& r : recientes_) {
    if (r.respuesta && r.indicativo == indicativo) {
      prefijo = r.respuesta->first;
      distrito = r.respuesta->second;
      return;
    }
  }
  const std::pair<std::string, std::string>* hallado = prefijos_.Busca(indicativo);
  if (!hallado) {
    if (prefijos_.Cuantos() >= (1u << 18)) {
      prefijos_.Vacia();
      recientes_.fill({});
    }
    std::pair<std::string, std::string> respuesta;
    ObtienePrefijoYDistrito(paises_, indicativo, respuesta.first, respuesta.second);
    hallado = &prefijos_.Pon(indicativo, std::move(respuesta));
  }
  Reciente& r = recientes_[reciente_++ % recientes_.size()];
  r.indicativo = indicativo;
  r.respuesta = hallado;
  prefijo = hallado->first;
  distrito = hallado->second;
}

void QsosAnteriores::Vacia() {
  for (Familia f : {Familia::Banda, Familia::Fecha, Familia::Modo, Familia::Estacion, Familia::Pais, Familia::Zona,
                    Familia::Prefijo, Familia::Sufijo, Familia::Distrito, Familia::DistritoNoNumerico, Familia::Literal,
                    Familia::Cuadricula, Familia::ReferenciaDie, Familia::ProvinciaC, Familia::ProvinciaVg})
    ambitos_[static_cast<unsigned char>(f)] = AmbitosGuardados(opciones_, f);
  // The texts are numbered again for each log: the numbers only key the
  // tables below, which are emptied too.
  textos_.Vacia();
  fecha_cruda_.clear();
  banda_cruda_.clear();
  modo_crudo_.clear();
  fecha_ = banda_ = banda_plegada_ = modo_ = modo_plegado_ = 0;
  // Room for a log as large as the last one: a table left large by a long
  // log is not walked whole for every short log after it.
  std::size_t largo = 1024;
  while (largo * 3 < ocupadas_ * 4) largo *= 2;
  if (claves_.size() > 2 * largo)
    std::vector<Clave>(largo).swap(claves_);
  else if (ocupadas_ != 0)
    std::fill(claves_.begin(), claves_.end(), Clave{});
  ocupadas_ = 0;
  cw_por_fecha_.clear();
  club_por_fecha_.clear();
  cuantos_ = 0;
}

std::string QsosAnteriores::ClaveFecha(std::string_view fecha) {
  if (const auto f = dao::Fecha::Desde(fecha)) return f->Texto();
  return std::string(fecha);
}

bool QsosAnteriores::Contiene(const Clave& k) const {
  if (claves_.empty()) return false;
  const std::size_t mascara = claves_.size() - 1;
  for (std::size_t i = HashClave(k.valor, k.banda, k.fecha, k.modo, k.tipo) & mascara;; i = (i + 1) & mascara) {
    if (claves_[i].tipo == 0) return false;
    if (claves_[i] == k) return true;
  }
}

void QsosAnteriores::Inserta(const Clave& k) {
  if ((ocupadas_ + 1) * 4 > claves_.size() * 3) {
    std::vector<Clave> antes(claves_.empty() ? 1024 : claves_.size() * 2);
    antes.swap(claves_);
    ocupadas_ = 0;
    for (const Clave& c : antes)
      if (c.tipo != 0) Inserta(c);
  }
  const std::size_t mascara = claves_.size() - 1;
  for (std::size_t i = HashClave(k.valor, k.banda, k.fecha, k.modo, k.tipo) & mascara;; i = (i + 1) & mascara) {
    if (claves_[i].tipo == 0) {
      claves_[i] = k;
      ++ocupadas_;
      return;
    }
    if (claves_[i] == k) return;
  }
}

void QsosAnteriores::Pon(Familia familia, std::uint32_t valor, const Alcance& alcance) {
  const std::uint8_t ambitos = Ambitos(familia);
  for (std::uint8_t i = 0; i < 6; ++i) {
    if (!(ambitos & (1u << i))) continue;
    const Ambito a = kAmbitos[i];
    Clave k;
    k.valor = valor;
    k.banda = ConBanda(a) ? alcance.banda : 0;
    k.fecha = ConFecha(a) ? alcance.fecha : 0;
    k.modo = ConModo(a) ? alcance.modo : 0;
    k.tipo = static_cast<std::uint32_t>(static_cast<unsigned char>(familia)) << 8 | static_cast<unsigned char>(a);
    Inserta(k);
  }
}

void QsosAnteriores::Anade(const DatosQso& qso) {
  // The date, band and mode change seldom from one QSO to the next.
  if (fecha_ == 0 || qso.FechaQso != fecha_cruda_) {
    fecha_cruda_ = qso.FechaQso;
    fecha_ = textos_.Numero(ClaveFecha(qso.FechaQso));
  }
  if (banda_ == 0 || qso.Banda != banda_cruda_) {
    banda_cruda_ = qso.Banda;
    banda_ = textos_.Numero(qso.Banda);  // as stored
    banda_plegada_ = textos_.Numero(PliegaTexto(qso.Banda));
  }
  if (modo_ == 0 || qso.Modo != modo_crudo_) {
    modo_crudo_ = qso.Modo;
    modo_ = textos_.Numero(qso.Modo);
    modo_plegado_ = textos_.Numero(PliegaTexto(qso.Modo));
    es_cw_ = EsCw(qso.Modo);
  }
  const Alcance plegado{banda_plegada_, fecha_, modo_plegado_};
  const Alcance exacto{banda_, fecha_, modo_};
  auto plegada = [&](Familia f, std::string_view valor) {
    if (Ambitos(f) != 0) Pon(f, textos_.Numero(PliegaTexto(valor)), plegado);
  };
  auto exacta = [&](Familia f, std::string_view valor) {
    if (Ambitos(f) != 0) Pon(f, textos_.Numero(valor), exacto);
  };

  if (Ambitos(Familia::Banda) != 0) Pon(Familia::Banda, banda_plegada_, plegado);
  if (Ambitos(Familia::Fecha) != 0) Pon(Familia::Fecha, fecha_, plegado);
  if (Ambitos(Familia::Modo) != 0) Pon(Familia::Modo, modo_plegado_, plegado);
  const std::string indicativoPlegado = PliegaTexto(qso.Indicativo);
  if (Ambitos(Familia::Estacion) != 0) Pon(Familia::Estacion, textos_.Numero(indicativoPlegado), plegado);
  plegada(Familia::Pais, qso.Dxcc);
  plegada(Familia::Zona, qso.Waz);
  plegada(Familia::Literal, qso.LiteralRecibido);

  if (Ambitos(Familia::Prefijo) != 0 || Ambitos(Familia::Distrito) != 0 || Ambitos(Familia::DistritoNoNumerico) != 0) {
    std::string prefijo, distrito;
    PrefijoYDistrito(qso.Indicativo, prefijo, distrito);
    exacta(Familia::Prefijo, prefijo);
    exacta(Familia::Distrito, distrito);
    if (Ambitos(Familia::DistritoNoNumerico) != 0 && !plataforma::EsNumerico(qso.LiteralRecibido))
      exacta(Familia::DistritoNoNumerico, distrito);
  }

  if (Ambitos(Familia::Sufijo) != 0) {
    std::string base = qso.Indicativo, portable, sufijo;
    SeparaPortable(base, portable);
    ObtieneClaveLetras(paises_, opciones_, base, sufijo);
    exacta(Familia::Sufijo, sufijo);
  }

  if (Ambitos(Familia::Cuadricula) != 0) {
    const std::size_t largo = std::min<std::size_t>(4, NumeroCaracteres(qso.QraLocatorRecibido));
    for (std::size_t n = 1; n <= largo; ++n)
      plegada(Familia::Cuadricula, PrimerosCaracteres(qso.QraLocatorRecibido, n));
  }

  if (Ambitos(Familia::ReferenciaDie) != 0) {
    std::string letras, numero;
    SeparaLetrasYNumero(qso.LiteralRecibido, letras, numero);
    letras += numero;
    exacta(Familia::ReferenciaDie, letras);
  }

  if (!qso.LiteralRecibido.empty()) {
    if (Ambitos(Familia::ProvinciaC) != 0) exacta(Familia::ProvinciaC, ProvinciaDce(qso.LiteralRecibido));
    if (Ambitos(Familia::ProvinciaVg) != 0) {
      std::string letrasVg, digitosVg;
      cabrillo::SeparaReferenciaVG(qso.LiteralRecibido, letrasVg, digitosVg);
      exacta(Familia::ProvinciaVg, letrasVg);
    }
  }

  if (es_cw_) ++cw_por_fecha_[fecha_];
  static const std::string club = PliegaTexto(kEstacionClubComarcas);
  if (indicativoPlegado == club) club_por_fecha_.insert(fecha_);
  ++cuantos_;
}

bool QsosAnteriores::Tiene(Familia familia, Ambito ambito, std::string_view valor, std::string_view banda,
                           std::string_view fecha, std::string_view modo) const {
  if (cuantos_ == 0 || !(Ambitos(familia) & Bit(ambito))) return false;
  Clave k;
  k.valor = textos_.Busca(valor);
  if (k.valor == 0) return false;
  if (ConBanda(ambito) && (k.banda = textos_.Busca(banda)) == 0) return false;
  if (ConFecha(ambito) && (k.fecha = textos_.Busca(fecha)) == 0) return false;
  if (ConModo(ambito) && (k.modo = textos_.Busca(modo)) == 0) return false;
  k.tipo = static_cast<std::uint32_t>(static_cast<unsigned char>(familia)) << 8 | static_cast<unsigned char>(ambito);
  return Contiene(k);
}

std::int32_t QsosAnteriores::CwEnFecha(std::string_view fecha) const {
  const std::uint32_t n = textos_.Busca(fecha);
  if (n == 0) return 0;
  const auto it = cw_por_fecha_.find(n);
  return it == cw_por_fecha_.end() ? 0 : it->second;
}

bool QsosAnteriores::ClubEnFecha(std::string_view fecha) const {
  const std::uint32_t n = textos_.Busca(fecha);
  return n != 0 && club_por_fecha_.contains(n);
}

// ------------------------------------------------------- new-multiplier tests

void EsNuevaEstacionEspecial(const DatosQso& qso, const QsosAnteriores& anteriores, const ContextoMultiplicadores& c,
                             std::int64_t& cuenta) {
  const OpcionesFamilia& o = c.opciones.Estacion;
  if (!o.Cada) return;
  if (!c.listas.EsEstacionMultiplicadora(qso.Indicativo)) return;
  const AmbitoQso a = AmbitoDe(qso);
  if (EsNuevo(anteriores, Familia::Estacion, o, PliegaTexto(qso.Indicativo), a.bandaPlegada, a.fecha, a.modoPlegado))
    cuenta += Peso(c.listas, "Estacion", qso.Indicativo);
}

void EsNuevoMultiplicadorOtros(const DatosQso& qso, const QsosAnteriores& anteriores,
                               const OpcionesMultiplicadores& opciones, std::int64_t& cuenta) {
  const std::string& literal = qso.LiteralRecibido;
  if (literal.empty() || plataforma::EsNumerico(literal)) return;
  OpcionesFamilia o = opciones.Otros;
  o.PorBanda = true;
  const AmbitoQso a = AmbitoDe(qso);
  if (EsNuevo(anteriores, Familia::Literal, o, PliegaTexto(literal), a.bandaPlegada, a.fecha, a.modoPlegado))
    cuenta += 1;
}

void EsNuevaReferenciaDie(const DatosQso& qso, const QsosAnteriores& anteriores, std::int64_t& cuenta) {
  const std::string& literal = qso.LiteralRecibido;
  if (literal == "-") return;
  std::string letras, numero;
  SeparaLetrasYNumero(literal, letras, numero);
  if (letras.empty() || numero.empty()) return;
  const AmbitoQso a = AmbitoDe(qso);
  if (anteriores.Tiene(Familia::ReferenciaDie, Ambito::Banda, letras + numero, a.banda)) return;
  if (letras == "D")
    cuenta += 1;
  else if (letras == "E" && numero.size() >= 4)
    cuenta += 1;
  else if (numero.size() == 3)
    cuenta += 2;
}

void EsNuevoPrefijoEA(const DatosQso& qso, const QsosAnteriores& anteriores, std::int64_t& cuenta) {
  if (!plataforma::Like(qso.Dxcc, "EA*")) return;
  std::string prefijo, distrito;
  anteriores.PrefijoYDistrito(qso.Indicativo, prefijo, distrito);
  if (!anteriores.Tiene(Familia::Prefijo, Ambito::Banda, prefijo, plataforma::Recorta(qso.Banda))) cuenta += 1;
}

void EsProvinciaNueva(std::string_view provincia, const QsosAnteriores& anteriores, const ContextoMultiplicadores& c,
                      std::int64_t& cuenta) {
  if (!c.listas.EsProvinciaValida(provincia, "", c.opciones)) return;
  if (!anteriores.Tiene(Familia::ProvinciaC, Ambito::Concurso, provincia)) cuenta += 1;
}

void EsNuevaProvincia(std::string_view letras, const QsosAnteriores& anteriores, const ContextoMultiplicadores& c,
                      std::int64_t& cuenta) {
  if (!c.listas.EsProvinciaValida(letras, "", c.opciones)) return;
  if (!anteriores.Tiene(Familia::ProvinciaVg, Ambito::Concurso, letras)) cuenta += 1;
}

// ----------------------------------------------------------------- the engine

void CalculaMultiplicadores(DatosQso& qso, const QsosAnteriores& anteriores, const ContextoMultiplicadores& c,
                            concursos::ReglaMultiplicadores regla) {
  const OpcionesMultiplicadores& op = c.opciones;
  const ListasMultiplicadores& listas = c.listas;
  qso.Multiplicador.clear();
  if (!op.Multiplicadores) return;

  using R = concursos::ReglaMultiplicadores;
  const bool die = regla == R::Die;
  const bool vge = regla == R::Vge;
  const bool dce = regla == R::Dce;
  const bool comarcas = regla == R::Club;
  const bool a1a = regla == R::Distrito;

  std::int64_t cuenta = 0;
  EsNuevaEstacionEspecial(qso, anteriores, c, cuenta);

  const AmbitoQso a = AmbitoDe(qso);

  // Band, day and mode counters: the band as stored.
  const std::string bandaGuardada = PliegaTexto(qso.Banda);
  auto bandaNueva = [&] { return !anteriores.Tiene(Familia::Banda, Ambito::Concurso, bandaGuardada); };
  auto fechaNueva = [&] { return !anteriores.Tiene(Familia::Fecha, Ambito::Concurso, a.fecha); };
  auto modoNuevo = [&] { return !anteriores.Tiene(Familia::Modo, Ambito::Concurso, a.modoPlegado); };
  if (op.CadaBanda) {
    if (bandaNueva()) cuenta += 1;
    if (op.CadaDia && fechaNueva()) cuenta += 1;
    if (op.CadaModo && modoNuevo()) cuenta += 1;
  } else if (op.CadaDia && fechaNueva()) {
    cuenta += 1;
  } else if (op.CadaModo && modoNuevo()) {
    cuenta += 1;
  }

  // Families searched as the database compares (folded).
  auto plegada = [&](Familia f, const OpcionesFamilia& o, const std::string& valor) {
    return EsNuevo(anteriores, f, o, PliegaTexto(valor), a.bandaPlegada, a.fecha, a.modoPlegado);
  };
  // Families walked with exact keys.
  auto exacta = [&](Familia f, const OpcionesFamilia& o, const std::string& valor, Familia primera) {
    return EsNuevo(anteriores, f, o, valor, a.banda, a.fecha, a.modo, primera);
  };

  // Country.
  if (op.Pais.Cada && !listas.EsPaisExcluido(qso.Dxcc, qso.DxccEstacionBase, op) &&
      plegada(Familia::Pais, op.Pais, qso.Dxcc))
    cuenta += Peso(listas, "Pais", qso.Dxcc);

  // CQ zone: the earlier QSOs' zones, cut and formatted as the QSO's.
  if (op.Cq.Cada && !listas.EsZonaCqExcluida(qso.Waz, qso.WazEstacionBase, op) &&
      plegada(Familia::Zona, op.Cq, qso.Waz))
    cuenta += Peso(listas, "ZonaCq", qso.Waz);

  std::string prefijo, distrito, prefijoPropio, distritoPropio;
  if (&c.paises == &anteriores.Paises()) {
    anteriores.PrefijoYDistrito(qso.Indicativo, prefijo, distrito);
    anteriores.PrefijoYDistrito(qso.Concursante, prefijoPropio, distritoPropio);
  } else {
    ObtienePrefijoYDistrito(c.paises, qso.Indicativo, prefijo, distrito);
    ObtienePrefijoYDistrito(c.paises, qso.Concursante, prefijoPropio, distritoPropio);
  }

  // Prefix.
  if (op.Prefijo.Cada) {
    if (die && op.Prefijo.PorBanda) {
      EsNuevoPrefijoEA(qso, anteriores, cuenta);
    } else if (!listas.EsPrefijoExcluido(prefijo, prefijoPropio, op) &&
               exacta(Familia::Prefijo, op.Prefijo, prefijo, Familia::Prefijo)) {
      cuenta += Peso(listas, "Prefijo", prefijo);
    }
  }

  // Suffix.
  if (op.Sufijo.Cada) {
    std::string base = qso.Indicativo, portable, sufijo;
    SeparaPortable(base, portable);
    ObtieneClaveLetras(c.paises, op, base, sufijo);
    if (exacta(Familia::Sufijo, op.Sufijo, sufijo, Familia::Sufijo)) cuenta += 1;
  }

  // District.
  if (op.Distrito.Cada && listas.EsDistritoValido(distrito, distritoPropio, op)) {
    const Familia primera = a1a && !op.Distrito.PorBanda ? Familia::DistritoNoNumerico : Familia::Distrito;
    if (exacta(Familia::Distrito, op.Distrito, distrito, primera)) cuenta += Peso(listas, "Distrito", distrito);
  }

  // Province.
  if (op.Prov.Cada) {
    const std::string& literal = qso.LiteralRecibido;
    if (vge && !op.Prov.PorBanda) {
      if (plataforma::Like(literal, "VG*")) {
        std::string letras, digitos;
        cabrillo::SeparaReferenciaVG(literal, letras, digitos);
        EsNuevaProvincia(letras, anteriores, c, cuenta);
      }
    } else if (dce && !op.Prov.PorBanda) {
      EsProvinciaNueva(ProvinciaDce(literal), anteriores, c, cuenta);
    } else {
      const std::string provincia = literal == "-" ? std::string() : literal;
      if (!provincia.empty() && listas.EsProvinciaValida(provincia, qso.LiteralEnviado, op) &&
          plegada(Familia::Literal, op.Prov, provincia))
        cuenta += Peso(listas, "Provincia", provincia);
    }
  }

  // Other letters.
  if (op.Otros.Cada) {
    if (die && op.Otros.PorBanda) {
      EsNuevaReferenciaDie(qso, anteriores, cuenta);
    } else if (vge && op.Otros.PorBanda) {
      EsNuevoMultiplicadorOtros(qso, anteriores, op, cuenta);
    } else if (!qso.LiteralRecibido.empty() && plegada(Familia::Literal, op.Otros, qso.LiteralRecibido)) {
      cuenta += Peso(listas, "OtrasSiglas", qso.LiteralRecibido);
    }
  }

  // Grid square: the first four characters of the received locator.
  if (op.Cuadricula.Cada && !qso.QraLocatorRecibido.empty() &&
      plegada(Familia::Cuadricula, op.Cuadricula, std::string(PrimerosCaracteres(qso.QraLocatorRecibido, 4))))
    cuenta += 1;

  // Rules after the families.
  if (comarcas) {
    if (qso.Modo == "CW" && anteriores.CwEnFecha(a.fecha) == 4) cuenta += 1;
    if (qso.Indicativo == kEstacionClubComarcas && !anteriores.ClubEnFecha(a.fecha)) cuenta += 1;
  }
  if (a1a && plataforma::EsNumerico(qso.LiteralRecibido)) {
    cuenta = anteriores.CwEnFecha(a.fecha) == 0 ? 1 : 0;
  }

  if (cuenta != 0) qso.Multiplicador = std::to_string(cuenta);
}

// ------------------------------------------------------- MotorMultiplicadores

MotorMultiplicadores::MotorMultiplicadores(const TablasPaises& paises, OpcionesMultiplicadores opciones,
                                           ListasMultiplicadores listas, std::string nombre_concurso)
    : paises_(paises),
      opciones_(std::move(opciones)),
      listas_(std::move(listas)),
      nombre_(std::move(nombre_concurso)),
      regla_(concursos::MultiplicadoresDe(nombre_)),
      anteriores_(paises_, opciones_) {}

void MotorMultiplicadores::CalculaMultiplicadores(DatosQso& qso) const {
  scoring::CalculaMultiplicadores(qso, anteriores_, Contexto(), regla_);
}

}  // namespace scoring
