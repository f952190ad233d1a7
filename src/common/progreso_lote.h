#pragma once
// The progress of a run over many logs (a mail session, a pass over the
// manual folder, the cross-check, the scoring) as its window shows it. The
// runs report one log at a time: the step label ("Procesando X.LOG",
// "Calculando X.LOG") and the share of that log done. The window completes
// the label with the log in hand and the count ("Procesando X.LOG (3 de
// 8)") and turns the log's share into the share of the whole run, so that
// the bar climbs once from 0 to 100 over the run and stands at 100 when it
// ends. Outside a run the texts and shares pass unchanged.
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

class ProgresoLote {
 public:
  // A run over the logs of that list, known by name (the names the run
  // puts after "Procesando " or "Calculando "): the count is the place of
  // the log in the list.
  void Empieza(const std::vector<std::string>& entradas);
  // A run over `total` logs taken as they come: each step text that names
  // a log counts one more (never past `total`).
  void Empieza(std::size_t total);
  // The run is over: nothing more is completed.
  void Termina();
  bool Activo() const { return activo_; }

  // The step text to show for the run's text: once a text has named a log
  // ("Procesando X", "Calculando X"), every text gets " (n de N)" with the
  // place of that log; before, the text is shown as it is.
  std::string Texto(const std::string& texto);
  // The share of the whole run for the share of the log in hand (0 to 100).
  int Porcentaje(int del_log) const;

  std::size_t Actual() const { return actual_; }
  std::size_t Total() const { return total_; }

 private:
  bool activo_ = false;
  bool por_nombre_ = false;
  std::unordered_map<std::string, std::size_t> lugares_;  // entry -> place, from 1
  std::size_t total_ = 0;
  std::size_t actual_ = 0;  // place of the log in hand, from 1; 0 before the first
};
