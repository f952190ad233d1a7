#include "scoring/multiplicadores.h"

#include <algorithm>
#include <utility>

#include "cabrillo/comprobaciones_intercambio.h"
#include "common/paises.h"
#include "plataforma/dao.h"
#include "plataforma/lenguaje.h"
#include "plataforma/texto.h"

namespace scoring {

namespace {

constexpr char kSeparador = '\x1f';

std::string Clave(Familia familia, Ambito ambito, std::string_view valor, std::string_view banda,
                  std::string_view fecha, std::string_view modo) {
  std::string k;
  k.reserve(valor.size() + banda.size() + fecha.size() + modo.size() + 6);
  k += static_cast<char>(familia);
  k += static_cast<char>(ambito);
  k += valor;
  const bool conBanda = ambito == Ambito::Banda || ambito == Ambito::BandaDia || ambito == Ambito::BandaModo;
  const bool conFecha = ambito == Ambito::Dia || ambito == Ambito::BandaDia;
  const bool conModo = ambito == Ambito::Modo || ambito == Ambito::BandaModo;
  k += kSeparador;
  if (conBanda) k += banda;
  k += kSeparador;
  if (conFecha) k += fecha;
  k += kSeparador;
  if (conModo) k += modo;
  return k;
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
// question looks at (the A1A CLUB district rule asks it of other QSOs).
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

AmbitoQso AmbitoDe(const DatosQso& qso) {
  AmbitoQso r;
  r.banda = plataforma::Recorta(qso.Banda);
  r.bandaPlegada = PliegaTexto(r.banda);
  r.modo = qso.Modo;
  r.modoPlegado = PliegaTexto(qso.Modo);
  r.fecha = QsosAnteriores::ClaveFecha(qso.FechaQso);
  return r;
}

bool EsCw(std::string_view modo) { return PliegaTexto(modo) == "cw"; }

// The province the SPRINT DCE 1.0 rule asks about: for a literal that
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

QsosAnteriores::QsosAnteriores(const TablasPaises& paises, const OpcionesMultiplicadores& opciones)
    : paises_(paises), opciones_(opciones) {}

void QsosAnteriores::Vacia() {
  claves_.clear();
  cw_por_fecha_.clear();
  club_por_fecha_.clear();
  cuantos_ = 0;
}

std::string QsosAnteriores::ClaveFecha(std::string_view fecha) {
  if (const auto f = dao::Fecha::Desde(fecha)) return f->Texto();
  return std::string(fecha);
}

void QsosAnteriores::Pon(Familia familia, std::string_view valor, std::string_view banda, std::string_view fecha,
                         std::string_view modo) {
  // Only the scopes some question asks of this kind.
  switch (familia) {
    case Familia::Banda:
    case Familia::Fecha:
    case Familia::Modo:
    case Familia::DistritoNoNumerico:
    case Familia::ProvinciaC:
    case Familia::ProvinciaVg:
      claves_.insert(Clave(familia, Ambito::Concurso, valor, banda, fecha, modo));
      return;
    case Familia::ReferenciaDie:
      claves_.insert(Clave(familia, Ambito::Banda, valor, banda, fecha, modo));
      return;
    default:
      for (Ambito a : {Ambito::Concurso, Ambito::Dia, Ambito::Modo, Ambito::Banda, Ambito::BandaDia, Ambito::BandaModo})
        claves_.insert(Clave(familia, a, valor, banda, fecha, modo));
  }
}

void QsosAnteriores::Anade(const DatosQso& qso) {
  const std::string fecha = ClaveFecha(qso.FechaQso);
  const std::string& banda = qso.Banda;  // as stored
  const std::string bandaPlegada = PliegaTexto(banda);
  const std::string& modo = qso.Modo;
  const std::string modoPlegado = PliegaTexto(modo);
  auto plegada = [&](Familia f, std::string_view valor) { Pon(f, PliegaTexto(valor), bandaPlegada, fecha, modoPlegado); };
  auto exacta = [&](Familia f, std::string_view valor) { Pon(f, valor, banda, fecha, modo); };

  plegada(Familia::Banda, banda);
  Pon(Familia::Fecha, fecha, bandaPlegada, fecha, modoPlegado);
  plegada(Familia::Modo, modo);
  plegada(Familia::Estacion, qso.Indicativo);
  plegada(Familia::Pais, qso.Dxcc);
  plegada(Familia::Zona, qso.Waz);
  plegada(Familia::Literal, qso.LiteralRecibido);

  std::string prefijo, distrito;
  ObtienePrefijoYDistrito(paises_, qso.Indicativo, prefijo, distrito);
  exacta(Familia::Prefijo, prefijo);
  exacta(Familia::Distrito, distrito);
  if (!plataforma::EsNumerico(qso.LiteralRecibido)) exacta(Familia::DistritoNoNumerico, distrito);

  std::string base = qso.Indicativo, portable, sufijo;
  SeparaPortable(base, portable);
  ObtieneClaveLetras(paises_, opciones_, base, sufijo);
  exacta(Familia::Sufijo, sufijo);

  const std::size_t largo = std::min<std::size_t>(4, NumeroCaracteres(qso.QraLocatorRecibido));
  for (std::size_t n = 1; n <= largo; ++n)
    plegada(Familia::Cuadricula, PrimerosCaracteres(qso.QraLocatorRecibido, n));

  std::string letras, numero;
  SeparaLetrasYNumero(qso.LiteralRecibido, letras, numero);
  exacta(Familia::ReferenciaDie, letras + numero);

  if (!qso.LiteralRecibido.empty()) {
    exacta(Familia::ProvinciaC, ProvinciaDce(qso.LiteralRecibido));
    std::string letrasVg, digitosVg;
    cabrillo::SeparaReferenciaVG(qso.LiteralRecibido, letrasVg, digitosVg);
    exacta(Familia::ProvinciaVg, letrasVg);
  }

  if (EsCw(modo)) ++cw_por_fecha_[fecha];
  if (PliegaTexto(qso.Indicativo) == PliegaTexto(kEstacionClubComarcas)) club_por_fecha_.insert(fecha);
  ++cuantos_;
}

bool QsosAnteriores::Tiene(Familia familia, Ambito ambito, std::string_view valor, std::string_view banda,
                           std::string_view fecha, std::string_view modo) const {
  if (cuantos_ == 0) return false;
  return claves_.contains(Clave(familia, ambito, valor, banda, fecha, modo));
}

std::int32_t QsosAnteriores::CwEnFecha(std::string_view fecha) const {
  const auto it = cw_por_fecha_.find(std::string(fecha));
  return it == cw_por_fecha_.end() ? 0 : it->second;
}

bool QsosAnteriores::ClubEnFecha(std::string_view fecha) const {
  return club_por_fecha_.contains(std::string(fecha));
}

// ------------------------------------------------------- new-multiplier tests

void EsNuevaEstacionEspecial(const DatosQso& qso, const QsosAnteriores& anteriores,
                             const ContextoMultiplicadores& c, std::int64_t& cuenta) {
  const OpcionesFamilia& o = c.opciones.Estacion;
  if (!o.Cada) return;
  if (!c.listas.EsEstacionMultiplicadora(qso.Indicativo)) return;
  const AmbitoQso a = AmbitoDe(qso);
  if (EsNuevo(anteriores, Familia::Estacion, o, PliegaTexto(qso.Indicativo), a.bandaPlegada, a.fecha,
              a.modoPlegado))
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
  if (letras == "D") cuenta += 1;
  else if (letras == "E" && numero.size() >= 4) cuenta += 1;
  else if (numero.size() == 3) cuenta += 2;
}

void EsNuevoPrefijoEA(const DatosQso& qso, const QsosAnteriores& anteriores, std::int64_t& cuenta) {
  if (!plataforma::Like(qso.Dxcc, "EA*")) return;
  std::string prefijo, distrito;
  ObtienePrefijoYDistrito(anteriores.Paises(), qso.Indicativo, prefijo, distrito);
  if (!anteriores.Tiene(Familia::Prefijo, Ambito::Banda, prefijo, plataforma::Recorta(qso.Banda))) cuenta += 1;
}

void EsProvinciaNueva(std::string_view provincia, const QsosAnteriores& anteriores,
                      const ContextoMultiplicadores& c, std::int64_t& cuenta) {
  if (!c.listas.EsProvinciaValida(provincia, "", c.opciones)) return;
  if (!anteriores.Tiene(Familia::ProvinciaC, Ambito::Concurso, provincia)) cuenta += 1;
}

void EsNuevaProvincia(std::string_view letras, const QsosAnteriores& anteriores,
                      const ContextoMultiplicadores& c, std::int64_t& cuenta) {
  if (!c.listas.EsProvinciaValida(letras, "", c.opciones)) return;
  if (!anteriores.Tiene(Familia::ProvinciaVg, Ambito::Concurso, letras)) cuenta += 1;
}

// ----------------------------------------------------------------- the engine

void CalculaMultiplicadores(DatosQso& qso, const QsosAnteriores& anteriores, const ContextoMultiplicadores& c,
                            std::string_view nombre) {
  const OpcionesMultiplicadores& op = c.opciones;
  const ListasMultiplicadores& listas = c.listas;
  qso.Multiplicador.clear();
  if (!op.Multiplicadores) return;

  const bool die = nombre == kConcursoDie;
  const bool vge = nombre == kConcursoVge;
  const bool dce = nombre == kConcursoDce;
  const bool comarcas = nombre == kConcursoComarcas;
  const bool a1a = nombre.find(kConcursoA1a) != std::string_view::npos;

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
  ObtienePrefijoYDistrito(c.paises, qso.Indicativo, prefijo, distrito);
  ObtienePrefijoYDistrito(c.paises, qso.Concursante, prefijoPropio, distritoPropio);

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
      anteriores_(paises_, opciones_) {}

void MotorMultiplicadores::CalculaMultiplicadores(DatosQso& qso) const {
  scoring::CalculaMultiplicadores(qso, anteriores_, Contexto(), nombre_);
}

}  // namespace scoring
