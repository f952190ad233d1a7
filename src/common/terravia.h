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
// Mapping of the country file, so that the lookups of common/paises.h give
// what a plain reading of it gives (a full call "=CALL" first, else the
// longest prefix, each with its "(zone)" and "{continent}"), as far as the
// tables can say it:
// - Dxcc: one row per entity whose primary prefix does not begin with "*":
//   key the primary prefix in upper case, Waz its CQ zone two digits wide,
//   Continente its continent.
// - Prefijos: every prefix of letters alone, and the 26 two-letter prefixes
//   of each one-letter one (WA, KA, IK...), each with the country the file
//   gives it, so that the district key of a call is that country and its
//   call-area digit; every other prefix where it leads to another country
//   than its longest shorter key (EA8 beside EA, KH6 beside K); the full
//   calls whose country the prefixes give otherwise, when two letters or
//   more follow their digit. The aliases of a non-DXCC entity ("*") count
//   as the country that the rest of the file gives them.
// - Regiones: per country, the zone and continent of each call area (a
//   prefix of the file from its first digit on, as a row matches a call)
//   that most of the country's keys give it, where they differ from the
//   country's or a shorter call area's; longer call areas first. Before
//   them, the full calls that still get another zone or continent, when
//   three letters or more follow their digit. In a country with keys that
//   begin with letters, a prefix that begins with a digit defines no call
//   area. Full calls with "/" are left to the prefixes.
// Not expressible: a region row cannot change the country (it is found by
// the country's key), and the district key's country is the key's country,
// so an entity told apart by its digit (EA8, CT3, UA9...) has a key with
// its digit and a district key ending in the letter after it; zones that
// differ between letter prefixes of one country with the same digit (VE2
// and VO2) or between single calls follow the majority.
ResumenTerravia CreaTerravia(const std::string& rutaCty, const std::string& rutaSalida);
