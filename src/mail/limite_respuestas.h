#pragma once
// The bound on the error answers sent to one address: at most
// kMaximoRespuestasError in any hour (kPeriodoLimite). A robot that answers
// every mail it gets, whatever it says, would otherwise trade answers with
// the intake for ever: each of its answers carries no log and gets an error
// answer back. Confirmations of an accepted log are not counted and always
// go out: a participant who sends a corrected log again and again gets
// every confirmation.
//
// The error answers are noted in file "RespuestasDeError.txt" of the working
// folder (the sender of every answer is that folder's mail profile), one
// line per answer: the time (seconds since 1970) and the address in lower
// case. The file survives the sessions and the restarts of the program; it
// is read on first use, notes are appended, and the notes older than the
// period are dropped from it when it is read.
#include <ctime>
#include <map>
#include <string>
#include <vector>

namespace mail {

inline constexpr const char* kNombreLimiteRespuestas = "RespuestasDeError.txt";
inline constexpr int kMaximoRespuestasError = 3;
inline constexpr std::time_t kPeriodoLimite = 3600;

class LimiteRespuestas {
 public:
  explicit LimiteRespuestas(const std::string& carpeta_trabajo);

  // Whether one more error answer to the address may go out at `ahora`.
  bool Permite(const std::string& direccion, std::time_t ahora);
  // Notes an error answer to the address; false when the note could not be
  // written (the file keeps the notes it had).
  bool Anota(const std::string& direccion, std::time_t ahora);

 private:
  void Lee(std::time_t ahora);

  std::string ruta_;
  bool leido_ = false;
  std::map<std::string, std::vector<std::time_t>> enviadas_;  // by address in lower case
};

}  // namespace mail
