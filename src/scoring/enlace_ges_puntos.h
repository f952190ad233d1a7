#pragma once
// What the cross-check window needs of the window that opens it (the mail
// window): the contest in hand, the flag of logs received since the last
// cross-check, and its return when the cross-check window closes. The mail
// window implements it; the tests implement it with a plain struct.
//
// The scoring run and the rankings window, which the window's buttons
// `Calcular` and `Clasificaciones` start, come through `AccionesPuntuacion`.
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "plataforma/eleccion_impresora.h"

class EdicionConcurso;
class ProgresoEtapa;
class TablasPaises;

namespace dao {
class Database;
}

namespace scoring {

class EnlaceGesPuntos {
 public:
  virtual ~EnlaceGesPuntos() = default;
  // The contest database and the contest in hand (`NumeroOrden`).
  virtual dao::Database& BaseConcursos() = 0;
  virtual std::int32_t NumeroConcurso() const = 0;
  // The working folder and the folder of the contest edition.
  virtual std::string CarpetaTrabajo() const = 0;
  virtual std::string CarpetaConcurso() const = 0;
  // The countries database of the run (the category keys of a few contests
  // need it); nullptr: the one the lookups use by default.
  virtual const TablasPaises* Paises() const { return nullptr; }
  // The printer chosen for the run, which the window and the rankings
  // window print on.
  virtual const plataforma::EleccionImpresora& Impresora() const = 0;
  // `HayListasNuevas`: intake has been started since the last cross-check.
  // The window reads it when it opens and clears it after a cross-check.
  virtual bool HayListasNuevas() const = 0;
  virtual void PonHayListasNuevas(bool valor) = 0;
  // Shows the opener again (the cross-check window has closed).
  virtual void MuestraVentanaCorreo() = 0;
};

// The runs that the window starts but does not own.
class AccionesPuntuacion {
 public:
  virtual ~AccionesPuntuacion() = default;
  // The scoring run over the window's edition: writes the score files, reads
  // the edition's score listing again as it goes, and tells its step,
  // progress and the logs it could not score through `progreso`.
  virtual void CalculaPuntuaciones(EdicionConcurso& edicion, ProgresoEtapa& progreso) = 0;
  // Opens the rankings window (the cross-check window has hidden itself);
  // `al_cerrar` is to be called when it closes, and shows the cross-check
  // window again.
  virtual void AbreClasificaciones(std::function<void()> al_cerrar) = 0;
};

// Stand-in for a window built without runs behind it: scoring does
// nothing, and the rankings window closes at once.
class AccionesPuntuacionPendientes : public AccionesPuntuacion {
 public:
  void CalculaPuntuaciones(EdicionConcurso&, ProgresoEtapa&) override {}
  void AbreClasificaciones(std::function<void()> al_cerrar) override {
    if (al_cerrar) al_cerrar();
  }
};

// The callsigns of the members of the club of "X ANIVERSARIO ZUROZI" (its
// category key and its points read them). None are configured.
inline std::span<const std::string> SociosZurozi() { return {}; }

}  // namespace scoring
