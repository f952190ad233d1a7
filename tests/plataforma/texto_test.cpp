#include "plataforma/texto.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include <string>
#include <vector>

#include "plataforma/rutas.h"
#include "soporte/carpeta_temporal.h"

using namespace plataforma;
using Lineas = std::vector<std::string>;

TEST(CodecWindows1252, LosDoscientosCincuentaYSeisBytesVuelvenIguales) {
  std::string todos;
  for (int b = 0; b < 256; ++b) todos += static_cast<char>(b);
  const std::string utf8 = DesdeWindows1252(todos);
  EXPECT_EQ(todos, AWindows1252(utf8));
  // Every byte is one character.
  EXPECT_EQ(256u, Longitud(utf8));
}

TEST(CodecWindows1252, CaracteresYSusBytes) {
  struct Caso {
    std::string utf8;
    std::string bytes;
  };
  const Caso casos[] = {
      {"ñ", "\xF1"}, {"Ñ", "\xD1"},        {"€", "\x80"},          {"é", "\xE9"}, {"…", "\x85"},        {"Ÿ", "\x9F"},
      {"ž", "\x9E"}, {"“x”", "\x93x\x94"}, {"ABC 123", "ABC 123"}, {"º", "\xBA"}, {"\xC2\x81", "\x81"}, {"", ""},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(c.bytes, AWindows1252(c.utf8)) << c.utf8;
    EXPECT_EQ(c.utf8, DesdeWindows1252(c.bytes)) << c.utf8;
  }
}

TEST(CodecWindows1252, SinByteOInvalidoEsInterrogacion) {
  EXPECT_EQ("a?b", AWindows1252("a中b"));
  EXPECT_EQ("?", AWindows1252("😀"));               // four bytes, one character
  EXPECT_EQ("x??", AWindows1252("x\xFF\xC3"));     // stray byte, truncated sequence
  EXPECT_EQ("??", AWindows1252("\xC0\xAF"));       // overlong "/"
  EXPECT_EQ("???", AWindows1252("\xED\xA0\x80"));  // surrogate
}

