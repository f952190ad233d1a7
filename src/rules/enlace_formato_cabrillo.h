#pragma once
// What the Cabrillo format window reads and writes of the main window: the
// contest in hand, the view-only flag, the exchange options of the contest
// editor and the two optional texts (claims mailbox, results web address).
// The main window implements it; the tests implement it with a plain struct.
#include <cstdint>
#include <string>

namespace rules {

// The exchange check boxes of the main window ("A ENVIAR", "A RECIBIR" and
// "Recibir/Enviar SIGLAS o NUMERAL"), each ticked or unticked.
struct OpcionesIntercambio {
  bool EnviarNumeral = false;
  bool EnviarSiglas = false;
  bool EnviarLocator = false;
  bool RecibirNumeral = false;
  bool RecibirSiglas = false;
  bool RecibirLocator = false;
  bool SiglasONumeral = false;
};

class EnlaceFormatoCabrillo {
 public:
  virtual ~EnlaceFormatoCabrillo() = default;
  // 0: editable (a contest is being created or modified); any other value
  // opens the window for viewing only.
  virtual int ListasSoloConsulta() const = 0;
  // Number of the contest in hand (during a creation, the number it will get).
  virtual std::int32_t NumeroConcursoActual() const = 0;
  // Name of the contest in hand (compared exactly with fixed contest names).
  virtual std::string NombreConcurso() const = 0;
  // Text of the contest-name field of the editor, for the window's title.
  virtual std::string TextoNombreConcurso() const = 0;
  // Working folder; the contest database is the file "Ledrima" in it.
  virtual std::string CarpetaTrabajo() const = 0;
  virtual OpcionesIntercambio Intercambio() const = 0;
  // Mailbox for information and claims, and web address of the results.
  virtual std::string CorreoReclamaciones() const = 0;
  virtual void PonCorreoReclamaciones(const std::string& texto) = 0;
  virtual std::string DireccionWebConcurso() const = 0;
  virtual void PonDireccionWebConcurso(const std::string& texto) = 0;
};

}  // namespace rules
