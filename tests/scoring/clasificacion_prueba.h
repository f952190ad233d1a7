#pragma once
// The fixture contest of the ranking tests: contest 7 "CONCURSO PRUEBA",
// edition "2026", in a contest database of its own, and a contest folder
// holding the score files and crossed logs of tests/datos/clasificaciones
// (seven score files, one of them without its "TOTAL PUNTOS:" line) and an
// old file in `ListasClasificacion`. The expected listings are in
// tests/datos/clasificaciones/esperado.
#include <filesystem>
#include <string>
#include <string_view>

#include "database/carpetas.h"
#include "database/creacion.h"
#include "plataforma/dao.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "soporte/carpeta_temporal.h"

namespace scoring::prueba {

inline const std::string kDatosClasificaciones = std::string(TROVALIS_DATOS_PRUEBA) + "/clasificaciones";

class ConcursoClasificacionPrueba {
 public:
  static constexpr std::int32_t kNumero = 7;

  ConcursoClasificacionPrueba() {
    database::CreaBaseConcursosVacia(tmp.En("Ledrima"));
    base = dao::OpenDatabase(tmp.En("Ledrima"));
    dao::Recordset rs = base.OpenRecordset("Concursos");
    rs.AddNew();
    rs["NumeroOrden"].SetValue(dao::Variant(kNumero));
    rs["Concurso"].SetValue(dao::Variant("CONCURSO PRUEBA"));
    rs["Edicion"].SetValue(dao::Variant("2026"));
    rs["DesdeDia"].SetValue(dao::Variant(*dao::Fecha::Desde("30-12-2009")));
    rs["HastaDia"].SetValue(dao::Variant(*dao::Fecha::Desde("30-12-2009")));
    rs["DesdeHora"].SetValue(dao::Variant("12:00"));
    rs["HastaHora"].SetValue(dao::Variant("18:00"));
    rs.Update();
    rs.Close();
    carpeta = tmp.En("CONCURSO PRUEBA");
    for (const std::string& sub : ::SubcarpetasComunes()) plataforma::CreaCarpeta(carpeta + "/" + sub);
    for (const std::string& sub : ::SubcarpetasConcurso()) plataforma::CreaCarpeta(carpeta + "/" + sub);
    std::filesystem::copy(kDatosClasificaciones + "/concurso", carpeta,
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    tmp.EscribeBytes("CONCURSO PRUEBA/ListasClasificacion/viejo.txt", "de otra clasificación\r\n");
    trabajo = tmp.En("trabajo");
    plataforma::CreaCarpeta(trabajo);
  }
  ~ConcursoClasificacionPrueba() { base.Close(); }
  ConcursoClasificacionPrueba(const ConcursoClasificacionPrueba&) = delete;
  ConcursoClasificacionPrueba& operator=(const ConcursoClasificacionPrueba&) = delete;

  std::string En(std::string_view sub) const { return plataforma::UneRuta(carpeta, sub); }
  std::string Bytes(std::string_view sub) const {
    std::string b;
    plataforma::LeerBytes(En(sub), b);
    return b;
  }
  static std::string Esperado(std::string_view fichero) {
    std::string b;
    plataforma::LeerBytes(kDatosClasificaciones + "/esperado/" + std::string(fichero), b);
    return b;
  }

  soporte::CarpetaTemporal tmp;
  dao::Database base;
  std::string carpeta;  // the contest folder
  std::string trabajo;  // the working folder
};

}  // namespace scoring::prueba
