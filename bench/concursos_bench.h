#pragma once
// Contests and synthetic logs shared by the validation benchmarks:
//  - the test contest (RST and serial number both ways, no lookups);
//  - an Iberian contest whose name triggers the country rules: the country
//    of the own call and of the worked call is looked up on every line, and
//    the letters are checked by country (Spanish provinces, Portuguese
//    districts, Andorra);
//  - a contest with a list of 121 district codes that every received code
//    is looked up in.
// Every log generated here is accepted by its contest.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "cabrillo/categorias_admitidas.h"
#include "cabrillo/datos_concurso.h"
#include "common/paises.h"
#include "common/terravia.h"
#include "database/esquema.h"
#include "plataforma/dao.h"
#include "soporte/concurso_prueba.h"

namespace bancos {

namespace fs = std::filesystem;

enum class Caso { Prueba, Paises, Distritos };

inline const char* NombreCaso(Caso c) {
  switch (c) {
    case Caso::Prueba: return "prueba";
    case Caso::Paises: return "paises";
    case Caso::Distritos: return "distritos";
  }
  return "?";
}

inline const char* const kFicheroPaises = "/usr/share/hamradio-files/cty.dat";

// The province codes of the Iberian contest (52) and the 121 district codes.
inline std::vector<std::string> CodigosProvincia() {
  return {"A",  "AB", "AL", "AV", "B",  "BA", "BI", "BU", "C",  "CA", "CC", "CE", "CO", "CR", "CS", "CU", "GC", "GI",
          "GR", "GU", "H",  "HU", "J",  "L",  "LE", "LO", "LU", "M",  "MA", "ML", "MU", "NA", "O",  "OU", "P",  "PM",
          "PO", "S",  "SA", "SE", "SG", "SO", "SS", "T",  "TE", "TF", "TO", "V",  "VA", "VI", "Z",  "ZA"};
}

inline std::vector<std::string> CodigosDistrito() {
  std::vector<std::string> v;
  for (int i = 1; i <= 121; ++i) {
    char c[8];
    std::snprintf(c, sizeof c, "D%03d", i);
    v.emplace_back(c);
  }
  return v;
}

inline cabrillo::DatosConcursoLog Concurso(Caso caso) {
  cabrillo::DatosConcursoLog d = soporte::ConcursoPrueba();
  if (caso == Caso::Prueba) return d;
  d.CadaProv = true;
  d.Resumen.NumeralEnviado = d.Resumen.NumeralRecibido = false;
  d.Resumen.LetrasRecibidas = true;
  d.RecibirSiglas = true;
  if (caso == Caso::Paises) {
    d.Concurso = "CONCURSO NARANJA";
    d.Resumen.LetrasEnviadas = true;
    d.EnviarSiglas = true;
    for (const std::string& c : CodigosProvincia()) d.Provincias.insert(c);
  } else {
    d.Concurso = "CONCURSO DISTRITOS";
    d.Resumen.NumeralEnviado = true;
    for (const std::string& c : CodigosDistrito()) d.Provincias.insert(c);
  }
  return d;
}

inline std::string CabeceraLog(Caso caso, const std::string& indicativo) {
  const cabrillo::DatosConcursoLog d = Concurso(caso);
  return "START-OF-LOG: 3.0\r\nCALLSIGN: " + indicativo + "\r\nCONTEST: " + d.Concurso +
         "\r\nCATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: 20M\r\nCATEGORY-MODE: CW\r\nCATEGORY-POWER: LOW\r\n"
         "CLUB: Radio Club Pe\xF1"
         "a\r\n";
}

inline std::string IndicativoDe(Caso caso) { return caso == Caso::Paises ? "EA1ABC" : "QQ1ABC"; }

// Appends QSO line i of a log (about 78 bytes, as a real log's lines).
inline void AgregaQso(std::string& log, Caso caso, const std::string& indicativo, int i) {
  const int minuto = i % 1440;
  char hora[8];
  std::snprintf(hora, sizeof hora, "%02d%02d", minuto / 60, minuto % 60);
  char linea[160];
  switch (caso) {
    case Caso::Prueba:
      std::snprintf(linea, sizeof linea, "QSO: %d CW 2026-03-01 %s %-13s 599 %-6d QQ%dXYZ        599 %d\r\n",
                    14000 + i % 349, hora, indicativo.c_str(), 1 + i % 9999, i % 10, 1 + (i * 7) % 9999);
      break;
    case Caso::Paises: {
      static const std::vector<std::string> provincias = CodigosProvincia();
      // Spain, Portugal (district CT + the digit of the call) and Andorra.
      const int k = i % 10;
      char trabajado[16], recibido[8];
      if (k < 7) {
        std::snprintf(trabajado, sizeof trabajado, "EA%dX%c%c", k + 1, 'A' + i % 26, 'A' + (i / 26) % 26);
        std::snprintf(recibido, sizeof recibido, "%s", provincias[static_cast<std::size_t>(i) % 52].c_str());
      } else if (k < 9) {
        std::snprintf(trabajado, sizeof trabajado, "CT%dAB%c", k - 6, 'A' + i % 26);
        std::snprintf(recibido, sizeof recibido, "CT%d", k - 6);
      } else {
        std::snprintf(trabajado, sizeof trabajado, "C31%c%c", 'A' + i % 26, 'A' + (i / 26) % 26);
        std::snprintf(recibido, sizeof recibido, "C3");
      }
      std::snprintf(linea, sizeof linea, "QSO: %d CW 2026-03-01 %s %-13s 599 %-6s %-13s 599 %s\r\n", 14000 + i % 349,
                    hora, indicativo.c_str(), "M", trabajado, recibido);
      break;
    }
    case Caso::Distritos: {
      std::snprintf(linea, sizeof linea, "QSO: %d CW 2026-03-01 %s %-13s 599 %-6d QQ%dXYZ        599 D%03d\r\n",
                    14000 + i % 349, hora, indicativo.c_str(), 1 + i % 9999, i % 10, 1 + (i * 13) % 121);
      break;
    }
  }
  log += linea;
}

inline std::string LogSintetico(Caso caso, int lineas_qso) {
  const std::string indicativo = IndicativoDe(caso);
  std::string log = CabeceraLog(caso, indicativo);
  log.reserve(log.size() + static_cast<std::size_t>(lineas_qso) * 80 + 16);
  for (int i = 0; i < lineas_qso; ++i) AgregaQso(log, caso, indicativo, i);
  log += "END-OF-LOG:\r\n";
  return log;
}

inline fs::path CarpetaTemporal(const char* prefijo) {
  std::string plantilla = (fs::temp_directory_path() / (std::string(prefijo) + "-XXXXXX")).string();
  if (!mkdtemp(plantilla.data())) throw std::runtime_error("mkdtemp");
  return plantilla;
}

// The countries database, built from the installed country file.
inline std::unique_ptr<TablasPaises> Paises() {
  const fs::path carpeta = CarpetaTemporal("trovalis-paises");
  CreaTerravia(kFicheroPaises, (carpeta / "Terravia").string());
  auto p = TablasPaises::Abre((carpeta / "Terravia").string());
  std::error_code ec;
  fs::remove_all(carpeta, ec);
  return p;
}

// Writes the contest's rows (`Concursos`, `ResumenCabrillo`, `ListaProv`)
// into a contest database of the full layout.
inline void EscribeConcurso(dao::Database& base, cabrillo::DatosConcursoLog datos) {
  for (const std::string_view tabla : {std::string_view("Concursos"), std::string_view("ResumenCabrillo")}) {
    dao::Recordset rs = base.OpenRecordset(tabla);
    rs.AddNew();
    rs["NumeroOrden"] = dao::Variant(datos.NumeroOrden);
    for (const database::Columna& c : database::ColumnasDeTabla(tabla)) {
      if (c.tipo != database::TipoColumna::Booleano) continue;
      const cabrillo::Logico* valor =
          tabla == "Concursos" ? datos.CampoConcurso(c.nombre) : datos.Resumen.Campo(c.nombre);
      rs[c.nombre] = valor && valor->has_value() ? dao::Variant(**valor) : dao::Variant(false);
    }
    if (tabla == "Concursos") rs["Concurso"] = dao::Variant(datos.Concurso);
    rs.Update();
    rs.Close();
  }
  dao::Recordset rs = base.OpenRecordset("ListaProv");
  for (const std::string& codigo : datos.Provincias) {
    rs.AddNew();
    rs["NumeroOrden"] = dao::Variant(datos.NumeroOrden);
    rs["CodigoProv"] = dao::Variant(codigo);
    rs.Update();
  }
  rs.Close();
}

}  // namespace bancos
