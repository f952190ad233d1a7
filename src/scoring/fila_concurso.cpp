#include "scoring/fila_concurso.h"

#include "plataforma/dao.h"

namespace scoring {

bool Cierto(const dao::Variant& v) {
  if (v.IsNull()) return false;
  try {
    return v.CBool();
  } catch (const dao::Error&) {
    return false;
  }
}

std::string TextoColumna(const dao::Variant& v) { return v.IsNull() ? std::string() : v.CStr(); }

bool RecorreFilaConcurso(dao::Database& base, std::int32_t numero_orden,
                         const std::function<void(std::string_view nombre, const dao::Variant& valor)>& columna) {
  dao::Recordset rs = base.OpenRecordset("Select * From Concursos Where NumeroOrden = ?", {dao::Variant(numero_orden)});
  if (rs.Eof()) {
    rs.Close();
    return false;
  }
  const dao::Fields campos = rs.Fields();
  for (int i = 0; i < campos.Count(); ++i) {
    const dao::Field campo = campos[i];
    columna(campo.Name(), campo.Value());
  }
  rs.Close();
  return true;
}

}  // namespace scoring
