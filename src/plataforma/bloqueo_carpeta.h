#pragma once
// One program per working folder. Two programs on one folder would both read
// the contest's mailbox and answer every log twice, so the program claims its
// working folder at start-up with a lock on a file inside it, held for the
// whole run. The lock belongs to the open file: the system releases it when
// the program ends in any way, a crash or a kill included, so a folder is
// never left locked. A program the run starts does not inherit it.
#include <string>

namespace plataforma {

// The lock file, left in the working folder (an empty file; its presence
// alone locks nothing).
inline constexpr const char* kFicheroBloqueo = "Trovalis.bloqueo";

class BloqueoCarpeta {
 public:
  enum class Estado {
    Tomado,  // this object holds the folder
    EnUso,   // another program holds it
    Fallo,   // the lock file could not be opened or locked
  };

  // Tries at once (never waits) to take the folder's lock.
  explicit BloqueoCarpeta(std::string carpeta);
  // Releases the lock when held.
  ~BloqueoCarpeta();
  BloqueoCarpeta(const BloqueoCarpeta&) = delete;
  BloqueoCarpeta& operator=(const BloqueoCarpeta&) = delete;

  Estado Situacion() const { return estado_; }
  bool Tomado() const { return estado_ == Estado::Tomado; }
  // The operator's notice when the lock was not taken, naming the folder
  // (and, for Fallo, the system's reason); empty when taken.
  std::string Mensaje() const;
  // Its title: "CARPETA DE TRABAJO EN USO" or "CARPETA DE TRABAJO".
  std::string Titulo() const;

 private:
  std::string carpeta_;
  int descriptor_ = -1;
  Estado estado_ = Estado::Fallo;
  std::string motivo_;
};

}  // namespace plataforma
