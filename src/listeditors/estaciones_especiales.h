#pragma once
// The special stations editor without its window: the eight columns of
// table ListaEspeciales over the main window's lists, the wildcard rules
// applied while a rule is typed, and the completion and checks (band and
// mode against the contest editor's boxes, points) a rule passes before it
// is stored.
#include "listeditors/editor_cuadricula.h"

namespace listeditors {

class EditorEstacionesEspeciales : public EditorCuadricula {
 public:
  explicit EditorEstacionesEspeciales(EnlaceListas& principal);

  static DefinicionEditor Definicion();
  enum ColumnaEsp { Estacion, Prefijo, Distrito, Provincia, Banda, Modo, Puntos, PuntosRef };

  // The text of the mode message ("ERROR EN MODO").
  static std::string TextoErrorModo();

  // Completion of the row (0-based) at commit.
  void CompletaComodines(int Linea);
  bool VerificaEstacionEspecial();
  bool VerificaBanda(int Linea);
  bool VerificaModo(int Linea);

 protected:
  bool VerificaFila() override { return VerificaEstacionEspecial(); }
  void ReglasSalida(int fila, int columna) override;
};

}  // namespace listeditors
