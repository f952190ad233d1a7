#pragma once
// The award's diploma lists: per level (bronze, silver, gold) the stations
// that have reached it and wait for their diploma (pending), and those
// already issued it (issued). Each list is stored in its own file under the
// contest folder: one entry per line, Windows-1252, CR LF; an empty list has
// no file. The pending lists are computed afresh from the merged logs; the
// issued files are the lasting record of the diplomas issued, so they are
// always read before any list is written.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class ProgresoEtapa;

namespace award {

enum class Nivel { Bronce = 0, Plata = 1, Oro = 2 };
inline constexpr std::array<Nivel, 3> kNiveles = {Nivel::Bronce, Nivel::Plata, Nivel::Oro};

struct ListasDiplomas {
  std::array<std::vector<std::string>, 3> Pendientes;
  std::array<std::vector<std::string>, 3> Expedidos;

  std::vector<std::string>& PendientesDe(Nivel n) { return Pendientes[static_cast<std::size_t>(n)]; }
  std::vector<std::string>& ExpedidosDe(Nivel n) { return Expedidos[static_cast<std::size_t>(n)]; }
  const std::vector<std::string>& PendientesDe(Nivel n) const { return Pendientes[static_cast<std::size_t>(n)]; }
  const std::vector<std::string>& ExpedidosDe(Nivel n) const { return Expedidos[static_cast<std::size_t>(n)]; }
};

// Base name of a list's folder and file ("DiplomasBroncePendientes",
// "DiplomasOroExpedidos"...); the file adds ".lst".
std::string NombreListaPendientes(Nivel n);
std::string NombreListaExpedidos(Nivel n);
// Path of a list file under the contest folder.
std::string RutaListaPendientes(const std::string& carpeta_concurso, Nivel n);
std::string RutaListaExpedidos(const std::string& carpeta_concurso, Nivel n);

// Replaces the issued lists with the lines of their files; a missing file
// is an empty list. Throws plataforma::ErrorFichero when a file is there
// but cannot be read (nothing must then be written over it).
void CargaDiplomasExpedidos(const std::string& carpeta_concurso, ListasDiplomas& listas);

// Writes the six files, pending bronze, silver, gold, then issued bronze,
// silver, gold: each file is deleted (a missing file is no error) and
// written again when its list has an entry. Throws plataforma::ErrorFichero
// naming the first file that could not be written, after trying them all.
void GuardaListasDiplomas(const std::string& carpeta_concurso, const ListasDiplomas& listas);

// The whole evaluation of the award window's opening. Reads the issued
// lists first, always. With merged logs listed it counts each one (the name
// in capitals is the station's name; its step and percentage go to
// `progreso`, yielding after every line read),
// adds the station to the pending list of every level it reaches and has
// not been issued (exact comparison), saves the six lists and tells the
// step "FIN PROCESO". With none it evaluates and writes nothing. Returns the names of
// the merged logs that could not be read (they count for nothing). Throws
// plataforma::ErrorFichero when an issued list cannot be read (nothing is
// written) or a list cannot be written.
std::vector<std::string> EvaluaDiplomas(const std::string& carpeta_concurso,
                                        const std::vector<std::string>& listas_admitidas, ListasDiplomas& listas,
                                        ProgresoEtapa& progreso);

// Moves entry `indice` of a level's pending list to the end of its issued
// list; false, changing nothing, when there is no such entry.
bool ExpideDiploma(ListasDiplomas& listas, Nivel nivel, std::size_t indice);

// The lines of a merged log listed under `nombre` in the contest folder's
// `ListasAdmitidas` (name and folder found without regard to letter case).
// False when it cannot be read.
bool LeeListaAdmitida(const std::string& carpeta_concurso, const std::string& nombre, std::vector<std::string>& lineas);

// The station's callsign of a merged log's name: the name up to, not
// including, its first "."; the whole name when it has none.
std::string IndicativoDeLista(std::string_view nombre);

}  // namespace award
