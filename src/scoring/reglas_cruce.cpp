#include "scoring/reglas_cruce.h"

#include <cstdlib>

#include "common/paises.h"
#include "plataforma/lenguaje.h"
#include "plataforma/texto.h"
#include "scoring/lectura_qso.h"

namespace scoring {

using T = reglas::TokenQso;

std::string LineaMarcada(std::string_view codigo, std::string_view linea) {
  std::string r;
  r.reserve(codigo.size() + 1 + linea.size());
  r.append(codigo);
  r.push_back(':');
  r.append(linea);
  return r;
}

QsoLeido LeeQso(std::string_view linea, const reglas::PerfilIntercambio& flags) {
  QsoLeido q;
  q.tokens = DesglosaLineaQso(linea, flags);
  q.banda = ObtieneBanda(q.tokens[T::Frecuencia]);
  q.modo = ModoCruce(q.tokens[T::Modo]);
  q.fecha = FechaQso(q.tokens[T::Fecha]);
  q.minutos = MinutosDelDia(q.tokens[T::Hora]);
  return q;
}

std::string IndicativoComparable(std::string_view indicativo, bool con_portable) {
  std::string base(indicativo);
  std::string portable;
  SeparaPortable(base, portable);
  if (con_portable) base += portable;
  return base;
}

bool FueraDelPeriodo(const QsoLeido& qso, const PeriodoConcurso& periodo) {
  return FueraDelPeriodo(qso.fecha, qso.minutos, LimitesDe(periodo));
}

LimitesPeriodo LimitesDe(const PeriodoConcurso& periodo) {
  LimitesPeriodo l;
  if (periodo.DesdeDia)
    if (const std::optional<int> m = MinutosDelDia(periodo.DesdeHora)) l.desde = MinutoAbsoluto(*periodo.DesdeDia, *m);
  if (periodo.HastaDia)
    if (const std::optional<int> m = MinutosDelDia(periodo.HastaHora)) l.hasta = MinutoAbsoluto(*periodo.HastaDia, *m);
  return l;
}

bool FueraDelPeriodo(const std::optional<plataforma::Fecha>& fecha, std::optional<int> minutos,
                     const LimitesPeriodo& limites) {
  if (!fecha) return true;
  if (!minutos) return true;
  const long long momento = MinutoAbsoluto(*fecha, *minutos);
  if (limites.desde && momento < *limites.desde) return true;
  if (limites.hasta && momento > *limites.hasta + 10) return true;
  return false;
}

bool CoincidenFechaYHora(bool anular_por_fecha_distinta, const std::optional<plataforma::Fecha>& fecha_propia,
                         const std::optional<plataforma::Fecha>& fecha_otra, std::optional<int> hora_propia,
                         std::optional<int> hora_otra) {
  if (!anular_por_fecha_distinta) return true;
  if (!fecha_propia || !fecha_otra || !(*fecha_propia == *fecha_otra)) return false;
  if (!hora_propia || !hora_otra) return false;
  return *hora_otra - 10 < *hora_propia && *hora_propia < *hora_otra + 10;
}

std::string SufijoSegovia(std::string_view entrada) {
  const std::string nombre = plataforma::Mayusculas(entrada);
  std::string parte = nombre;
  const std::size_t guion = nombre.find('-');
  if (guion != std::string::npos) {
    // The character position of the "-" (1-based) for a cut by characters.
    const std::size_t posicion = plataforma::Longitud(std::string_view(nombre).substr(0, guion)) + 1;
    parte = plataforma::Medio(nombre, posicion, 10);
  }
  const std::size_t punto = parte.find('.');
  if (punto != std::string::npos) parte.erase(punto);
  return parte;
}

ReglaCuenta ReglaDeCuenta(const OpcionesAnulacion& o) {
  if (o.AnularDos) return {2, kNul02};
  if (o.AnularCinco) return {5, kNul03};
  if (o.AnularDiez) return {10, kNul04};
  if (o.AnularQuince) return {15, kNul05};
  return {};
}

IntercambioEnviado EnviadoDe(const reglas::TokensQso& t) {
  return {t[T::MiRst], t[T::MiNumero], t[T::MisLetras], t[T::MisPuntos], t[T::MiLocator]};
}

namespace {

bool MismosNumeros(std::string_view a, std::string_view b) {
  // Plain digits (nearly always) read as Entero16 reads them, without the
  // conversion of a general number.
  const std::optional<long long> ca = plataforma::ValorDeCifras(a, 9), cb = plataforma::ValorDeCifras(b, 9);
  if (ca && cb) return *ca <= 32767 && *ca == *cb;
  const std::optional<int> x = Entero16(a);
  const std::optional<int> y = Entero16(b);
  return x && y && *x == *y;
}

}  // namespace

std::string_view CodigoIntercambio(const reglas::TokensQso& nuestro, const IntercambioEnviado& suyo,
                                   const reglas::PerfilIntercambio& f, const OpcionesAnulacion& o) {
  return CodigoIntercambio(IntercambioVisto{nuestro[T::SuRst], nuestro[T::SuNumero], nuestro[T::SusLetras],
                                            nuestro[T::SusPuntos], nuestro[T::SuLocator]},
                           IntercambioVisto{suyo.rst, suyo.numeral, suyo.letras, suyo.puntos, suyo.locator}, f, o);
}

std::string_view CodigoIntercambio(const IntercambioVisto& nuestro, const IntercambioVisto& suyo,
                                   const reglas::PerfilIntercambio& f, const OpcionesAnulacion& o) {
  if (o.AnularPorRstDistinto && f.recibido.rst && f.enviado.rst && nuestro.rst != suyo.rst) return kNul16;
  if (!o.AnularPorControlesDistintos) return {};
  if (f.recibido.numeral && f.enviado.numeral && !MismosNumeros(nuestro.numeral, suyo.numeral)) return kNul14;
  if (f.recibido.letras && f.enviado.letras && LetrasComparables(nuestro.letras) != LetrasComparables(suyo.letras))
    return kNul12;
  if (f.recibido.puntos && f.enviado.puntos && !MismosNumeros(nuestro.puntos, suyo.puntos)) return kNul18;
  if (f.recibido.locator && f.enviado.locator && nuestro.locator != suyo.locator) return kNul13;
  return {};
}

QsoRepeticion LeeQsoRepeticion(std::string_view linea, const reglas::PerfilIntercambio& flags) {
  reglas::TokensQso t = DesglosaLineaQso(linea, flags);
  QsoRepeticion q;
  q.trabajado = std::move(t[T::SuIndicativo]);
  q.banda = ObtieneBanda(t[T::Frecuencia]);
  q.modo = std::move(t[T::Modo]);
  q.fecha = std::move(t[T::Fecha]);
  q.letras = std::move(t[T::SusLetras]);
  return q;
}

bool EsRepeticion(const QsoRepeticion& i, const QsoRepeticion& j, const ReglasRepeticion& r,
                  std::string_view nombre_concurso) {
  if (i.trabajado == kEstacionLaPalma &&
      concursos::Tiene(nombre_concurso, &concursos::PerfilConcurso::repeticion_estacion_especial))
    return i.banda == j.banda && i.letras == j.letras && i.fecha == j.fecha;
  if (r.RepetirEnCadaBanda && i.banda != j.banda) return false;
  if (r.RepetirEnCadaModo && i.modo != j.modo) return false;
  if (r.RepetirCadaHoras && i.fecha != j.fecha) return false;
  if (r.RepetirEnCadaBanda || r.RepetirEnCadaModo || r.RepetirCadaHoras) return true;
  return r.NoRepetir;
}

std::string_view IndicativoPresencia(std::string_view indicativo) { return indicativo.substr(0, indicativo.find('-')); }

bool EsListaDeLaEstacion(std::string_view entrada, std::string_view buscado) {
  std::string_view nombre = entrada.substr(0, entrada.find('-'));
  nombre = nombre.substr(0, nombre.find('.'));
  return plataforma::IgualesSinCaso(nombre, buscado);
}

bool EsNombreDeLog(std::string_view indicativo) {
  return indicativo.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

}  // namespace scoring
