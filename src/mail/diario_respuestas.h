#pragma once
// The mails of the contest's mailbox that have been answered but may still
// be in the inbox: file "RespuestasEnviadas.txt" in the contest's folder,
// one mail identity (plataforma::correo::SesionCorreo::IdentidadCorreo) per
// line.
//
// An answer is noted here, on disk, as soon as it has gone out and before
// its mail is deleted. A mail session stopped between the two (the program
// killed, the store gone) leaves the mail in the inbox; the next session
// finds it noted and takes it out without taking it in or answering again.
#include <set>
#include <string>

namespace mail {

inline constexpr const char* kNombreDiarioRespuestas = "RespuestasEnviadas.txt";

class DiarioRespuestas {
 public:
  explicit DiarioRespuestas(const std::string& carpeta_concurso);

  bool Contiene(const std::string& identidad) const;
  // Adds the identity and returns once the file is on disk (written beside
  // it, flushed to the disk and renamed over it). False when it could not
  // be written; the file is then as it was.
  bool Anota(const std::string& identidad);
  // Keeps only the identities of the set (the mails still in the inbox).
  bool ConservaSolo(const std::set<std::string>& en_buzon);

 private:
  std::set<std::string> Lee() const;
  bool Escribe(const std::set<std::string>& identidades);

  std::string carpeta_;
  std::string ruta_;
};

}  // namespace mail
