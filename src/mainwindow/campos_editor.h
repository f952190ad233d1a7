#pragma once
// Rules of the contest editor's text boxes that need no window: the order in
// which Enter and the arrow keys move between the 27 boxes, the maximum
// length of a box from the type of its column, the upper-casing of a typed
// character and the display form of a stored date.
#include <functional>
#include <string>
#include <string_view>

namespace principal {

inline constexpr int kNumeroCamposTexto = 27;  // Text3(0) .. Text3(26)
inline constexpr int kNumeroBandas = 14;       // Banda(0) .. Banda(13)
inline constexpr int kNumeroModos = 12;        // Modo(0) .. Modo(11)
inline constexpr int kPrimerPunto = 7;         // the points grid: 7 .. 25
inline constexpr int kUltimoPunto = 25;
inline constexpr int kCampoHoras = 26;

// Box that Enter leads to from box `indice`: 0-5 step on, 6 back to 1, 7-23
// step on, 24 back to 7, 25 to 26, 26 to 1.
int SiguienteCampoEnter(int indice);
// Boxes that Up and Down lead to from box `indice`. `consulta`: a query is in
// progress (the number box 0 then joins the ring of name and period).
int CampoArriba(int indice, bool consulta);
int CampoAbajo(int indice, bool consulta);

// Follows `paso` from `desde` until a box that `disponible` accepts; -1 when
// the walk comes back to `desde` (or loops) without finding one. The focus
// never lands on a box that cannot take it.
int PrimerCampoDisponible(int desde, const std::function<int(int)>& paso,
                          const std::function<bool(int)>& disponible);

// Column types of the contest table as the editor sees them.
enum class TipoColumna { Booleano, Entero16, Entero32, Doble, Fecha, Texto, Otro };

// Maximum length of a text box for a column: 16-bit integer 4, 32-bit
// integer and double 11, date 10, text its size; `extra` added to each. Any
// other type keeps `actual`.
int LongitudMaxima(TipoColumna tipo, int tamano, int extra, int actual);

// Upper case of one typed character, by the Windows-1252 repertoire: a-z,
// the accented letters (ñ→Ñ, é→É), š, œ, ž, ÿ. Anything else unchanged.
char32_t MayusculaTecla(char32_t c);
// The same over a whole UTF-8 text.
std::string MayusculasTecleadas(std::string_view texto);

// A stored date shown as "dd-mm-yyyy". Accepts the stored form
// "yyyy-mm-dd[ hh:mm[:ss]]" and "dd-mm-yyyy" / "dd/mm/yyyy"; an empty text
// stays empty; anything else is returned unchanged.
std::string FechaComoDiaMesAnio(std::string_view texto);

// A name or edition without its trailing blanks. The name box keeps only
// the first characters that fit its column, so a long name may be cut just
// after a blank; the name and edition also name the contest's folder, whose
// name must not end in a blank.
std::string SinBlancosFinales(std::string_view texto);

}  // namespace principal
