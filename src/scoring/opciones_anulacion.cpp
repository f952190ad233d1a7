#include "scoring/opciones_anulacion.h"

#include <array>
#include <string_view>
#include <utility>

#include "plataforma/dao.h"
#include "plataforma/texto.h"

namespace scoring {

namespace {

using CampoAnulacion = bool OpcionesAnulacion::*;

// The columns in the order the window loads its boxes.
constexpr std::array<std::pair<std::string_view, CampoAnulacion>, 14> kColumnas = {{
    {"AnularQSO", &OpcionesAnulacion::AnularQSO},
    {"AnularDos", &OpcionesAnulacion::AnularDos},
    {"AnularCinco", &OpcionesAnulacion::AnularCinco},
    {"AnularDiez", &OpcionesAnulacion::AnularDiez},
    {"AnularQuince", &OpcionesAnulacion::AnularQuince},
    {"AnularPorBandaDistinta", &OpcionesAnulacion::AnularPorBandaDistinta},
    {"AnularPorModoDistinto", &OpcionesAnulacion::AnularPorModoDistinto},
    {"AnularPorNoExistir", &OpcionesAnulacion::AnularPorNoExistir},
    {"AnularPorControlesDistintos", &OpcionesAnulacion::AnularPorControlesDistintos},
    {"AnularPorFecha", &OpcionesAnulacion::AnularPorFecha},
    {"AnularPorFechaDistinta", &OpcionesAnulacion::AnularPorFechaDistinta},
    {"AnularPorRSTDistinto", &OpcionesAnulacion::AnularPorRstDistinto},
    {"AnularQSOSiNoEstaEN", &OpcionesAnulacion::AnularQSOSiNoEstaEN},
    {"AnularPorPortableDistinto", &OpcionesAnulacion::AnularPorPortableDistinto},
}};

dao::Recordset FilaConcurso(dao::Database& base, std::int32_t numero_orden) {
  return base.OpenRecordset("Select * From Concursos Where NumeroOrden = ?", dao::TipoRecordset::Dynaset,
                            {dao::Variant(numero_orden)});
}

}  // namespace

bool CargaOpcionesAnulacion(dao::Database& base, std::int32_t numero_orden, OpcionesAnulacion& opciones) {
  DatosCruce datos;
  if (!LeeDatosCruce(base, numero_orden, datos)) return false;
  opciones = datos.AnulacionGuardada;
  return true;
}

bool GuardaOpcionesAnulacion(dao::Database& base, std::int32_t numero_orden, const OpcionesAnulacion& opciones) {
  dao::Recordset fila = FilaConcurso(base, numero_orden);
  if (fila.Eof()) {
    fila.Close();
    return false;
  }
  fila.Edit();
  for (const auto& [columna, miembro] : kColumnas) fila[columna].SetValue(dao::Variant(opciones.*miembro));
  fila["NumeroListas"].SetValue(dao::Variant(plataforma::Izquierda(opciones.NumeroListas, 2)));
  fila.Update();
  fila.Close();
  return true;
}

}  // namespace scoring
