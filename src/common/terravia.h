#pragma once
// The countries database Terravia, built by the setup from the amateur-radio
// country file (cty.dat format): tables Prefijos, Dxcc and Regiones with the
// indexes ClavePrefijo and ClaveDxcc. The program itself only reads it.
#include <cstddef>
#include <string>

struct sqlite3;

struct ResumenTerravia {
  std::size_t Paises = 0;     // rows of Dxcc
  std::size_t Prefijos = 0;   // rows of Prefijos
  std::size_t Regiones = 0;   // rows of Regiones
};

// Creates the three empty tables and their indexes on an open connection.
// Key columns compare without regard to letter case.
void CreaTablasTerravia(sqlite3* conexion);

// Builds a new database file at rutaSalida from the country file at
// rutaCty. Never overwrites: an existing file at rutaSalida (whatever its
// letter case) is refused. Throws ErrorPaises (common/paises.h) on any
// failure, leaving no file behind.
//
// Mapping of the country file:
// - Dxcc: one row per entity whose primary prefix does not begin with "*":
//   key the primary prefix in upper case, Waz its CQ zone two digits wide,
//   Continente its continent.
// - Prefijos: the alias prefixes without their override marks; full calls
//   ("=") are left out, and so is an alias whose longest shorter alias belongs
//   to the same entity (the longest-prefix search gives the same country
//   without it). The aliases of a non-DXCC entity ("*") belong to the entity
//   of their longest shorter alias.
// - Regiones: per country, one pattern (alias + "*") for each call area
//   (the alias from its first digit on) whose zone or continent differs from
//   what the country or a shorter call area gives; longer call areas first.
//   Where the aliases of one call area disagree, most of them decide (the
//   country's own values on a tie). In a country with letter-led aliases,
//   the aliases that begin with a digit define no call area.
ResumenTerravia CreaTerravia(const std::string& rutaCty, const std::string& rutaSalida);
