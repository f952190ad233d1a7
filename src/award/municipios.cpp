#include "award/municipios.h"

#include <initializer_list>

namespace award {

namespace {

struct Municipio {
  std::string_view codigo;
  std::string_view nombre;
};

struct Comarca {
  std::string_view nombre;
  std::initializer_list<Municipio> municipios;
};

TablaDeMunicipios ConstruyeTabla() {
  static const Comarca kComarcas[kNumeroComarcas] = {
      {"Asón-Agüera",
       {{"39002", "Ampuero"},
        {"39007", "Arredondo"},
        {"39030", "Guriezo"},
        {"39038", "Limpias"},
        {"39057", "Ramales de la Victoria"},
        {"39058", "Rasines"},
        {"39067", "Ruesga"},
        {"39083", "Soba"},
        {"39101", "Valle de Villaverde"}}},
      {"Besaya",
       {{"39003", "Anievas"},
        {"39004", "Arenas de Iguña"},
        {"39010", "Bárcena de Pie de Concha"},
        {"39018", "Cartes"},
        {"39021", "Cieza"},
        {"39025", "Los Corrales de Buelna"},
        {"39046", "Molledo"},
        {"39054", "Polanco"},
        {"39069", "San Felices de Buelna"},
        {"39085", "Suances"},
        {"39087", "Torrelavega"}}},
      {"Campoo-Los Valles",
       {{"39027", "Campoo de Enmedio"},
        {"39017", "Campoo de Yuso"},
        {"39032", "Hermandad de Campoo de Suso"},
        {"39051", "Pesquera"},
        {"39059", "Reinosa"},
        {"39065", "Las Rozas de Valdearroyo"},
        {"39070", "San Miguel de Aguayo"},
        {"39077", "Santiurde de Reinosa"},
        {"39092", "Valdeolea"},
        {"39093", "Valdeprado del Rio"},
        {"39094", "Valderredible"}}},
      {"Costa Occidental",
       {{"39001", "Alfoz de Lloredo"},
        {"39024", "Comillas"},
        {"39068", "Ruiloba"},
        {"39080", "San Vicente de la Barquera"},
        {"39076", "Santillana del Mar"},
        {"39090", "Udías"},
        {"39095", "Val de San Vicente"},
        {"39091", "Valdáliga"}}},
      {"Costa Oriental",
       {{"39020", "Castro-Urdiales"}, {"39023", "Colindres"}, {"39035", "Laredo"}, {"39036", "Liendo"}}},
      {"Liébana",
       {{"39013", "Cabezón de Liébana"},
        {"39015", "Camaleño"},
        {"39022", "Cillorigo de Liébana"},
        {"39050", "Pesaguero"},
        {"39055", "Potes"},
        {"39088", "Tresviso"},
        {"39096", "Vega de Liébana"}}},
      {"Saja-Nansa",
       {{"39012", "Cabezón de la Sal"},
        {"39014", "Cabuérniga"},
        {"39033", "Herrerías"},
        {"39034", "Lamasón"},
        {"39041", "Mazcuerras"},
        {"39049", "Peñarrubia"},
        {"39053", "Polaciones"},
        {"39060", "Reocín"},
        {"39063", "Rionansa"},
        {"39066", "Ruente"},
        {"39086", "Los Tojos"},
        {"39089", "Tudanca"}}},
      {"Santander",
       {{"39008", "El Astillero"},
        {"39016", "Camargo"},
        {"39044", "Miengo"},
        {"39048", "Penagos"},
        {"39052", "Piélagos"},
        {"39073", "Santa Cruz de Bezana"},
        {"39075", "Santander"},
        {"39099", "Villaescusa"}}},
      {"Trasmiera",
       {{"39005", "Argoños"},
        {"39006", "Arnuero"},
        {"39009", "Bárcena de Cicero"},
        {"39011", "Bareyo"},
        {"39028", "Entranbasaguas"},
        {"39029", "Escalante"},
        {"39031", "Hazas de Cesto"},
        {"39037", "Liérganes"},
        {"39040", "Marina de Cuyedo"},
        {"39042", "Medio Cuyedo"},
        {"39043", "Meruelo"},
        {"39045", "Miera"},
        {"39047", "Noja"},
        {"39061", "Ribamontán al Mar"},
        {"39062", "Ribamontan al Monte"},
        {"39064", "Riotuerto"},
        {"39079", "Santoña"},
        {"39084", "Solórzano"},
        {"39102", "Voto"}}},
      {"Valles Pasiegos",
       {{"39019", "Castañeda"},
        {"39026", "Corvera de Toranzo"},
        {"39039", "Luena"},
        {"39056", "Puente Viesgo"},
        {"39071", "San Pedro del Romeral"},
        {"39072", "San Roque de Riomiera"},
        {"39074", "Santa María de Cayón"},
        {"39078", "Santiurde de Toranzo"},
        {"39081", "Saro"},
        {"39082", "Selaya"},
        {"39097", "Vega de Pas"},
        {"39098", "Villacarriedo"},
        {"39100", "Villafufre"}}},
  };

  TablaDeMunicipios tabla{};
  for (int c = 1; c <= kNumeroComarcas; ++c) {
    const Comarca& comarca = kComarcas[c - 1];
    int h = 1;
    for (const Municipio& m : comarca.municipios) {
      if (h > kHuecosPorComarca) break;
      tabla[c][h++] = CeldaMunicipio{comarca.nombre, m.nombre, m.codigo};
    }
  }
  return tabla;
}

}  // namespace

const TablaDeMunicipios& TablaMunicipios() {
  static const TablaDeMunicipios tabla = ConstruyeTabla();
  return tabla;
}

void BuscaMunicipio(std::string_view codigo, std::int16_t& comarca, std::int16_t& hueco) {
  // The empty cells hold the empty code: an empty code must not find them.
  if (codigo.empty()) return;
  const TablaDeMunicipios& tabla = TablaMunicipios();
  for (int c = 1; c <= kNumeroComarcas; ++c)
    for (int h = 1; h <= kHuecosPorComarca; ++h)
      if (!tabla[c][h].Vacia() && tabla[c][h].Codigo == codigo) {
        comarca = static_cast<std::int16_t>(c);
        hueco = static_cast<std::int16_t>(h);
        return;
      }
}

bool EsDmeValido(std::string_view codigo) {
  std::int16_t comarca = 0;
  std::int16_t hueco = 0;
  BuscaMunicipio(codigo, comarca, hueco);
  return comarca != 0;
}

}  // namespace award
