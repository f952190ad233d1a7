#include "scoring/duplicados.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "plataforma/texto.h"
#include "scoring/lectura_qso.h"
#include "scoring/reglas_cruce.h"

namespace scoring {

namespace {

bool EmpiezaPor(std::string_view texto, std::string_view prefijo) { return texto.substr(0, prefijo.size()) == prefijo; }

// The values that a rule compares, joined by a TAB (no token holds one).
std::string Clave(std::initializer_list<const std::string*> partes) {
  std::string clave;
  for (const std::string* p : partes) {
    if (p) clave += *p;
    clave.push_back('\t');
  }
  return clave;
}

// The unmarked QSOs with one station so far.
struct Grupo {
  bool hay_general = false;                      // some of them judged by the repeat fields
  std::unordered_set<std::string> generales;     // their values under the repeat fields
  std::unordered_set<std::string> la_palma;      // band, letters and date of those logged as QQ8KPW
};

}  // namespace

void MarcaQsoDuplicados(std::vector<std::string>& lineas, const DatosCruce& datos) {
  const ReglasRepeticion& r = datos.Repeticion;
  if (r.RepetirEstacion) return;
  for (std::string& linea : lineas)
    if (EmpiezaPor(linea, "DUP00:")) linea.erase(0, 6);

  std::size_t primera = 0;
  while (primera < lineas.size() && !EmpiezaPor(lineas[primera], "QSO:")) ++primera;
  const bool la_palma =
      concursos::Tiene(datos.NombreConcurso, &concursos::PerfilConcurso::repeticion_estacion_especial);
  const bool por_campos = r.RepetirEnCadaBanda || r.RepetirEnCadaModo || r.RepetirCadaHoras;
  if (!la_palma && !por_campos && !r.NoRepetir) return;  // no repeat can be a duplicate

  std::unordered_map<std::string, Grupo> grupos;
  for (std::size_t i = primera; i < lineas.size(); ++i) {
    std::string& linea = lineas[i];
    if (EsFinDeLog(linea)) break;
    if (!EsLineaQso(linea)) continue;
    const QsoRepeticion q = LeeQsoRepeticion(linea, datos.Intercambio);
    Grupo& g = grupos[plataforma::Mayusculas(q.trabajado)];
    const std::string clave_general = por_campos ? Clave({r.RepetirEnCadaBanda ? &q.banda : nullptr,
                                                          r.RepetirEnCadaModo ? &q.modo : nullptr,
                                                          r.RepetirCadaHoras ? &q.fecha : nullptr})
                                                 : std::string();
    const std::string clave_la_palma = la_palma ? Clave({&q.banda, &q.letras, &q.fecha}) : std::string();

    bool duplicado = la_palma && g.la_palma.count(clave_la_palma) > 0;
    if (!duplicado && g.hay_general) duplicado = por_campos ? g.generales.count(clave_general) > 0 : r.NoRepetir;
    if (duplicado) {
      linea = LineaMarcada(kDup00, linea);
      continue;
    }
    if (la_palma && q.trabajado == kEstacionLaPalma) {
      g.la_palma.insert(clave_la_palma);
    } else {
      g.hay_general = true;
      if (por_campos) g.generales.insert(clave_general);
    }
  }
}

}  // namespace scoring
