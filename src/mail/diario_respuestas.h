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
//
// The file is read once, on first use, and kept in memory; a note is one
// line appended and flushed to the disk, so a session of many answers costs
// one short write each. The file is rewritten whole only by ConservaSolo,
// once at the end of a session. A line cut off by a stop in the middle of a
// note names no mail and is ignored.
#include <set>
#include <string>

namespace mail {

inline constexpr const char* kNombreDiarioRespuestas = "RespuestasEnviadas.txt";

class DiarioRespuestas {
 public:
  explicit DiarioRespuestas(const std::string& carpeta_concurso);

  bool Contiene(const std::string& identidad) const;
  // Adds the identity and returns once it is on disk (appended and flushed
  // to the disk). False when it could not be written; the file then keeps
  // the notes it had.
  bool Anota(const std::string& identidad);
  // Keeps only the identities of the set (the mails still in the inbox).
  bool ConservaSolo(const std::set<std::string>& en_buzon);

 private:
  const std::set<std::string>& Notas() const;
  bool Escribe(const std::set<std::string>& identidades);

  std::string carpeta_;
  std::string ruta_;
  mutable bool leido_ = false;
  mutable std::set<std::string> notas_;
};

}  // namespace mail
