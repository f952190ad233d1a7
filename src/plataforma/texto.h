#pragma once
// Text files of the program: Windows-1252 bytes on disk, UTF-8 in memory.
// Every file the program reads or writes goes through these functions.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "plataforma/errores.h"

namespace plataforma {

// Windows-1252 bytes to UTF-8 (all 256 byte values map to a character).
std::string DesdeWindows1252(std::string_view bytes);
// UTF-8 to Windows-1252 bytes; a character with no Windows-1252 byte (or an
// invalid UTF-8 sequence) becomes "?".
std::string AWindows1252(std::string_view utf8);

// Splits Windows-1252 bytes into lines (UTF-8): a line ends at CR LF, a lone
// CR or a lone LF; a final line end does not make an empty last line.
std::vector<std::string> PartirLineas(std::string_view bytes);
// The raw bytes of a file (path resolved without regard to letter case).
bool LeerBytes(const std::string& ruta, std::string& bytes);
// The raw bytes of an ordinary file at a path resolved already; false when
// there is no ordinary file there (a folder, a pipe) or it cannot be read.
bool LeerBytesResuelta(const std::string& ruta, std::string& bytes);

// Reads a text file line by line, split as PartirLineas splits it, holding
// only a piece of its bytes at a time: a large file costs the memory of its
// lines, not twice that. The path is resolved without regard to letter case.
class LectorLineas {
 public:
  LectorLineas();
  ~LectorLineas();
  LectorLineas(const LectorLineas&) = delete;
  LectorLineas& operator=(const LectorLineas&) = delete;
  // False when the file cannot be opened.
  bool Abrir(const std::string& ruta);
  // The same for a path resolved already (ResuelveRuta), taken as it is.
  bool AbrirResuelta(const std::string& ruta);
  // The next line (UTF-8); false at the end of the file or when it cannot
  // be read on (then Fallo() is true).
  bool Siguiente(std::string& linea);
  bool Fallo() const { return fallo_; }
  // Size of the file and bytes taken by the lines read so far (line ends
  // included), for an estimate of the lines to come.
  std::uint64_t Tamano() const { return tamano_; }
  std::uint64_t Consumidos() const { return consumidos_; }

 private:
  bool Rellena();
  std::FILE* f_ = nullptr;
  std::vector<char> buffer_;
  std::size_t pos_ = 0, fin_ = 0;
  bool agotado_ = false, fallo_ = false;
  std::uint64_t tamano_ = 0, consumidos_ = 0;
};

// Reads a text file as lines (UTF-8). A line ends at CR LF, a lone CR or a
// lone LF; a final line end does not make an empty last line. The path is
// resolved without regard to letter case. Returns false when the file cannot
// be read (lineas is then empty).
bool LeerLineas(const std::string& ruta, std::vector<std::string>& lineas);
// Same, throwing ErrorFichero when the file cannot be read.
std::vector<std::string> LeerLineas(const std::string& ruta);

// Writes a text file: each line as Windows-1252 bytes followed by CR LF (the
// last line too), no byte-order mark, replacing the old file whole (see
// ReemplazaFichero). Returns false when the file cannot be written.
bool EscribirLineas(const std::string& ruta, const std::vector<std::string>& lineas);
// Replaces a file with the bytes in one step: they are written to a file
// beside it (NombreTemporal) that is then renamed over it, so a failed or
// interrupted write never leaves a cut-off file; on failure the old file
// stays as it was. The path is resolved without regard to letter case.
bool ReemplazaFichero(const std::string& ruta, std::string_view bytes);
// The file beside `ruta` where its next content is written first.
std::string NombreTemporal(const std::string& ruta);

// A text file kept open for appending lines (Windows-1252, CR LF); the path
// is resolved without regard to letter case.
class FicheroAnexo {
 public:
  FicheroAnexo();
  ~FicheroAnexo();
  FicheroAnexo(const FicheroAnexo&) = delete;
  FicheroAnexo& operator=(const FicheroAnexo&) = delete;
  // Opens for append (creates when missing); truncar=true starts it empty.
  bool Abrir(const std::string& ruta, bool truncar = false);
  // The same for a path resolved already (ResuelveRuta), taken as it is.
  bool AbrirResuelta(const std::string& ruta, bool truncar = false);
  // Opens an existing ordinary file of one name only (a path resolved
  // already) to be written anew from its start, keeping the file itself:
  // what is written replaces the old content, and Cerrar drops whatever is
  // left of it. After Cerrar it holds what AbrirResuelta(ruta, true) would
  // have made. False, with nothing opened, when there is no such file there
  // (a link, a file with other names) or it cannot be opened so. For a
  // report made again and again under the same name: a new file, or one cut
  // to nothing, each time costs the file system far more (a new inode; some
  // write a file cut to nothing to disk when it is closed).
  bool ReescribeResuelta(const std::string& ruta);
  bool EstaAbierto() const;
  // Writes text as is (no line end added).
  void Escribir(std::string_view texto);
  // Writes text followed by CR LF.
  void EscribirLinea(std::string_view texto = {});
  // Closes the file; false when some text written since Abrir did not reach
  // it (a full disk, a write error).
  bool Cerrar();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Blank-only trimming (a TAB is not a blank).
std::string Recorta(std::string_view s);
std::string RecortaIzq(std::string_view s);
std::string RecortaDer(std::string_view s);
// Upper case of the Windows-1252 repertoire (a-z, and accented letters:
// ñ→Ñ, é→É, ...).
std::string Mayusculas(std::string_view s);
std::string Minusculas(std::string_view s);
// Equal but for letter case (the case pairs of Mayusculas).
bool IgualesSinCaso(std::string_view a, std::string_view b);
// Number of characters (code points) of a UTF-8 text.
std::size_t Longitud(std::string_view s);
// Characters [inicio, inicio+cuantos) by character position, 1-based as the
// classic Mid (0 counts as 1); out-of-range parts are simply empty.
std::string Medio(std::string_view s, std::size_t inicio, std::size_t cuantos = std::string::npos);
std::string Izquierda(std::string_view s, std::size_t cuantos);
std::string Derecha(std::string_view s, std::size_t cuantos);

// Character helpers. A letter is a character of the Windows-1252 repertoire
// that has a case (a-z, A-Z, accented letters) or ß, ª, º.
bool EsLetra(char32_t c);
inline bool EsDigito(char32_t c) { return c >= U'0' && c <= U'9'; }
// UTF-8 text as code points (an invalid sequence becomes "?") and back.
std::u32string ACodigos(std::string_view s);
std::string DesdeCodigos(std::u32string_view s);

}  // namespace plataforma