TEST(PartirLineas, CadaFinDeLinea) {
  struct Caso {
    std::string bytes;
    Lineas lineas;
  };
  const Caso casos[] = {
      {"uno\r\ndos\rtres\ncuatro", {"uno", "dos", "tres", "cuatro"}},
      {"uno\r\n", {"uno"}},
      {"uno", {"uno"}},
      {"", {}},
      {"\r\n", {""}},
      {"a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"a\n\nb", {"a", "", "b"}},
      {"a\r\rb", {"a", "", "b"}},
      {"a\n\r\nb", {"a", "", "b"}},  // LF, then CR LF
      {"a\r\n\nb", {"a", "", "b"}},
      {"a\tb \r\n", {"a\tb "}},
      {"A\xF1o \x80", {"Año €"}},
  };
  for (const auto& c : casos) EXPECT_EQ(c.lineas, PartirLineas(c.bytes)) << c.bytes;
}

// The codec takes runs of ASCII eight bytes at a time: a byte above 0x7F at
// any place of such a run, and at its ends, converts as it does alone.
TEST(CodecWindows1252, UnByteAltoEnCualquierPosicionDeUnTramoAscii) {
  for (const char alto : {'\x80', '\x9F', '\xA0', '\xF1', '\xFF'}) {
    const std::string uno = DesdeWindows1252(std::string(1, alto));
    for (std::size_t largo : {1u, 7u, 8u, 9u, 16u, 17u, 40u}) {
      for (std::size_t pos = 0; pos < largo; ++pos) {
        std::string bytes(largo, 'x');
        bytes[pos] = alto;
        const std::string esperado = std::string(pos, 'x') + uno + std::string(largo - pos - 1, 'x');
        EXPECT_EQ(esperado, DesdeWindows1252(bytes)) << largo << " " << pos;
        EXPECT_EQ(bytes, AWindows1252(esperado)) << largo << " " << pos;
        EXPECT_EQ(largo, Longitud(esperado)) << largo << " " << pos;
        EXPECT_EQ(uno, Medio(esperado, pos + 1, 1)) << largo << " " << pos;
      }
    }
  }
  // Texts with only high bytes, and long ones.
  std::string altos;
  for (int b = 0x80; b < 0x100; ++b) altos += static_cast<char>(b);
  EXPECT_EQ(altos + altos, AWindows1252(DesdeWindows1252(altos + altos)));
  const std::string largo = std::string(1000, 'A') + "\x80" + std::string(1000, 'B');
  EXPECT_EQ(largo, AWindows1252(DesdeWindows1252(largo)));
  EXPECT_EQ("€", Medio(DesdeWindows1252(largo), 1001, 1));
  EXPECT_EQ("A€", Izquierda(Derecha(DesdeWindows1252(largo), 1002), 2));
}

class FicherosTexto : public ::testing::Test {
 protected:
  soporte::CarpetaTemporal dir;
};

// The reader in pieces gives the lines that PartirLineas gives for the
// whole file, wherever a line end falls against the pieces: a CR LF split
// between two pieces, a line longer than a piece, a file without a final
// line end.
TEST_F(FicherosTexto, ElLectorEnTrozosPartePorLasMismasLineas) {
  const std::size_t pieza = std::size_t{1} << 20;
  auto relleno = [](std::size_t n) { return std::string(n, 'Q'); };
  struct Caso {
    const char* nombre;
    std::string bytes;
  };
  const Caso casos[] = {
      {"vacio", ""},
      {"solo fin", "\r\n"},
      {"fines mezclados", "uno\r\ndos\rtres\ncuatro\n\r\n\r\rcinco"},
      {"windows-1252",
       "A\xF1o \x80\r\nPe\xF1"
       "a\r\n"},
      {"cr lf partido entre trozos", relleno(pieza - 1) + "\r\nsiguiente\r\n"},
      {"cr al final del trozo y del fichero", relleno(pieza - 1) + "\r"},
      {"cr solo al final de un trozo", relleno(pieza - 1) + "\rsiguiente"},
      {"lf al principio de un trozo", relleno(pieza) + "\nsiguiente"},
      {"linea mas larga que un trozo", "a\r\n" + relleno(pieza * 2 + 5) + "\r\nb"},
      {"muchas lineas",
       [&] {
         std::string s;
         for (int i = 0; s.size() < pieza * 3; ++i) s += "QSO: " + std::to_string(i) + (i % 3 ? "\r\n" : "\n");
         return s;
       }()},
  };
  for (const Caso& c : casos) {
    dir.EscribeBytes("trozos.log", c.bytes);
    LectorLineas lector;
    ASSERT_TRUE(lector.Abrir(dir.En("TROZOS.LOG"))) << c.nombre;  // without regard to case
    EXPECT_EQ(c.bytes.size(), lector.Tamano()) << c.nombre;
    Lineas leidas;
    std::string linea;
    while (lector.Siguiente(linea)) leidas.push_back(linea);
    EXPECT_FALSE(lector.Fallo()) << c.nombre;
    EXPECT_EQ(c.bytes.size(), lector.Consumidos()) << c.nombre;
    const Lineas esperadas = PartirLineas(c.bytes);
    ASSERT_EQ(esperadas.size(), leidas.size()) << c.nombre;
    EXPECT_TRUE(esperadas == leidas) << c.nombre;
    std::string bytes;
    ASSERT_TRUE(LeerBytes(dir.En("trozos.log"), bytes));
    EXPECT_TRUE(bytes == c.bytes) << c.nombre;
  }
  LectorLineas ausente;
  EXPECT_FALSE(ausente.Abrir(dir.En("no-existe.log")));
  std::string linea;
  EXPECT_FALSE(ausente.Siguiente(linea));
}

TEST_F(FicherosTexto, LineasConCrLfCrSoloYLfSoloSeLeenIgual) {
  dir.EscribeBytes("log.LOG", "START-OF-LOG: 3.0\r\nCALLSIGN: EA1ABC\rQSO: 14000\nEND-OF-LOG:\r\n");
  Lineas l;
  ASSERT_TRUE(LeerLineas(dir.En("log.LOG"), l));
  EXPECT_EQ((Lineas{"START-OF-LOG: 3.0", "CALLSIGN: EA1ABC", "QSO: 14000", "END-OF-LOG:"}), l);
  // Written back, the same lines come out of the file again.
  ASSERT_TRUE(EscribirLineas(dir.En("copia.log"), l));
  EXPECT_EQ(l, LeerLineas(dir.En("copia.log")));
}

TEST_F(FicherosTexto, LeerSinDistinguirMayusculasYFicheroAusente) {
  dir.EscribeBytes("Datos/Lista.TXT", "x\r\n");
  EXPECT_EQ(Lineas{"x"}, LeerLineas(dir.En("datos/lista.txt")));
  Lineas l{"resto"};
  EXPECT_FALSE(LeerLineas(dir.En("no-existe.txt"), l));
  EXPECT_TRUE(l.empty());
  EXPECT_FALSE(LeerLineas(dir.En("Datos"), l));  // a folder is no file
  EXPECT_THROW(LeerLineas(dir.En("no-existe.txt")), ErrorFichero);
}

// Bytes read whole: through the case-blind lookup, or at a path resolved
// already, which must name an ordinary file as it is spelt.
TEST_F(FicherosTexto, BytesLeidosConYSinResolverLaRuta) {
  const std::string bytes = std::string("a\r\n\xD1\0z", 6);
  dir.EscribeBytes("Datos/Lista.LOG", bytes);
  std::string leidos = "resto";
  ASSERT_TRUE(LeerBytes(dir.En("datos/lista.log"), leidos));
  EXPECT_EQ(bytes, leidos);
  leidos = "resto";
  ASSERT_TRUE(LeerBytesResuelta(dir.En("Datos/Lista.LOG"), leidos));
  EXPECT_EQ(bytes, leidos);
  for (const char* ruta : {"datos/lista.log", "Datos", "Datos/Otra.LOG"}) {
    leidos = "resto";
    EXPECT_FALSE(LeerBytesResuelta(dir.En(ruta), leidos)) << ruta;
    EXPECT_TRUE(leidos.empty()) << ruta;
  }
}

TEST_F(FicherosTexto, EscritoEsWindows1252ConCrLfByteAByte) {
  ASSERT_TRUE(EscribirLineas(dir.En("f.txt"), {"Año 2024 €", "", "ñ", "中"}));
  EXPECT_EQ(std::string("A\xF1o 2024 \x80\r\n\r\n\xF1\r\n?\r\n"), dir.LeeBytes("f.txt"));
}

TEST_F(FicherosTexto, EscribirReemplazaElFicheroAnterior) {
  dir.EscribeBytes("Informe.TXT", "una línea mucho más larga que lo nuevo\r\nsegunda\r\n");
  ASSERT_TRUE(EscribirLineas(dir.En("informe.txt"), {"corto"}));
  EXPECT_EQ("corto\r\n", dir.LeeBytes("Informe.TXT"));
  EXPECT_EQ("", dir.LeeBytes("informe.txt"));  // no second file in another case
  ASSERT_TRUE(EscribirLineas(dir.En("Informe.TXT"), {}));
  EXPECT_EQ("", dir.LeeBytes("Informe.TXT"));
}

TEST_F(FicherosTexto, EscribirEnCarpetaInexistenteFalla) {
  EXPECT_FALSE(EscribirLineas(dir.En("no/hay/f.txt"), {"x"}));
}

TEST_F(FicherosTexto, FicheroAnexoAgregaYTrunca) {
  dir.EscribeBytes("FicheroErrores.ERR", "previo\r\n");
  FicheroAnexo f;
  EXPECT_FALSE(f.EstaAbierto());
  f.EscribirLinea("sin abrir");  // ignored
  ASSERT_TRUE(f.Abrir(dir.En("ficheroerrores.err")));
  f.Escribir(".- ERROR ");
  f.EscribirLinea("1: No se ha incluido ningún adjunto.");
  f.EscribirLinea();
  f.Cerrar();
  EXPECT_FALSE(f.EstaAbierto());
  f.EscribirLinea("cerrado");  // ignored
  EXPECT_EQ(std::string("previo\r\n.- ERROR 1: No se ha incluido ning\xFAn adjunto.\r\n\r\n"),
            dir.LeeBytes("FicheroErrores.ERR"));

  ASSERT_TRUE(f.Abrir(dir.En("FicheroErrores.ERR"), true));
  f.EscribirLinea("nuevo");
  f.Cerrar();
  EXPECT_EQ("nuevo\r\n", dir.LeeBytes("FicheroErrores.ERR"));
  EXPECT_FALSE(f.Abrir(dir.En("no/hay/f.err")));
}

TEST_F(FicherosTexto, FicheroAnexoReescritoQuedaComoUnoNuevo) {
  // Written over, the file ends with what was written: a longer old content
  // leaves nothing behind, and nothing written leaves it empty.
  FicheroAnexo f;
  dir.EscribeBytes("informe.err", "un informe anterior mucho m\xE1s largo\r\nque el nuevo\r\n");
  ASSERT_TRUE(f.ReescribeResuelta(dir.En("informe.err")));
  f.EscribirLinea("Año");
  ASSERT_TRUE(f.Cerrar());
  EXPECT_EQ(dir.LeeBytes("informe.err"), "A\xF1o\r\n");
  ASSERT_TRUE(f.ReescribeResuelta(dir.En("informe.err")));
  f.Escribir("largo, m\xC3\xA1s que antes");
  ASSERT_TRUE(f.Cerrar());
  EXPECT_EQ(dir.LeeBytes("informe.err"), "largo, m\xE1s que antes");
  ASSERT_TRUE(f.ReescribeResuelta(dir.En("informe.err")));
  ASSERT_TRUE(f.Cerrar());
  EXPECT_EQ(dir.LeeBytes("informe.err"), "");

  // Only an ordinary file of one name is written over; a link, a second
  // name, a folder or nothing at all is left alone.
  dir.EscribeBytes("otro.txt", "ajeno");
  std::filesystem::create_symlink(dir.En("otro.txt"), dir.En("enlace.err"));
  std::filesystem::create_hard_link(dir.En("otro.txt"), dir.En("segundo.err"));
  std::filesystem::create_directory(dir.En("carpeta.err"));
  for (const char* nombre : {"enlace.err", "segundo.err", "carpeta.err", "no-existe.err"}) {
    EXPECT_FALSE(f.ReescribeResuelta(dir.En(nombre))) << nombre;
    EXPECT_FALSE(f.EstaAbierto()) << nombre;
  }
  EXPECT_EQ(dir.LeeBytes("otro.txt"), "ajeno");
}

// A disk that fills while a file is written, which a child process with a
// file-size limit stands for: every writer says it failed, a replaced file
// keeps its old bytes whole, and nothing cut off or temporary stays behind.
TEST_F(FicherosTexto, UnDiscoLlenoNoDejaNadaCortado) {
  const std::string viejo = "contenido anterior\r\n";
  const Lineas muchas(200, "QSO: 14000 CW 2026-03-05 1000 EA1ABC 599 001 EA2XYZ 599 001");
  std::string grande;
  for (const std::string& l : muchas) grande += l + "\r\n";
  dir.EscribeBytes("origen.log", grande);
  struct Caso {
    const char* nombre;
    std::function<bool(const std::string&)> escribe;  // true: the writer says it wrote the file
    bool conservaViejo;                               // a failure leaves the old file as it was
  };
  const std::vector<Caso> casos = {
      {"EscribirLineas", [&](const std::string& r) { return EscribirLineas(r, muchas); }, true},
      {"ReemplazaFichero", [&](const std::string& r) { return ReemplazaFichero(r, grande); }, true},
      {"CopiaFichero", [&](const std::string& r) { return CopiaFichero(dir.En("origen.log"), r); }, true},
      {"FicheroAnexo",
       [&](const std::string& r) {
         FicheroAnexo f;
         if (!f.Abrir(r, true)) return false;
         for (const std::string& l : muchas) f.EscribirLinea(l);
         return f.Cerrar();
       },
       false},
      {"FicheroAnexo reescrito",
       [&](const std::string& r) {
         FicheroAnexo f;
         if (!f.ReescribeResuelta(r)) return false;
         for (const std::string& l : muchas) f.EscribirLinea(l);
         return f.Cerrar();
       },
       false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    dir.EscribeBytes("destino.log", viejo);
    const pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
      signal(SIGXFSZ, SIG_IGN);
      const rlimit r{1024, 1024};
      setrlimit(RLIMIT_FSIZE, &r);
      _exit(c.escribe(dir.En("destino.log")) ? 1 : 0);
    }
    int estado = 0;
    waitpid(hijo, &estado, 0);
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 0) << "a cut-off write passed for a whole one";
    if (c.conservaViejo) EXPECT_EQ(dir.LeeBytes("destino.log"), viejo);
    for (const auto& e : std::filesystem::directory_iterator(dir.Ruta()))
      EXPECT_EQ(e.path().string().find(".~tmp"), std::string::npos) << e.path();
    // With room again the whole file is written.
    ASSERT_TRUE(c.escribe(dir.En("destino.log")));
    EXPECT_TRUE(dir.LeeBytes("destino.log") == grande);
  }
}

