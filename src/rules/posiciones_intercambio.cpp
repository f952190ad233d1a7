#include "rules/posiciones_intercambio.h"

#include <string>

#include "common/reglas_qso.h"

namespace rules {
namespace {

reglas::PerfilIntercambio PerfilDe(const EstadoIntercambio& e) {
  reglas::PerfilIntercambio p;
  p.enviado = {e.marcado[kRstEnviado], e.marcado[kNumeralEnviado], e.marcado[kLetrasEnviadas], false,
               e.marcado[kLocatorEnviado]};
  p.recibido = {e.marcado[kRstRecibido], e.marcado[kNumeralRecibido], e.marcado[kLetrasRecibidas], false,
                e.marcado[kLocatorRecibido]};
  return p;
}

// A column field shows its column, or nothing for an element not present.
std::string Texto(int columna) { return columna > 0 ? std::to_string(columna) : std::string(); }

}  // namespace

Columna ColumnaDeElemento(Elemento e) {
  const std::size_t i = e;
  return i < kRstRecibido ? static_cast<Columna>(std::size_t{kMiRst} + i)
                          : static_cast<Columna>(std::size_t{kSuRst} + (i - kRstRecibido));
}

void CalculaPosiciones(EstadoIntercambio& estado, std::string_view nombreConcurso) {
  reglas::PerfilIntercambio perfil = PerfilDe(estado);
  reglas::PosicionesQso p = reglas::CalculaPosiciones(perfil);
  // A contest with fixed received columns: both serial numbers are unticked
  // (their change rule computes everything again without them) and the
  // received call, RST and letters take the profile's columns.
  if (reglas::AplicaDisposicionFija(nombreConcurso, perfil, p)) {
    estado.marcado[kNumeralEnviado] = perfil.enviado.numeral;
    estado.marcado[kNumeralRecibido] = perfil.recibido.numeral;
  }
  const int columnas[] = {p.miIndicativo, p.miRst, p.miNumero, p.misLetras, p.miLocator,
                          p.suIndicativo, p.suRst, p.suNumero, p.susLetras, p.suLocator};
  for (std::size_t c = 0; c < estado.columna.size(); ++c) estado.columna[c] = Texto(columnas[c]);
}

void CambiaElemento(EstadoIntercambio& estado, Elemento e, bool valor, std::string_view nombreConcurso) {
  if (estado.marcado[e] == valor) return;
  estado.marcado[e] = valor;
  if (!valor) estado.columna[ColumnaDeElemento(e)].clear();
  CalculaPosiciones(estado, nombreConcurso);
}

void AsignaControlesPorDefecto(EstadoIntercambio& estado, const OpcionesIntercambio& opciones,
                               std::string_view nombreConcurso) {
  auto propone = [&](Elemento rst, bool numeral, bool locator, bool siglas) {
    for (std::size_t k = 0; k < 4; ++k) {
      if (estado.marcado[rst + k]) return;  // a side with a ticked element keeps it
    }
    CambiaElemento(estado, rst, true, nombreConcurso);
    if (numeral) {
      CambiaElemento(estado, static_cast<Elemento>(rst + 1), !opciones.SiglasONumeral, nombreConcurso);
    }
    if (locator) CambiaElemento(estado, static_cast<Elemento>(rst + 3), true, nombreConcurso);
    if (siglas) CambiaElemento(estado, static_cast<Elemento>(rst + 2), true, nombreConcurso);
  };
  propone(kRstEnviado, opciones.EnviarNumeral, opciones.EnviarLocator, opciones.EnviarSiglas);
  propone(kRstRecibido, opciones.RecibirNumeral, opciones.RecibirLocator, opciones.RecibirSiglas);
  CalculaPosiciones(estado, nombreConcurso);
}

}  // namespace rules
