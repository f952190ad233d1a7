#include "scoring/duplicados.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "plataforma/texto.h"
#include "scoring/lectura_qso.h"
#include "scoring/reglas_cruce.h"

namespace scoring {

namespace {

using T = reglas::TokenQso;

bool EmpiezaPor(std::string_view texto, std::string_view prefijo) { return texto.substr(0, prefijo.size()) == prefijo; }

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
  std::string llamada, banda, clave_general, clave_la_palma;
  // A value a rule does not compare is left empty.
  auto clave = [](std::string& k, std::uint32_t numero, char tipo, std::initializer_list<std::string_view> partes) {
    k.assign(reinterpret_cast<const char*>(&numero), sizeof numero);
    k.push_back(tipo);
    for (const std::string_view p : partes) k.append(p).push_back('\t');
  };
  for (std::size_t i = primera; i < lineas.size(); ++i) {
    std::string& linea = lineas[i];
    if (EsFinDeLog(linea)) break;
    if (!EsLineaQso(linea)) continue;
    // What the rules compare of the line, as LeeQsoRepeticion reads it.
    const VistasQso t = DesglosaLineaQsoVistas(linea, datos.Intercambio);
    const auto token = [&t](T k) { return t[static_cast<std::size_t>(k)]; };
    MayusculasEn(token(T::SuIndicativo), llamada);
    auto grupo = numeros.find(llamada);
    if (grupo == numeros.end()) {
      grupo = numeros.emplace(llamada, static_cast<std::uint32_t>(hay_general.size())).first;
      hay_general.push_back(0);
    }
    const std::uint32_t g = grupo->second;
    if (por_campos || la_palma) banda = ObtieneBanda(token(T::Frecuencia));
    if (por_campos)
      clave(clave_general, g, 'G',
            {r.RepetirEnCadaBanda ? std::string_view(banda) : std::string_view(),
             r.RepetirEnCadaModo ? token(T::Modo) : std::string_view(),
             r.RepetirCadaHoras ? token(T::Fecha) : std::string_view()});
    if (la_palma) clave(clave_la_palma, g, 'P', {banda, token(T::SusLetras), token(T::Fecha)});

    bool duplicado = la_palma && vistos.count(clave_la_palma) > 0;
    if (!duplicado && hay_general[g]) duplicado = por_campos ? vistos.count(clave_general) > 0 : r.NoRepetir;
    if (duplicado) {
      linea = LineaMarcada(kDup00, linea);
      continue;
    }
    if (la_palma && token(T::SuIndicativo) == kEstacionLaPalma) {
      vistos.insert(clave_la_palma);
    } else {
      hay_general[g] = 1;
      if (por_campos) vistos.insert(clave_general);
    }
  }
}

}  // namespace scoring
