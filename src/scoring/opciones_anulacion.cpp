#include "scoring/opciones_anulacion.h"

#include <array>
#include <string_view>
#include <utility>

#include "plataforma/dao.h"
#include "plataforma/texto.h"

namespace scoring {

namespace {

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
  for (const auto& [columna, miembro] : kColumnasAnulacion) fila[columna].SetValue(dao::Variant(opciones.*miembro));
  fila["NumeroListas"].SetValue(dao::Variant(plataforma::Izquierda(opciones.NumeroListas, 2)));
  fila.Update();
  fila.Close();
  return true;
}

}  // namespace scoring
