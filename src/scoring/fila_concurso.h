#pragma once
// The contest's own row of `Concursos` as the scoring readers take it: every
// column by name, in the table's order, and the plain values they keep.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace dao {
class Database;
class Variant;
}  // namespace dao

namespace scoring {

// True only when the column holds True: no value, or one that is no truth
// value, reads False.
bool Cierto(const dao::Variant& v);
// The column's text; "" when it holds no value.
std::string TextoColumna(const dao::Variant& v);

// Calls `columna` with the name and value of every column of contest
// `numero_orden`'s row. False, with no call, when the contest has no row.
bool RecorreFilaConcurso(dao::Database& base, std::int32_t numero_orden,
                         const std::function<void(std::string_view nombre, const dao::Variant& valor)>& columna);

}  // namespace scoring
