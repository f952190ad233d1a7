#include "soporte_formato.h"

#include <sqlite3.h>

#include <stdexcept>

#include "plataforma/dao.h"

namespace prueba {
namespace {

// ResumenCabrillo column by column, as created and then upgraded.
const char* const kLogicosCreados[] = {
    "SingleOp", "MultiOp", "ServerOp", "CheckLog", "BandaNoAplicable", "ALL", "M160", "M80", "M40", "M30",
    "M20", "M15", "M16", "M12", "M10", "M6", "M2", "M222", "M432", "M902", "G12", "ModoNoAplicable", "SSB",
    "CW", "FM", "RTTY", "MIXED", "PotenciaNoAplicable", "High", "Low", "Qrp", "AsistidoNoAplicable",
    "NonAssisted", "Assisted", "TxNoAplicable", "One", "Two", "Limited", "UnLimited", "Swl",
    "TipoEstacionNoAplicable", "Fixed", "Mobile", "Portable", "HillTopper", "Rover", "Expedition", "Hq",
    "School", "TimeNoAplicable", "Hours6", "Hours12", "Hours24", "OverlayNoAplicable", "Rookie", "TbWires",
    "NoviceTech", "Over50", "RstEnviado", "NumeralEnviado", "LetrasEnviadas", "LocatorEnviado", "RstRecibido",
    "NumeralRecibido", "LetrasRecibidas", "LocatorRecibido"};
const char* const kPosiciones[] = {"MiIndicativo", "MiRst", "MiNumero", "MisLetras", "MiLocator",
                                   "SuIndicativo", "SuRst", "SuNumero", "SusLetras", "Sulocator"};

struct Base {
  sqlite3* db = nullptr;
  explicit Base(const std::string& ruta, int modo) {
    if (sqlite3_open_v2(ruta.c_str(), &db, modo, nullptr) != SQLITE_OK) throw std::runtime_error("base");
  }
  ~Base() { sqlite3_close(db); }
};

}  // namespace

CarpetaConBase::CarpetaConBase() {
  dao::Database db = dao::CreateDatabase(RutaBase());
  dao::TableDef td = db.CreateTableDef("ResumenCabrillo");
  td.Fields().Append(td.CreateField("NumeroOrden", dao::Tipo::Long));
  for (const char* n : kLogicosCreados) td.Fields().Append(td.CreateField(n, dao::Tipo::Boolean));
  for (const char* n : kPosiciones) td.Fields().Append(td.CreateField(n, dao::Tipo::Integer));
  for (const char* n : {"EMailConcurso", "AsuntoConcurso"}) {
    dao::Field f = td.CreateField(n, dao::Tipo::Text, 64);
    f.SetAllowZeroLength(true);
    td.Fields().Append(f);
  }
  db.TableDefs().Append(td);
  // Appended by the upgrade at start-up.
  dao::TableDef resumen = db.TableDefs()["ResumenCabrillo"];
  resumen.Fields().Append(resumen.CreateField("PuntosRecibidos", dao::Tipo::Boolean));
  resumen.Fields().Append(resumen.CreateField("PuntosEnviados", dao::Tipo::Boolean));
  resumen.Fields().Append(resumen.CreateField("MisPuntos", dao::Tipo::Integer));
  resumen.Fields().Append(resumen.CreateField("SusPuntos", dao::Tipo::Integer));
  db.Close();
}

std::string CarpetaConBase::Ruta() const { return dir_.path().toStdString(); }
std::string CarpetaConBase::RutaBase() const { return Ruta() + "/Ledrima"; }

void CarpetaConBase::Ejecuta(const std::string& sql) const {
  Base b(RutaBase(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  char* error = nullptr;
  if (sqlite3_exec(b.db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string texto = error ? error : "?";
    sqlite3_free(error);
    throw std::runtime_error(texto);
  }
}

std::vector<FilaTexto> CarpetaConBase::Filas() const {
  Base b(RutaBase(), SQLITE_OPEN_READONLY);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(b.db, "SELECT * FROM ResumenCabrillo ORDER BY rowid", -1, &st, nullptr);
  std::vector<FilaTexto> filas;
  while (sqlite3_step(st) == SQLITE_ROW) {
    FilaTexto fila;
    for (int i = 0; i < sqlite3_column_count(st); ++i) {
      const unsigned char* t = sqlite3_column_text(st, i);
      fila[sqlite3_column_name(st, i)] = t ? reinterpret_cast<const char*>(t) : "NULL";
    }
    filas.push_back(fila);
  }
  sqlite3_finalize(st);
  return filas;
}

}  // namespace prueba
