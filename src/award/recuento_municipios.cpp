#include "award/recuento_municipios.h"

#include <algorithm>

#include "common/campos_linea.h"
#include "plataforma/texto.h"

namespace award {

namespace {

constexpr std::size_t kAnchoEntrada = 140;

bool EmpiezaPor(std::string_view texto, std::string_view inicio) { return texto.substr(0, inicio.size()) == inicio; }

// A line of blanks on which texts are written over their columns in place:
// what would run past its end is cut off, so the length never changes.
class Renglon {
 public:
  explicit Renglon(std::size_t ancho) : texto_(ancho, U' ') {}
  void Escribe(std::size_t columna, std::string_view utf8) {
    if (columna < 1) columna = 1;
    const std::u32string s = plataforma::ACodigos(utf8);
    for (std::size_t i = 0; i < s.size() && columna - 1 + i < texto_.size(); ++i) texto_[columna - 1 + i] = s[i];
  }
  std::string Texto() const { return plataforma::DesdeCodigos(texto_); }

 private:
  std::u32string texto_;
};

std::string Primeros(std::string_view utf8, std::size_t cuantos) {
  std::u32string s = plataforma::ACodigos(utf8);
  if (s.size() > cuantos) s.resize(cuantos);
  return plataforma::DesdeCodigos(s);
}

std::size_t Columna(int base, int k) { return static_cast<std::size_t>(base) * static_cast<std::size_t>(k); }

}  // namespace

void ExtraeDmeLineaQso(std::string_view linea, std::string& codigo) {
  std::int64_t posicion = 5;
  codigo.clear();
  for (int i = 0; i < 10; ++i) ObtieneSiguienteCampo(linea, posicion, codigo);
}

int FactorColumnas(long anchura_twips) {
  if (anchura_twips <= 0) return 1;
  long k = anchura_twips / 9600;
  const long resto = anchura_twips % 9600;
  if (resto * 2 > 9600 || (resto * 2 == 9600 && k % 2 == 1)) ++k;
  return static_cast<int>(std::max(k, 1L));
}

RecuentoMunicipios CargaMunicipiosContactados(const std::vector<std::string>& fichero_cabrillo, int k) {
  k = std::max(k, 1);
  RecuentoMunicipios r;
  const TablaDeMunicipios& tabla = TablaMunicipios();
  std::string codigo;
  for (const std::string& linea : fichero_cabrillo) {
    if (EmpiezaPor(linea, "END-OF-LOG:")) break;
    if (!EmpiezaPor(linea, "QSO:")) continue;
    ExtraeDmeLineaQso(linea, codigo);
    std::int16_t comarca = 0, hueco = 0;
    BuscaMunicipio(codigo, comarca, hueco);
    if (comarca == 0) continue;
    if (r.MunicipioContactado[comarca][hueco]) continue;
    const CeldaMunicipio& celda = tabla[comarca][hueco];
    Renglon entrada(kAnchoEntrada * static_cast<std::size_t>(k));
    entrada.Escribe(1, celda.Codigo);
    entrada.Escribe(Columna(7, k), Primeros(plataforma::Recorta(celda.Municipio), 15));
    entrada.Escribe(Columna(24, k), plataforma::Recorta(celda.Comarca));
    r.ListaDME.push_back(entrada.Texto());
    ++r.ContactadosPorComarca[comarca];
    r.MunicipioContactado[comarca][hueco] = true;
  }
  return r;
}

bool CumpleNivel(const RecuentoMunicipios& recuento, const MinimosNivel& minimos) {
  for (int c = 1; c <= kNumeroComarcas; ++c)
    if (recuento.ContactadosPorComarca[c] < minimos[c]) return false;
  return true;
}

bool CumpleDiplomaBronce(const RecuentoMunicipios& recuento) { return CumpleNivel(recuento, kMinimosBronce); }
bool CumpleDiplomaPlata(const RecuentoMunicipios& recuento) { return CumpleNivel(recuento, kMinimosPlata); }
bool CumpleDiplomaOro(const RecuentoMunicipios& recuento) { return CumpleNivel(recuento, kMinimosOro); }

std::vector<std::string> EntradasComarcas(const RecuentoMunicipios& recuento, int k) {
  k = std::max(k, 1);
  std::vector<std::string> entradas;
  const TablaDeMunicipios& tabla = TablaMunicipios();
  for (int c = 1; c <= kNumeroComarcas; ++c) {
    Renglon entrada(kAnchoEntrada * static_cast<std::size_t>(k));
    entrada.Escribe(1, plataforma::Recorta(tabla[c][1].Comarca));
    entrada.Escribe(Columna(20, k), Primeros(std::to_string(recuento.ContactadosPorComarca[c]), 3));
    entradas.push_back(entrada.Texto());
  }
  return entradas;
}

std::vector<std::string> EntradasMunicipiosComarca(const RecuentoMunicipios& recuento, int comarca, int k) {
  k = std::max(k, 1);
  std::vector<std::string> entradas;
  if (comarca < 1 || comarca > kNumeroComarcas) return entradas;
  const TablaDeMunicipios& tabla = TablaMunicipios();
  for (int h = 1; h <= kHuecosPorComarca; ++h) {
    if (!recuento.MunicipioContactado[comarca][h]) continue;
    Renglon entrada(kAnchoEntrada * static_cast<std::size_t>(k));
    entrada.Escribe(1, plataforma::Recorta(tabla[comarca][h].Codigo));
    entrada.Escribe(Columna(8, k), plataforma::Recorta(tabla[comarca][h].Municipio));
    entradas.push_back(entrada.Texto());
  }
  return entradas;
}

namespace {

std::string Cabecera(int k, std::initializer_list<std::pair<std::size_t, std::string_view>> columnas) {
  Renglon r(kAnchoEntrada * static_cast<std::size_t>(k));
  for (const auto& [columna, texto] : columnas) r.Escribe(columna, texto);
  return plataforma::RecortaDer(r.Texto());
}

}  // namespace

std::string CabeceraListaDME(int k) {
  k = std::max(k, 1);
  return Cabecera(k, {{1, "DME"}, {Columna(7, k), "MUNICIPIO"}, {Columna(24, k), "COMARCA"}});
}

std::string CabeceraListaComarcas(int k) {
  k = std::max(k, 1);
  return Cabecera(k, {{1, "COMARCA"}, {Columna(20, k), "MUNICIPIOS"}});
}

std::string CabeceraListaMunicipios(int k) {
  k = std::max(k, 1);
  return Cabecera(k, {{1, "DME"}, {Columna(8, k), "MUNICIPIO"}});
}

}  // namespace award
