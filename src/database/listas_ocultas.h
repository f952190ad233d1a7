#pragma once
// The reference lists of a contest as the editor keeps them while the
// contest is in hand (24 working lists in eight groups, the lists of a group
// parallel item by item) and their persistence in the list tables of the
// contest database: load, insert for a new contest, synchronise for an
// edited contest, and delete.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "plataforma/dao.h"

namespace listas {

enum class Grupo { Provincias, Distritos, MultEstaciones, Paises, Prefijos, Cq, Especiales, MultEspeciales };
inline constexpr int kNumeroGrupos = 8;

struct DefinicionGrupo {
  Grupo grupo;
  std::string_view tabla;
  // Working lists and their columns, in the same order; the first list gives
  // the number of entries.
  std::vector<std::string_view> listas;
  std::vector<std::string_view> columnas;
};

const std::array<DefinicionGrupo, kNumeroGrupos>& Grupos();
const DefinicionGrupo& Definicion(Grupo grupo);

// The 24 working lists by name.
using ListasOcultas = std::map<std::string, std::vector<std::string>, std::less<>>;
// Every working list, empty.
ListasOcultas ListasVacias();

// The option boxes of the editor that decide which lists are stored.
struct OpcionesListas {
  bool CadaProv = false, ProvPorBanda = false, ExcluirProv = false;
  bool CadaDistrito = false, DistritoPorBanda = false, ExcluirDistrito = false;
  bool CadaEstacion = false, EstacionPorBanda = false;
  bool CadaPais = false, PaisPorBanda = false, ExcluirPais = false;
  bool CadaPrefijo = false, PrefijoPorBanda = false, ExcluirPrefijo = false;
  bool CadaCq = false, CqPorBanda = false, ExcluirCq = false;
  bool RecibirPuntos = false;
  bool Multiplicadores = false;
};

// Reads the contest's rows of the group's table into its working lists
// (emptied first), in the order the database returns them. A province flag
// True loads as "SI", else ""; a district flag True as "SI", else " "; an
// empty `Banda`, `Modo` or `PuntosRef` of a special station as "*"; a
// `Puntos` of 0 as "". Loading ignores the options.
void Carga(dao::Database& base, Grupo grupo, std::int32_t numero, ListasOcultas& l);
// New contest: trims the group's lists by the options and adds one row per
// entry. An empty `Puntos` is stored as 0; an empty `Banda`, `Modo` or
// `PuntosRef` of a special station as "*", which it loads as anyway.
void Graba(dao::Database& base, Grupo grupo, std::int32_t numero, const OpcionesListas& o, ListasOcultas& l);
// Edited contest: trims the lists by the options and brings the table into
// line with them (rows whose value is no longer listed are deleted, listed
// values without a row are added; the special tables are written anew).
void Actualiza(dao::Database& base, Grupo grupo, std::int32_t numero, const OpcionesListas& o, ListasOcultas& l);
// Deletes the contest's rows of the group's table.
void Borra(dao::Database& base, Grupo grupo, std::int32_t numero);
// Deletes the contest's rows of ResumenCabrillo.
void BorraResumenCabrillo(dao::Database& base, std::int32_t numero);
// Empties every working list.
void LimpiaListas(ListasOcultas& l);

// The operations by group, in the orders the contest life cycle runs them.
// Load: provinces, districts, multiplier stations, countries, prefixes (the
// suffix format goes here), CQ zones, special stations, special multipliers.
inline constexpr std::array<Grupo, kNumeroGrupos> kOrdenCarga = {
    Grupo::Provincias, Grupo::Distritos, Grupo::MultEstaciones, Grupo::Paises,
    Grupo::Prefijos,   Grupo::Cq,        Grupo::Especiales,     Grupo::MultEspeciales};
inline constexpr std::array<Grupo, kNumeroGrupos> kOrdenGrabacion = {
    Grupo::Provincias, Grupo::Distritos, Grupo::MultEstaciones, Grupo::Paises,
    Grupo::Cq,         Grupo::Prefijos,  Grupo::Especiales,     Grupo::MultEspeciales};
inline constexpr std::array<Grupo, kNumeroGrupos> kOrdenActualizacion = {
    Grupo::Provincias, Grupo::Distritos,  Grupo::MultEstaciones, Grupo::Paises,
    Grupo::Cq,         Grupo::Especiales, Grupo::MultEspeciales, Grupo::Prefijos};
inline constexpr std::array<Grupo, kNumeroGrupos> kOrdenBorrado = {
    Grupo::Provincias, Grupo::Distritos,  Grupo::Paises, Grupo::MultEstaciones,
    Grupo::Prefijos,   Grupo::Especiales, Grupo::Cq,     Grupo::MultEspeciales};

// The operations under their own names.
#define LISTAS_OPERACIONES_GRUPO(G, CARGA, GRABA, ACTUALIZA, BORRA)                                    \
  inline void CARGA(dao::Database& b, std::int32_t n, ListasOcultas& l) { Carga(b, Grupo::G, n, l); }  \
  inline void GRABA(dao::Database& b, std::int32_t n, const OpcionesListas& o, ListasOcultas& l) {     \
    Graba(b, Grupo::G, n, o, l);                                                                       \
  }                                                                                                    \
  inline void ACTUALIZA(dao::Database& b, std::int32_t n, const OpcionesListas& o, ListasOcultas& l) { \
    Actualiza(b, Grupo::G, n, o, l);                                                                   \
  }                                                                                                    \
  inline void BORRA(dao::Database& b, std::int32_t n) { Borra(b, Grupo::G, n); }
LISTAS_OPERACIONES_GRUPO(Provincias, CargaListaProv, GrabaListaProv, ActualizaListaProv, BorraListaProv)
LISTAS_OPERACIONES_GRUPO(Distritos, CargaListaDistritos, GrabaListaDistritos, ActualizaListaDistritos,
                         BorraListaDistritos)
LISTAS_OPERACIONES_GRUPO(MultEstaciones, CargaListaMultEspeciales, GrabaListaMultEspeciales,
                         ActualizaListaMultEspeciales, BorraListaMultEspeciales)
LISTAS_OPERACIONES_GRUPO(Paises, CargaListaPaises, GrabaListaPaises, ActualizaListaPaises, BorraListaPaises)
LISTAS_OPERACIONES_GRUPO(Prefijos, CargaListaPrefijos, GrabaListaPrefijos, ActualizaListaPrefijos, BorraListaPrefijos)
LISTAS_OPERACIONES_GRUPO(Cq, CargaListaCq, GrabaListaCq, ActualizaListaCq, BorraListaCq)
LISTAS_OPERACIONES_GRUPO(Especiales, CargaListaEspeciales, GrabaListaEspeciales, ActualizaListaEspeciales,
                         BorraListaEspeciales)
LISTAS_OPERACIONES_GRUPO(MultEspeciales, CargaMultEspeciales, GrabaMultEspeciales, ActualizaMultEspeciales,
                         BorraMultEspeciales)
#undef LISTAS_OPERACIONES_GRUPO

}  // namespace listas
