#pragma once
// What the checks of one log work with besides the log itself: the contest
// in hand as read once for the log (its rows of `Concursos` and
// `ResumenCabrillo`, its province list and the main window's options), the
// admitted-category table that the category blocks print, the open error
// report, the header of the log in hand, and the countries database.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "cabrillo/cabecera_log.h"
#include "cabrillo/categorias_admitidas.h"
#include "cabrillo/datos_concurso.h"
#include "cabrillo/fichero_errores.h"

class TablasPaises;

namespace cabrillo {

struct EntornoValidacion {
  const DatosConcursoLog& concurso;
  const CategoriasAdmitidas& categorias;
  FicheroErrores& informe;
  CabeceraLog& cabecera;
  // Only the checks that need a station's country look it up; with none
  // (nullptr) such a lookup throws ErrorPaises.
  const TablasPaises* paises = nullptr;
};

// No callsign is longer. A participant's log is untrusted: a longer token
// is no station, and the lookups, which try every leading part of a call,
// are not run on it.
inline constexpr std::size_t kLongitudMaximaIndicativo = 64;

// The `Dxcc` code of a call (empty for an empty or unknown call, and for a
// token longer than kLongitudMaximaIndicativo), from the given countries
// database (nullptr: none open, ErrorPaises).
std::string PaisDeIndicativo(const TablasPaises* paises, const std::string& indicativo);

// The countries already looked up in the log in hand, by call: a log names
// the same stations again and again (its own on every line). The answers
// are those of PaisDeIndicativo; at most kMaximo calls are kept.
class MemoriaPaises {
 public:
  std::string Pais(const TablasPaises* paises, const std::string& indicativo);

 private:
  static constexpr std::size_t kMaximo = 4096;
  std::unordered_map<std::string, std::string> paises_;
};

// A station's country, looked up the first time it is asked for: a check
// that never needs it costs no lookup, and the answer is the same. With a
// memory, a call looked up before in the log is not looked up again. The
// call is not copied: it must outlive the object (the QSO line in hand).
class PaisPerezoso {
 public:
  PaisPerezoso(const TablasPaises* paises, std::string_view indicativo, MemoriaPaises* memoria = nullptr)
      : paises_(paises), memoria_(memoria), indicativo_(indicativo) {}
  const std::string& Valor() const;

 private:
  const TablasPaises* paises_;
  MemoriaPaises* memoria_;
  std::string_view indicativo_;
  mutable bool hallado_ = false;
  mutable std::string valor_;
};

}  // namespace cabrillo
