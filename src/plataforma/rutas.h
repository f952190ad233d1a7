#pragma once
// Paths and files. Every component of a path is resolved without regard to
// letter case; a new file or folder takes its name as written.
#include <string>
#include <string_view>
#include <vector>

namespace plataforma {

// The working folder: the current folder at start-up.
std::string CarpetaActual();
// Joins with "/" (never doubles a separator).
std::string UneRuta(std::string_view a, std::string_view b);
// Resolves each existing component ignoring letter case ("\\" separates
// components as "/" does); the components that
// do not exist keep their spelling. "ListasNoenviadas" finds "ListasNoEnviadas".
std::string ResuelveRuta(const std::string& ruta);

// While an object of this class lives (in any thread), the case-blind
// search of a folder in ResuelveRuta keeps the folder's names in memory and
// searches them there again for as long as the folder is unchanged: its
// modification time is still the one seen when it was listed or when the
// program last told of a change in it. The functions of this module tell of
// their own changes; code that creates or deletes a file by other means
// calls AnotaFicheroCreado / AnotaFicheroBorrado with its resolved path
// (without it the folder is listed again on its next search). For a run
// that creates many files in a few folders (a mail session), where each new
// name would otherwise list its whole folder.
class ListadosEnMemoria {
 public:
  ListadosEnMemoria();
  ~ListadosEnMemoria();
  ListadosEnMemoria(const ListadosEnMemoria&) = delete;
  ListadosEnMemoria& operator=(const ListadosEnMemoria&) = delete;
};
void AnotaFicheroCreado(const std::string& ruta_resuelta);
void AnotaFicheroBorrado(const std::string& ruta_resuelta);
bool ExisteFichero(const std::string& ruta);   // an ordinary file
bool ExisteCarpeta(const std::string& ruta);
// Ordinary files of a folder (names only), sorted by name without regard to
// case. Empty when the folder does not exist.
std::vector<std::string> ListaFicheros(const std::string& carpeta);
// Subfolders of a folder (names only), sorted likewise.
std::vector<std::string> ListaCarpetas(const std::string& carpeta);
// Copies with overwrite, replacing the destination in one step (never a
// cut-off copy; on failure the old destination stays). false on failure.
bool CopiaFichero(const std::string& origen, const std::string& destino);
// Renames/moves; never overwrites an existing destination (false then).
bool RenombraFichero(const std::string& origen, const std::string& destino);
// Deletes a file; false when it failed (callers may ignore it).
bool BorraFichero(const std::string& ruta);
// Creates a folder (and its parents); true when it exists afterwards.
bool CreaCarpeta(const std::string& ruta);
// Reduces a name that comes from outside (an attachment name, a mail
// address, a contest name) to a plain file name that stays inside the folder
// it is joined to: a name written as a path keeps only its last component
// (after the last "/" or "\\"), control characters are dropped, blanks
// trimmed, and "", "." or ".." become "_". At most 255 bytes.
std::string NombreSeguro(std::string_view nombre);

}  // namespace plataforma
