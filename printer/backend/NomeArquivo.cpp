#include "NomeArquivo.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace vorlin {

namespace {

// Room left for " (<job id>)" and ".pdf" within the 255 bytes a file name may have.
constexpr std::size_t kMaximoBase = 200;

constexpr std::array<std::string_view, 30> kExtensoesDocumento = {
    "pdf", "ps", "eps", "txt", "text", "log", "csv", "rtf", "odt", "ods", "odp", "odg", "fodt", "doc",
    "docx", "xls", "xlsx", "ppt", "pptx", "htm", "html", "xml", "jpg", "jpeg", "png", "gif", "tif",
    "tiff", "bmp", "svg"};

bool comecaCom(std::string_view texto, std::string_view inicio)
{
    return texto.substr(0, inicio.size()) == inicio;
}

// Paths arrive as titles from file managers, lp and Windows clients: keep the file's own name.
std::string_view ultimoComponente(std::string_view titulo)
{
    if (comecaCom(titulo, "file://"))
        titulo.remove_prefix(7);
    const bool caminhoUnix = comecaCom(titulo, "/") || comecaCom(titulo, "~/") || comecaCom(titulo, "./");
    const bool caminhoWindows = comecaCom(titulo, "\\\\")
        || (titulo.size() > 2 && std::isalpha(static_cast<unsigned char>(titulo[0])) && titulo[1] == ':'
            && titulo[2] == '\\');
    if (caminhoUnix || caminhoWindows) {
        const auto barra = titulo.find_last_of(caminhoUnix ? "/" : "\\");
        if (barra != std::string_view::npos)
            titulo.remove_prefix(barra + 1);
    }
    return titulo;
}

// Length of the valid UTF-8 sequence at the start of `s`, 0 when it is not one.
std::size_t sequenciaUtf8(std::string_view s)
{
    const auto c = static_cast<unsigned char>(s[0]);
    std::size_t n = 0;
    unsigned minimo = 0, valor = 0;
    if (c < 0x80)
        return 1;
    if ((c & 0xe0) == 0xc0) { n = 2; minimo = 0x80; valor = c & 0x1f; }
    else if ((c & 0xf0) == 0xe0) { n = 3; minimo = 0x800; valor = c & 0x0f; }
    else if ((c & 0xf8) == 0xf0) { n = 4; minimo = 0x10000; valor = c & 0x07; }
    else
        return 0;
    if (s.size() < n)
        return 0;
    for (std::size_t i = 1; i < n; ++i) {
        const auto d = static_cast<unsigned char>(s[i]);
        if ((d & 0xc0) != 0x80)
            return 0;
        valor = (valor << 6) | (d & 0x3f);
    }
    if (valor < minimo || valor > 0x10ffff || (valor >= 0xd800 && valor <= 0xdfff))
        return 0;
    if (valor >= 0x80 && valor <= 0x9f)   // C1 controls
        return 0;
    return n;
}

std::string limpa(std::string_view titulo)
{
    std::string nome;
    while (!titulo.empty()) {
        const std::size_t n = sequenciaUtf8(titulo);
        if (n == 0) {
            nome += '_';
            titulo.remove_prefix(1);
            continue;
        }
        const char c = titulo[0];
        if (n == 1 && (static_cast<unsigned char>(c) < 0x20 || c == 0x7f))
            nome += '_';
        else if (n == 1 && (c == '/' || c == '\\'))
            nome += '-';
        else
            nome.append(titulo.substr(0, n));
        titulo.remove_prefix(n);
    }
    return nome;
}

void apara(std::string &nome)
{
    const auto inicio = nome.find_first_not_of(". -");
    nome.erase(0, inicio == std::string::npos ? nome.size() : inicio);
    while (!nome.empty() && (nome.back() == ' ' || nome.back() == '.'))
        nome.pop_back();
}

std::string minusculas(std::string_view texto)
{
    std::string r(texto);
    std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return r;
}

void tiraExtensaoDocumento(std::string &nome)
{
    const auto ponto = nome.rfind('.');
    if (ponto == std::string::npos || ponto == 0)
        return;
    const std::string extensao = minusculas(std::string_view(nome).substr(ponto + 1));
    if (std::find(kExtensoesDocumento.begin(), kExtensoesDocumento.end(), extensao) != kExtensoesDocumento.end())
        nome.erase(ponto);
}

// Cuts at a character boundary: the name stays valid UTF-8.
void limitaTamanho(std::string &nome)
{
    if (nome.size() <= kMaximoBase)
        return;
    std::size_t corte = kMaximoBase;
    while (corte > 0 && (static_cast<unsigned char>(nome[corte]) & 0xc0) == 0x80)
        --corte;
    nome.erase(corte);
}

} // namespace

std::string nomeDoTrabalho(std::string_view titulo, long trabalho)
{
    std::string nome = limpa(ultimoComponente(titulo));
    apara(nome);
    tiraExtensaoDocumento(nome);
    limitaTamanho(nome);
    apara(nome);
    if (nome.empty())
        nome = "job-" + std::to_string(trabalho);
    return nome + ".pdf";
}

std::string comSufixo(const std::string &nome, std::string_view sufixo)
{
    const std::string base = nome.size() >= 4 ? nome.substr(0, nome.size() - 4) : nome;
    return base + " (" + std::string(sufixo) + ").pdf";
}

} // namespace vorlin
