#pragma once
// What a stage of a run (the cross-check, the scoring...) tells and asks
// whoever started it: the step it is at, how far it has gone, a chance for
// the caller's window to stay responsive, a failure to report and a
// question for the operator. A window implements it on its step label,
// progress panel and message boxes; a run without window uses
// ProgresoSimple.
#include <string>
#include <vector>

class ProgresoEtapa {
 public:
  virtual ~ProgresoEtapa() = default;
  // The step in hand ("Procesando QQ1ABC.LOG", "FIN PROCESO").
  virtual void Paso(const std::string& texto) = 0;
  // How far the step has gone, 0 to 100.
  virtual void Porcentaje(int porcentaje) = 0;
  // Yields once to the caller's window system.
  virtual void Cede() {}
  // A failure the stage passed over and the operator must hear of.
  virtual void Fallo(const std::string& texto, const std::string& titulo) = 0;
  // A yes-or-no question to the operator; true for yes.
  virtual bool Pregunta(const std::string& texto, const std::string& titulo) = 0;
};

// Keeps what it is told: for the tests, the benchmarks and the runs without
// a window. Answers every question with `respuesta`.
class ProgresoSimple : public ProgresoEtapa {
 public:
  void Paso(const std::string& texto) override { pasos.push_back(texto); }
  void Porcentaje(int p) override { porcentaje = p; }
  void Cede() override { ++cesiones; }
  void Fallo(const std::string& texto, const std::string& titulo) override { fallos.push_back({titulo, texto}); }
  bool Pregunta(const std::string& texto, const std::string& titulo) override {
    preguntas.push_back({titulo, texto});
    return respuesta;
  }
  // The last step told; empty before the first.
  std::string PasoActual() const { return pasos.empty() ? std::string() : pasos.back(); }

  struct Mensaje {
    std::string titulo;
    std::string texto;
  };
  std::vector<std::string> pasos;
  int porcentaje = 0;
  int cesiones = 0;
  std::vector<Mensaje> fallos;
  std::vector<Mensaje> preguntas;
  bool respuesta = false;
};
