#pragma once
// Servers that misbehave on cue, for the fault tests: an SMTP server that
// follows a script and a go-between to an IMAP server that cuts the line in
// the middle of a mail.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace pruebas_correo {

inline int Escucha(int& puerto) {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  int uno = 1;
  setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &uno, sizeof uno);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  listen(s, 8);
  socklen_t n = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
  puerto = ntohs(a.sin_port);
  return s;
}

inline bool EnviaTodo(int s, const std::string& t) {
  std::size_t hecho = 0;
  while (hecho < t.size()) {
    ssize_t n = send(s, t.data() + hecho, t.size() - hecho, MSG_NOSIGNAL);
    if (n <= 0) return false;
    hecho += static_cast<std::size_t>(n);
  }
  return true;
}

// An SMTP server that follows a script: the reply to each command verb
// ("GREETING" for the greeting, "." for the end of the mail text). A reply
// "CORTA" closes the connection instead of answering; "CORTA-DATOS" after
// DATA answers 354 and closes once some of the mail text has come.
class SmtpGuion {
 public:
  explicit SmtpGuion(std::map<std::string, std::string> guion) : guion_(std::move(guion)) {
    escucha_ = Escucha(puerto_);
    hilo_ = std::thread([this] { Atiende(); });
  }
  ~SmtpGuion() {
    shutdown(escucha_, SHUT_RDWR);
    close(escucha_);
    hilo_.join();
  }
  int Puerto() const { return puerto_; }

 private:
  std::string Respuesta(const std::string& verbo, const std::string& normal) const {
    auto i = guion_.find(verbo);
    return i == guion_.end() ? normal : i->second;
  }
  void Atiende() {
    pollfd p{escucha_, POLLIN, 0};
    if (poll(&p, 1, 10000) <= 0) return;
    int c = accept(escucha_, nullptr, nullptr);
    if (c < 0) return;
    Dialogo(c);
    close(c);
  }
  // False: the connection is to be closed.
  bool Responde(int c, const std::string& r) { return r != "CORTA" && EnviaTodo(c, r + "\r\n"); }
  void Dialogo(int c) {
    if (!Responde(c, Respuesta("GREETING", "220 prueba ESMTP"))) return;
    std::string entrada;
    bool datos = false;
    char trozo[4096];
    while (true) {
      pollfd p{c, POLLIN, 0};
      if (poll(&p, 1, 10000) <= 0) return;
      ssize_t n = recv(c, trozo, sizeof trozo, 0);
      if (n <= 0) return;
      entrada.append(trozo, static_cast<std::size_t>(n));
      while (true) {
        if (datos) {
          if (Respuesta("DATA", "") == "CORTA-DATOS") {
            if (entrada.empty()) break;
            return;
          }
          auto fin = entrada.find("\r\n.\r\n");
          if (fin == std::string::npos) break;
          entrada.erase(0, fin + 5);
          datos = false;
          if (!Responde(c, Respuesta(".", "250 tomado"))) return;
          continue;
        }
        auto fin = entrada.find("\r\n");
        if (fin == std::string::npos) break;
        std::string linea = entrada.substr(0, fin);
        entrada.erase(0, fin + 2);
        std::string verbo = linea.substr(0, linea.find_first_of(" :"));
        for (char& ch : verbo) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        if (verbo == "EHLO" || verbo == "HELO") {
          if (!Responde(c, Respuesta("EHLO", "250 prueba"))) return;
        } else if (verbo == "DATA") {
          std::string r = Respuesta("DATA", "354 adelante");
          if (r == "CORTA-DATOS") r = "354 adelante";
          if (!Responde(c, r)) return;
          datos = r.rfind("354", 0) == 0;
        } else if (verbo == "QUIT") {
          Responde(c, "221 adios");
          return;
        } else if (!Responde(c, Respuesta(verbo, "250 bien"))) {
          return;
        }
      }
    }
  }

  std::map<std::string, std::string> guion_;
  int escucha_ = -1;
  int puerto_ = 0;
  std::thread hilo_;
};

// A go-between to an IMAP server that cuts both connections once the
// server has sent `bytes` bytes of its answer to a FETCH of a mail's body.
class CorteImap {
 public:
  CorteImap(int destino, std::size_t bytes) : destino_(destino), bytes_(bytes) {
    escucha_ = Escucha(puerto_);
    hilo_ = std::thread([this] { Atiende(); });
  }
  ~CorteImap() {
    fin_ = true;
    hilo_.join();
    close(escucha_);
  }
  int Puerto() const { return puerto_; }
  bool Cortado() const { return cortado_; }

 private:
  void Atiende() {
    std::vector<std::thread> hilos;
    while (!fin_) {
      pollfd p{escucha_, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      int c = accept(escucha_, nullptr, nullptr);
      if (c >= 0) hilos.emplace_back([this, c] { Pasa(c); });
    }
    for (auto& h : hilos) h.join();
  }
  void Pasa(int c) {
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(destino_));
    if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
      close(c);
      close(s);
      return;
    }
    bool pedido = false;
    std::size_t enviados = 0;
    char trozo[4096];
    while (!fin_) {
      pollfd p[2] = {{c, POLLIN, 0}, {s, POLLIN, 0}};
      if (poll(p, 2, 100) <= 0) continue;
      if (p[0].revents) {
        ssize_t n = recv(c, trozo, sizeof trozo, 0);
        if (n <= 0) break;
        if (std::string(trozo, static_cast<std::size_t>(n)).find("BODY.PEEK[]") != std::string::npos) pedido = true;
        if (!EnviaTodo(s, std::string(trozo, static_cast<std::size_t>(n)))) break;
      }
      if (p[1].revents) {
        ssize_t n = recv(s, trozo, sizeof trozo, 0);
        if (n <= 0) break;
        std::size_t m = static_cast<std::size_t>(n);
        if (pedido) {
          m = std::min(m, bytes_ - enviados);
          enviados += m;
        }
        if (!EnviaTodo(c, std::string(trozo, m))) break;
        if (pedido && enviados >= bytes_) {
          cortado_ = true;
          break;
        }
      }
    }
    close(c);
    close(s);
  }

  int destino_;
  std::size_t bytes_;
  int escucha_ = -1;
  int puerto_ = 0;
  std::atomic<bool> fin_{false};
  std::atomic<bool> cortado_{false};
  std::thread hilo_;
};

}  // namespace pruebas_correo
