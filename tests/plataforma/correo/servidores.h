#pragma once
// Mail servers for the tests, started on 127.0.0.1 in a temporary folder and
// stopped at the end: Debian's dovecot (IMAP) and aiosmtpd (SMTP sink).
#include <sys/types.h>

#include <string>
#include <vector>

namespace pruebas_correo {

// A temporary folder, removed with everything in it.
class CarpetaTemporal {
 public:
  CarpetaTemporal();
  ~CarpetaTemporal();
  const std::string& Ruta() const { return ruta_; }

 private:
  std::string ruta_;
};

// A port nobody listens on right now.
int PuertoLibre();
// Waits until something accepts connections on the port (false after 15 s).
bool EsperaPuerto(int puerto);

// One mail of a Maildir fixture: the file to copy, where it goes and when it
// arrived (the file's time).
struct CorreoFixture {
  std::string fichero;   // under tests/datos/correo, or a path
  bool leido = false;    // cur/ with the seen flag; else new/
  long long llegada = 0; // seconds since the epoch
};
// Fills a Maildir (creating tmp/new/cur) with the mails, in order.
void LlenaMaildir(const std::string& maildir, const std::vector<CorreoFixture>& correos);
// Names of the files of a Maildir subfolder.
std::vector<std::string> Ficheros(const std::string& carpeta);

class ServidorImap {
 public:
  // usuario/clave: the one account; buzon: its Maildir (filled beforehand).
  // papelera: the server offers a Trash mailbox marked \Trash.
  ServidorImap(const std::string& carpeta, const std::string& usuario, const std::string& clave, bool papelera);
  ~ServidorImap();
  bool Arranca();
  void Para();
  int Puerto() const { return puerto_; }
  const std::string& Buzon() const { return buzon_; }
  std::string Registro() const;

 private:
  std::string carpeta_, usuario_, clave_, buzon_, config_;
  bool papelera_;
  int puerto_ = 0;
  bool arrancado_ = false;
};

class ServidorSmtp {
 public:
  explicit ServidorSmtp(const std::string& carpeta);
  ~ServidorSmtp();
  bool Arranca();
  void Para();
  int Puerto() const { return puerto_; }
  // The Maildir where the sink leaves every mail it takes.
  const std::string& Buzon() const { return buzon_; }

 private:
  std::string buzon_;
  int puerto_ = 0;
  pid_t pid_ = -1;
};

// Points HOME at a folder with a .netrc for the account (libcurl reads it).
void PreparaNetrc(const std::string& carpeta, const std::string& usuario, const std::string& clave);

std::string LeeFichero(const std::string& ruta);

}  // namespace pruebas_correo
