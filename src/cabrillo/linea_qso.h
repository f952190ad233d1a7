#pragma once
// The check of one QSO line of the log in hand against the contest in hand:
// band and mode against the contest and against the log's categories, date,
// time, the participant's own call, and each element of the sent and
// received exchange that the contest's profile calls for. Every fault is
// written as an error block (the line, its context lines, the error line, a
// blank line); the answer is true when the line gave none.
#include <array>
#include <string>
#include <string_view>

#include "cabrillo/entorno_validacion.h"
#include "cabrillo/reglas_concurso.h"

namespace cabrillo {

// Band of a QSO from its frequency token: "1.2G" is "1.2"; a numeric value
// in kHz inside a range is folded ("14349" gives "14000", the 20 m range
// ending below 14500); anything else stays as written.
std::string BandaDeFrecuencia(std::string_view frecuencia);
// The same band as a view: into a static table or into `frecuencia`.
std::string_view BandaDeFrecuenciaVista(std::string_view frecuencia);

// The QSO-line check of one log. What depends only on the log's header and
// on the contest (the log's categories, the token layout, the band and mode
// permissions) is worked out once, when it is built; the header checks must
// have filled `CabeceraLog` by then. Each line then costs no database read.
class ComprobadorLineasQso {
 public:
  explicit ComprobadorLineasQso(const EntornoValidacion& entorno);

  // Checks one line; `memoria` spans the lines of the log.
  bool VerificaLineaQso(std::string_view linea, MemoriaLog& memoria) const;

 private:
  enum class Disposicion { Normal, CaminoSantiago, ComarcasCatalanas };
  struct Lado {
    bool rst = false, numeral = false, letras = false, puntos = false, locator = false;
  };
  struct Intercambio {
    std::string_view rst, numeral, letras, puntos, locator;  // into the line
  };
  void LeeIntercambio(std::string_view linea, std::int64_t& posicion, const Lado& lado, const PaisPerezoso& pais,
                      Intercambio& intercambio) const;

  const EntornoValidacion& entorno_;
  Lado enviado_, recibido_;
  Disposicion disposicion_ = Disposicion::Normal;
  bool camino_server_op_ = false;
  std::string participante_base_;
  std::string categoria_operador_, categoria_banda_, categoria_modo_, categoria_estacion_;
  std::array<bool, 16> banda_permitida_{};
  std::array<bool, 5> modo_permitido_{};
  PatronesNombreConcurso patrones_;
  mutable MemoriaPaises paises_vistos_;
  mutable int ultima_banda_ = -1;  // index in the band table of the last line's band
};

// One line checked on its own (the same answer as through a
// ComprobadorLineasQso built for the log).
bool VerificaLineaQso(std::string_view linea, MemoriaLog& memoria, const EntornoValidacion& entorno);

}  // namespace cabrillo
