#pragma once
// Small text behaviours the whole program relies on: the pattern match,
// the numeric test, date checks and zero-padded numbers.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace plataforma {

// Pattern match over the whole text, case-sensitive, by characters:
// "?" any one character, "*" any run (also empty), "#" one digit 0-9,
// "[list]" one character of the list, "[!list]" one character not in it;
// a list may hold ranges ("[A-Z]"); "-" first or last in a list and "!" not
// first are plain characters; "[[]", "[*]", "[?]", "[#]" match those
// characters; "[]" matches nothing (zero characters). A pattern with an
// unclosed "[" matches no text.
bool Like(std::string_view texto, std::string_view patron);

// Numeric test: optional blanks around, an optional "+" or "-", digits with
// at most one "." and at least one digit ("12", "-7", "+3.5", ".5", "5.").
// Empty, blanks only, a lone sign, "1,5", "1e3", "0x1F" are not numeric.
bool EsNumerico(std::string_view texto);
// The value of a text of one to `maximo` digits (at most 18) and nothing
// else, as a count or a serial mostly is: no value for any other text.
std::optional<long long> ValorDeCifras(std::string_view texto, std::size_t maximo);

struct Fecha {
  int anio = 0;
  int mes = 0;
  int dia = 0;
  bool operator==(const Fecha&) const = default;
};

enum class FormatoFecha {
  AnioMesDia,  // "yyyy-mm-dd" (QSO lines)
  DiaMesAnio,  // "dd-mm-yyyy" (editor fields)
};

// True when the year (1 to 9999), month and day make a date of the calendar.
bool EsFechaReal(int anio, int mes, int dia);
// Reads a date written exactly in the format (digits in every position,
// "-" separators, no blanks); nullopt when the form or the date is wrong.
std::optional<Fecha> LeeFecha(std::string_view texto, FormatoFecha formato);
inline bool EsFechaValida(std::string_view texto, FormatoFecha formato) {
  return LeeFecha(texto, formato).has_value();
}
std::string EscribeFecha(const Fecha& f, FormatoFecha formato);

// A whole number with at least `digitos` digits, zero-padded on the left,
// the sign before the zeros: (7, 3) "007", (1234, 3) "1234", (-7, 3) "-007".
std::string ConCeros(long long valor, int digitos);

}  // namespace plataforma