TEST(Recortes, SoloBlancos) {
  struct Caso {
    std::string entrada, ambos, izq, der;
  };
  const Caso casos[] = {
      {"  a b  ", "a b", "a b  ", "  a b"},
      {"   ", "", "", ""},
      {"", "", "", ""},
      {"\tx\t", "\tx\t", "\tx\t", "\tx\t"},
      {" \tx ", "\tx", "\tx ", " \tx"},
      {" ñ ", "ñ", "ñ ", " ñ"},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(c.ambos, Recorta(c.entrada)) << "[" << c.entrada << "]";
    EXPECT_EQ(c.izq, RecortaIzq(c.entrada)) << "[" << c.entrada << "]";
    EXPECT_EQ(c.der, RecortaDer(c.entrada)) << "[" << c.entrada << "]";
  }
}

TEST(MayusculasYMinusculas, RepertorioWindows1252) {
  struct Caso {
    std::string minus, mayus;
  };
  const Caso casos[] = {
      {"ea1abc/p", "EA1ABC/P"}, {"ñandú", "ÑANDÚ"}, {"é", "É"}, {"àçõü", "ÀÇÕÜ"}, {"ÿ", "Ÿ"},
      {"œšž", "ŒŠŽ"},           {"1-2 €", "1-2 €"},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(c.mayus, Mayusculas(c.minus)) << c.minus;
    EXPECT_EQ(c.minus, Minusculas(c.mayus)) << c.mayus;
  }
  // Without a case of their own: stay as they are.
  EXPECT_EQ("ß÷×µ中", Mayusculas("ß÷×µ中"));
  EXPECT_EQ("ß÷×µ中", Minusculas("ß÷×µ中"));
  // An invalid byte is left untouched.
  EXPECT_EQ(
      "A\xFF"
      "B",
      Mayusculas("a\xFF"
                 "b"));
}

