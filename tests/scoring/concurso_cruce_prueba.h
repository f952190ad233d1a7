#pragma once
// The fixture contest of the cross-check run and window tests: a contest
// database with contest 5 "CONCURSO CRUCE" (30-12-2009 12:00 to 18:00, RST
// and serial sent and received, a repeat allowed on another band) and its
// folder tree holding the thirteen valid logs of tests/datos/cruce, whose
// expected results are in tests/datos/cruce/esperado. It makes its folder
// the contest folder of the run while it lives.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "database/carpetas.h"
#include "database/creacion.h"
#include "database/estado.h"
#include "plataforma/dao.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/configuracion_cruce.h"
#include "soporte/carpeta_temporal.h"

namespace scoring::prueba {

inline const std::string kDatosCruce = std::string(TROVALIS_DATOS_PRUEBA) + "/cruce";

// The options the expected results were written for: no log, no QSO in the
// other log, exchange, RST and period are checked; `NumeroListas` empty.
inline OpcionesAnulacion OpcionesFixture() {
  OpcionesAnulacion o;
  o.AnularQSO = true;
  o.AnularPorNoExistir = true;
  o.AnularPorControlesDistintos = true;
  o.AnularPorBandaDistinta = true;
  o.AnularPorRstDistinto = true;
  o.AnularPorFecha = true;
  return o;
}

inline std::string Bytes(const std::string& ruta) {
  std::string b;
  plataforma::LeerBytes(ruta, b);
  return b;
}

class ConcursoCrucePrueba {
 public:
  static constexpr std::int32_t kNumero = 5;

  ConcursoCrucePrueba() {
    database::CreaBaseConcursosVacia(tmp_.En("Ledrima"));
    base = dao::OpenDatabase(tmp_.En("Ledrima"));
    Agrega("Concursos", {{"NumeroOrden", kNumero},
                         {"Concurso", "CONCURSO CRUCE"},
                         {"DesdeDia", *dao::Fecha::Desde("30-12-2009")},
                         {"DesdeHora", "12:00"},
                         {"HastaDia", *dao::Fecha::Desde("30-12-2009")},
                         {"HastaHora", "18:00"},
                         {"RepetirEnCadaBanda", true}});
    Agrega("ResumenCabrillo", {{"NumeroOrden", kNumero},
                               {"BandaNoAplicable", true},
                               {"PotenciaNoAplicable", true},
                               {"ModoNoAplicable", true},
                               {"AsistidoNoAplicable", true},
                               {"TxNoAplicable", true},
                               {"TipoEstacionNoAplicable", true},
                               {"TimeNoAplicable", true},
                               {"OverlayNoAplicable", true},
                               {"RstEnviado", true},
                               {"NumeralEnviado", true},
                               {"RstRecibido", true},
                               {"NumeralRecibido", true}});
    carpeta = tmp_.En("CONCURSO CRUCE");
    for (const std::string& sub : SubcarpetasComunes()) plataforma::CreaCarpeta(carpeta + "/" + sub);
    for (const std::string& sub : SubcarpetasConcurso()) plataforma::CreaCarpeta(carpeta + "/" + sub);
    for (const std::string& log : plataforma::ListaFicheros(kDatosCruce + "/ListasValidas"))
      plataforma::CopiaFichero(kDatosCruce + "/ListasValidas/" + log, carpeta + "/ListasValidas/" + log);
    trabajo = tmp_.En("trabajo");
    plataforma::CreaCarpeta(trabajo);
  }
  ~ConcursoCrucePrueba() {
    base.Close();
  }
  ConcursoCrucePrueba(const ConcursoCrucePrueba&) = delete;
  ConcursoCrucePrueba& operator=(const ConcursoCrucePrueba&) = delete;

  void Agrega(std::string_view tabla, const std::vector<std::pair<const char*, dao::Variant>>& valores) {
    dao::Recordset rs = base.OpenRecordset(tabla);
    rs.AddNew();
    for (const auto& [nombre, valor] : valores) rs[nombre].SetValue(valor);
    rs.Update();
    rs.Close();
  }

  // Sets columns of the contest's `Concursos` row.
  void PonColumnas(const std::vector<std::pair<const char*, dao::Variant>>& valores) {
    dao::Recordset rs = base.OpenRecordset("Select * From Concursos Where NumeroOrden = ?",
                                           dao::TipoRecordset::Dynaset, {dao::Variant(kNumero)});
    rs.Edit();
    for (const auto& [nombre, valor] : valores) rs[nombre].SetValue(valor);
    rs.Update();
    rs.Close();
  }

  std::string En(std::string_view sub) const { return plataforma::UneRuta(carpeta, sub); }

 private:
  soporte::CarpetaTemporal tmp_;

 public:
  dao::Database base;
  std::string carpeta;  // the contest folder
  std::string trabajo;  // the working folder
};

}  // namespace scoring::prueba
