#include "scoring/duplicados.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "common/campos_linea.h"
#include "plataforma/texto.h"
#include "scoring/lectura_qso.h"
#include "scoring/reglas_cruce.h"

namespace scoring {

namespace {

bool EmpiezaPor(std::string_view texto, std::string_view prefijo) { return texto.substr(0, prefijo.size()) == prefijo; }

// What the rules compare of one QSO line, read as LeeQsoRepeticion reads it
// (the tokens of DesglosaLineaQso) into texts kept from line to line: the
// received letters only when asked for.
struct Lector {
  const reglas::PerfilIntercambio& flags;
  std::string frecuencia, modo, fecha, trabajado, letras, descarte;

  void Lee(std::string_view linea, bool con_letras) {
    std::int64_t posicion = 5;
    auto lee = [&](std::string& campo) { ::ObtieneSiguienteCampo(linea, posicion, campo); };
    auto lado = [&](const reglas::ElementosIntercambio& e, std::string* letras_leidas) {
      if (e.rst) lee(descarte);
      if (e.numeral) lee(descarte);
      if (e.letras) lee(letras_leidas ? *letras_leidas : descarte);
      if (e.puntos) lee(descarte);
      if (e.locator) lee(descarte);
    };
    lee(frecuencia);
    lee(modo);
    lee(fecha);
    lee(descarte);  // time
    lee(descarte);  // own call
    lado(flags.enviado, nullptr);
    lee(trabajado);
    letras.clear();
    if (con_letras) lado(flags.recibido, &letras);
  }
};

// The worked call upper-cased into `destino` (ASCII letters in place).
void MayusculasEn(std::string_view texto, std::string& destino) {
  destino.assign(texto);
  for (char& c : destino) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      destino = plataforma::Mayusculas(texto);
      return;
    }
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

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

  // The unmarked QSOs so far, by worked call (upper-cased): each call
  // numbered, whether some of its QSOs are judged by the repeat fields, and
  // the values of those (under the repeat fields; band, letters and date of
  // those logged as QQ8KPW) in one set, each key led by the call's number
  // and its kind. The values joined by a TAB (no token holds one).
  std::unordered_map<std::string, std::uint32_t> numeros;
  std::vector<char> hay_general;
  std::unordered_set<std::string> vistos;
  Lector lector{datos.Intercambio, {}, {}, {}, {}, {}, {}};
  std::string llamada, banda, clave_general, clave_la_palma;
  auto clave = [](std::string& k, std::uint32_t numero, char tipo, std::initializer_list<const std::string*> partes) {
    k.assign(reinterpret_cast<const char*>(&numero), sizeof numero);
    k.push_back(tipo);
    for (const std::string* p : partes) {
      if (p) k += *p;
      k.push_back('\t');
    }
  };
  for (std::size_t i = primera; i < lineas.size(); ++i) {
    std::string& linea = lineas[i];
    if (EsFinDeLog(linea)) break;
    if (!EsLineaQso(linea)) continue;
    lector.Lee(linea, la_palma);
    MayusculasEn(lector.trabajado, llamada);
    auto grupo = numeros.find(llamada);
    if (grupo == numeros.end()) {
      grupo = numeros.emplace(llamada, static_cast<std::uint32_t>(hay_general.size())).first;
      hay_general.push_back(0);
    }
    const std::uint32_t g = grupo->second;
    if (por_campos || la_palma) banda = ObtieneBanda(lector.frecuencia);
    if (por_campos)
      clave(clave_general, g, 'G',
            {r.RepetirEnCadaBanda ? &banda : nullptr, r.RepetirEnCadaModo ? &lector.modo : nullptr,
             r.RepetirCadaHoras ? &lector.fecha : nullptr});
    if (la_palma) clave(clave_la_palma, g, 'P', {&banda, &lector.letras, &lector.fecha});

    bool duplicado = la_palma && vistos.count(clave_la_palma) > 0;
    if (!duplicado && hay_general[g]) duplicado = por_campos ? vistos.count(clave_general) > 0 : r.NoRepetir;
    if (duplicado) {
      linea = LineaMarcada(kDup00, linea);
      continue;
    }
    if (la_palma && lector.trabajado == kEstacionLaPalma) {
      vistos.insert(clave_la_palma);
    } else {
      hay_general[g] = 1;
      if (por_campos) vistos.insert(clave_general);
    }
  }
}

}  // namespace scoring