TEST(PosicionesDeCaracter, MedioIzquierdaDerecha) {
  const std::string s = "AÑO€Z";
  EXPECT_EQ(5u, Longitud(s));
  EXPECT_EQ("ÑO", Medio(s, 2, 2));
  EXPECT_EQ("€Z", Medio(s, 4));
  EXPECT_EQ("Z", Medio(s, 5, 10));
  EXPECT_EQ("", Medio(s, 6));
  EXPECT_EQ("", Medio(s, 99, 2));
  EXPECT_EQ("AÑ", Izquierda(s, 2));
  EXPECT_EQ(s, Izquierda(s, 50));
  EXPECT_EQ("€Z", Derecha(s, 2));
  EXPECT_EQ(s, Derecha(s, 50));
  EXPECT_EQ("", Derecha(s, 0));
}

TEST(AyudasDeCaracter, LetrasDigitosYCodigos) {
  for (char32_t c : std::u32string(U"aZñÑéßº")) EXPECT_TRUE(EsLetra(c)) << static_cast<unsigned>(c);
  for (char32_t c : std::u32string(U"0 -/€\t")) EXPECT_FALSE(EsLetra(c)) << static_cast<unsigned>(c);
  EXPECT_TRUE(EsDigito(U'7'));
  EXPECT_FALSE(EsDigito(U'a'));
  EXPECT_EQ(U"añ€", ACodigos("añ€"));
  EXPECT_EQ("añ€", DesdeCodigos(U"añ€"));
  EXPECT_EQ(U"a?", ACodigos("a\xFF"));
}

TEST(IgualesSinCaso, Tabla) {
  struct Caso {
    std::string a, b;
    bool iguales;
  };
  const Caso casos[] = {
      {"ListasNoenviadas", "ListasNoEnviadas", true},
      {"FicheroBasesConcurso.lst", "FicheroBasesConcurso.LST", true},
      {"año", "AÑO", true},
      {"ÿœ", "ŸŒ", true},
      {"", "", true},
      {"a", "b", false},
      {"ab", "abc", false},
      {"ñ", "n", false},
      {"ß", "SS", false},
      {"a\xFF", "A\xFF", true},
      {"a\xFF", "A\xFE", false},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(c.iguales, IgualesSinCaso(c.a, c.b)) << c.a << " / " << c.b;
    EXPECT_EQ(c.iguales, IgualesSinCaso(c.b, c.a)) << c.b << " / " << c.a;
  }
}
