#include "soporte_formato.h"

#include <sqlite3.h>

#include <stdexcept>

namespace prueba {
namespace {

// ResumenCabrillo column by column, as created and then upgraded.
const char* const kCreacion =
    "CREATE TABLE ResumenCabrillo (\"NumeroOrden\" INTEGER, "
    "\"SingleOp\" BOOLEAN, \"MultiOp\" BOOLEAN, \"ServerOp\" BOOLEAN, \"CheckLog\" BOOLEAN, "
    "\"BandaNoAplicable\" BOOLEAN, \"ALL\" BOOLEAN, \"M160\" BOOLEAN, \"M80\" BOOLEAN, \"M40\" BOOLEAN, "
    "\"M30\" BOOLEAN, \"M20\" BOOLEAN, \"M15\" BOOLEAN, \"M16\" BOOLEAN, \"M12\" BOOLEAN, \"M10\" BOOLEAN, "
    "\"M6\" BOOLEAN, \"M2\" BOOLEAN, \"M222\" BOOLEAN, \"M432\" BOOLEAN, \"M902\" BOOLEAN, \"G12\" BOOLEAN, "
    "\"ModoNoAplicable\" BOOLEAN, \"SSB\" BOOLEAN, \"CW\" BOOLEAN, \"FM\" BOOLEAN, \"RTTY\" BOOLEAN, \"MIXED\" BOOLEAN, "
    "\"PotenciaNoAplicable\" BOOLEAN, \"High\" BOOLEAN, \"Low\" BOOLEAN, \"Qrp\" BOOLEAN, "
    "\"AsistidoNoAplicable\" BOOLEAN, \"NonAssisted\" BOOLEAN, \"Assisted\" BOOLEAN, "
    "\"TxNoAplicable\" BOOLEAN, \"One\" BOOLEAN, \"Two\" BOOLEAN, \"Limited\" BOOLEAN, \"UnLimited\" BOOLEAN, "
    "\"Swl\" BOOLEAN, \"TipoEstacionNoAplicable\" BOOLEAN, \"Fixed\" BOOLEAN, \"Mobile\" BOOLEAN, "
    "\"Portable\" BOOLEAN, \"HillTopper\" BOOLEAN, \"Rover\" BOOLEAN, \"Expedition\" BOOLEAN, \"Hq\" BOOLEAN, "
    "\"School\" BOOLEAN, \"TimeNoAplicable\" BOOLEAN, \"Hours6\" BOOLEAN, \"Hours12\" BOOLEAN, \"Hours24\" BOOLEAN, "
    "\"OverlayNoAplicable\" BOOLEAN, \"Rookie\" BOOLEAN, \"TbWires\" BOOLEAN, \"NoviceTech\" BOOLEAN, "
    "\"Over50\" BOOLEAN, \"RstEnviado\" BOOLEAN, \"NumeralEnviado\" BOOLEAN, \"LetrasEnviadas\" BOOLEAN, "
    "\"LocatorEnviado\" BOOLEAN, \"RstRecibido\" BOOLEAN, \"NumeralRecibido\" BOOLEAN, "
    "\"LetrasRecibidas\" BOOLEAN, \"LocatorRecibido\" BOOLEAN, \"MiIndicativo\" SMALLINT, \"MiRst\" SMALLINT, "
    "\"MiNumero\" SMALLINT, \"MisLetras\" SMALLINT, \"MiLocator\" SMALLINT, \"SuIndicativo\" SMALLINT, "
    "\"SuRst\" SMALLINT, \"SuNumero\" SMALLINT, \"SusLetras\" SMALLINT, \"Sulocator\" SMALLINT, "
    "\"EMailConcurso\" TEXT(64), \"AsuntoConcurso\" TEXT(64), \"PuntosRecibidos\" BOOLEAN, "
    "\"PuntosEnviados\" BOOLEAN, \"MisPuntos\" SMALLINT, \"SusPuntos\" SMALLINT)";

struct Base {
  sqlite3* db = nullptr;
  explicit Base(const std::string& ruta, int modo) {
    if (sqlite3_open_v2(ruta.c_str(), &db, modo, nullptr) != SQLITE_OK) throw std::runtime_error("base");
  }
  ~Base() { sqlite3_close(db); }
};

}  // namespace

CarpetaConBase::CarpetaConBase() { Ejecuta(kCreacion); }

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
