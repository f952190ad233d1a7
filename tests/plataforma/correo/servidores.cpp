#include "plataforma/correo/servidores.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace pruebas_correo {

CarpetaTemporal::CarpetaTemporal() {
  std::string plantilla = (fs::temp_directory_path() / "trovalis-correo-XXXXXX").string();
  ruta_ = mkdtemp(plantilla.data());
  // The IMAP server reads the mail folder as its own unprivileged user.
  chmod(ruta_.c_str(), 0755);
}

CarpetaTemporal::~CarpetaTemporal() {
  std::error_code ec;
  fs::remove_all(ruta_, ec);
}

int PuertoLibre() {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = 0;
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  socklen_t n = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
  close(s);
  return ntohs(a.sin_port);
}

bool EsperaPuerto(int puerto) {
  auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (std::chrono::steady_clock::now() < fin) {
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(puerto));
    bool bien = connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    close(s);
    if (bien) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

std::string LeeFichero(const std::string& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void LlenaMaildir(const std::string& maildir, const std::vector<CorreoFixture>& correos) {
  for (const char* s : {"tmp", "new", "cur"}) fs::create_directories(fs::path(maildir) / s);
  int n = 0;
  for (const auto& c : correos) {
    ++n;
    std::string origen = c.fichero.find('/') == std::string::npos
                             ? std::string(TROVALIS_DATOS_PRUEBA) + "/correo/" + c.fichero
                             : c.fichero;
    // Maildir names begin with the arrival time, which orders them.
    std::string nombre = std::to_string(c.llegada) + ".M" + std::to_string(n) + "P1.fixture";
    fs::path destino = fs::path(maildir) / (c.leido ? "cur" : "new") / (c.leido ? nombre + ":2,S" : nombre);
    fs::copy_file(origen, destino, fs::copy_options::overwrite_existing);
    utimbuf t{static_cast<time_t>(c.llegada), static_cast<time_t>(c.llegada)};
    utime(destino.c_str(), &t);
  }
}

std::vector<std::string> Ficheros(const std::string& carpeta) {
  std::vector<std::string> v;
  std::error_code ec;
  for (fs::directory_iterator it(carpeta, ec), fin; !ec && it != fin; it.increment(ec))
    if (it->is_regular_file()) v.push_back(it->path().filename().string());
  return v;
}

namespace {

void Escribe(const std::string& ruta, const std::string& texto) {
  std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
  f << texto;
}

// Gives a tree to the user the server drops to.
void Entrega(const std::string& carpeta, uid_t uid, gid_t gid) {
  std::error_code ec;
  chown(carpeta.c_str(), uid, gid);
  for (fs::recursive_directory_iterator it(carpeta, ec), fin; !ec && it != fin; it.increment(ec))
    chown(it->path().c_str(), uid, gid);
}

}  // namespace

ServidorImap::ServidorImap(const std::string& carpeta, const std::string& usuario, const std::string& clave,
                           bool papelera)
    : carpeta_(carpeta + "/imap"), usuario_(usuario), clave_(clave), papelera_(papelera) {
  buzon_ = carpeta_ + "/buzon";
  config_ = carpeta_ + "/dovecot.conf";
  fs::create_directories(buzon_);
  chmod(carpeta_.c_str(), 0755);
}

ServidorImap::~ServidorImap() { Para(); }

std::string ServidorImap::Registro() const { return LeeFichero(carpeta_ + "/dovecot.log"); }

bool ServidorImap::Arranca() {
  for (const char* s : {"run", "state"}) fs::create_directories(carpeta_ + "/" + s);
  puerto_ = PuertoLibre();
  std::string usuarioSistema = "dovenull", grupo = "dovenull";
  std::string extra;
  if (geteuid() != 0) {
    // Without root the server runs as the user who starts it.
    passwd* pw = getpwuid(geteuid());
    usuarioSistema = pw ? pw->pw_name : "nobody";
    grupo = std::to_string(getegid());
    extra = "default_internal_user = " + usuarioSistema + "\ndefault_login_user = " + usuarioSistema + "\n";
  }
  std::ostringstream c;
  c << "protocols = imap\n"
    << "listen = 127.0.0.1\n"
    << "base_dir = " << carpeta_ << "/run\n"
    << "state_dir = " << carpeta_ << "/state\n"
    << "log_path = " << carpeta_ << "/dovecot.log\n"
    << "ssl = no\n"
    << "disable_plaintext_auth = no\n"
    << "first_valid_uid = 1\n"
    << "first_valid_gid = 1\n"
    << extra
    << "mail_location = maildir:" << buzon_ << "\n"
    << "passdb {\n  driver = passwd-file\n  args = scheme=PLAIN username_format=%u " << carpeta_ << "/usuarios\n}\n"
    << "userdb {\n  driver = static\n  args = uid=" << usuarioSistema << " gid=" << grupo << " home=" << carpeta_
    << "/casa\n}\n"
    << "service imap-login {\n  inet_listener imap {\n    address = 127.0.0.1\n    port = " << puerto_
    << "\n  }\n}\n"
    << "service stats {\n  unix_listener stats-writer {\n    mode = 0666\n  }\n}\n"
    << "namespace inbox {\n  inbox = yes\n  separator = /\n";
  if (papelera_) c << "  mailbox Trash {\n    special_use = \\Trash\n    auto = create\n  }\n";
  c << "}\n";
  Escribe(config_, c.str());
  Escribe(carpeta_ + "/usuarios", usuario_ + ":{PLAIN}" + clave_ + "\n");
  fs::create_directories(carpeta_ + "/casa");
  if (geteuid() == 0) {
    passwd* pw = getpwnam("dovenull");
    if (pw) {
      Entrega(buzon_, pw->pw_uid, pw->pw_gid);
      Entrega(carpeta_ + "/casa", pw->pw_uid, pw->pw_gid);
    }
  }
  std::string orden = "dovecot -c '" + config_ + "'";
  if (std::system(orden.c_str()) != 0) return false;
  arrancado_ = true;
  return EsperaPuerto(puerto_);
}

// The processes whose parent is pid.
std::vector<pid_t> Hijos(pid_t padre) {
  std::vector<pid_t> v;
  std::error_code ec;
  for (fs::directory_iterator it("/proc", ec), fin; !ec && it != fin; it.increment(ec)) {
    std::string nombre = it->path().filename().string();
    if (nombre.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string stat = LeeFichero(it->path().string() + "/stat");
    auto cierra = stat.rfind(')');
    if (cierra == std::string::npos) continue;
    char estado = 0;
    int ppid = 0;
    if (std::sscanf(stat.c_str() + cierra + 1, " %c %d", &estado, &ppid) == 2 && ppid == padre)
      v.push_back(static_cast<pid_t>(std::atoi(nombre.c_str())));
  }
  return v;
}

void ServidorImap::Para() {
  if (!arrancado_) return;
  arrancado_ = false;
  std::string pidFichero = carpeta_ + "/run/master.pid";
  std::string pidTexto = LeeFichero(pidFichero);
  // The server keeps serving open connections after its master stops: its
  // processes end with it, so a stopped server is gone for every client.
  std::vector<pid_t> hijos = Hijos(static_cast<pid_t>(std::atoi(pidTexto.c_str())));
  std::string orden = "doveadm -c '" + config_ + "' stop >/dev/null 2>&1";
  std::system(orden.c_str());
  // Wait for the master to be gone, so the port is free.
  pid_t pid = static_cast<pid_t>(std::atoi(pidTexto.c_str()));
  auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (pid > 0 && kill(pid, 0) == 0 && std::chrono::steady_clock::now() < fin)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  for (pid_t h : hijos) kill(h, SIGKILL);
}

ServidorSmtp::ServidorSmtp(const std::string& carpeta) : buzon_(carpeta + "/smtp") {}

ServidorSmtp::~ServidorSmtp() { Para(); }

bool ServidorSmtp::Arranca() {
  puerto_ = PuertoLibre();
  std::string escucha = "127.0.0.1:" + std::to_string(puerto_);
  pid_ = fork();
  if (pid_ == 0) {
    execl("/usr/bin/python3", "python3", "-m", "aiosmtpd", "-n", "-l", escucha.c_str(), "-c", "aiosmtpd.handlers.Mailbox",
           buzon_.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid_ > 0 && EsperaPuerto(puerto_);
}

void ServidorSmtp::Para() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int estado = 0;
  waitpid(pid_, &estado, 0);
  pid_ = -1;
}

void PreparaNetrc(const std::string& carpeta, const std::string& usuario, const std::string& clave) {
  std::string netrc = carpeta + "/.netrc";
  Escribe(netrc, "machine 127.0.0.1\nlogin " + usuario + "\npassword " + clave + "\n");
  chmod(netrc.c_str(), 0600);
  setenv("HOME", carpeta.c_str(), 1);
}

}  // namespace pruebas_correo
