// CUPS backend "vorlin": puts each PDF job into /var/spool/vorlin-printer/<user>/, where the
// user's hand-off agent picks it up and opens it in Vorlin Printer.
//
// cupsd runs it as root (the file is root-only, mode 0700). Root only creates the user's folder;
// every file operation after that runs as the job's owner, so a link planted in the spool cannot
// make root write anywhere. Nothing here follows a symbolic link.
//
// Exit codes follow the backend contract: 0 done, 1 failed (the error policy decides), 5 cancel
// this job (not a PDF, unknown user, unusable folder).
#include "NomeArquivo.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kPronto = 0;
constexpr int kFalhou = 1;
constexpr int kCancela = 5;

constexpr const char *kSpoolPadrao = "/var/spool/vorlin-printer";
constexpr const char *kAbertos = "opened";

// Known to the signal handler, so a cancelled job leaves no partial file behind.
int g_pasta = -1;
char g_temporario[64] = "";

extern "C" void aoCancelar(int)
{
    if (g_pasta >= 0 && g_temporario[0] != '\0')
        unlinkat(g_pasta, g_temporario, 0);
    _exit(kCancela);
}

int erro(int codigo, const std::string &texto)
{
    std::fprintf(stderr, "ERROR: Vorlin Printer: %s\n", texto.c_str());
    return codigo;
}

std::string errnoTexto()
{
    return std::strerror(errno);
}

// The spool root: root's own, not writable by anyone else.
bool raizSegura(const std::string &raiz, std::string &motivo)
{
    if (mkdir(raiz.c_str(), 0755) != 0 && errno != EEXIST) {
        motivo = "não foi possível criar " + raiz + ": " + errnoTexto();
        return false;
    }
    struct stat st {};
    if (lstat(raiz.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != 0 || (st.st_mode & 022) != 0) {
        motivo = raiz + " não é uma pasta do root fechada a escrita de outros";
        return false;
    }
    return true;
}

// The user's folder, created by root as <user>:<group> 0700; an existing one must be exactly that.
int abrePastaUsuario(int raiz, const passwd &usuario, std::string &motivo)
{
    const char *nome = usuario.pw_name;
    struct stat st {};
    if (fstatat(raiz, nome, &st, AT_SYMLINK_NOFOLLOW) != 0) {
        // Made under a hidden name and given to the user before it gets its own name: the
        // user's agent never sees it owned by root.
        const std::string novo = "." + std::string(nome) + "." + std::to_string(getpid());
        if (mkdirat(raiz, novo.c_str(), 0700) != 0
            || fchownat(raiz, novo.c_str(), usuario.pw_uid, usuario.pw_gid, AT_SYMLINK_NOFOLLOW) != 0) {
            motivo = std::string("não foi possível criar a pasta de ") + nome + ": " + errnoTexto();
            unlinkat(raiz, novo.c_str(), AT_REMOVEDIR);
            return -1;
        }
        if (renameat2(raiz, novo.c_str(), raiz, nome, RENAME_NOREPLACE) != 0)
            unlinkat(raiz, novo.c_str(), AT_REMOVEDIR);   // another job of the user made it first
    }
    const int pasta = openat(raiz, nome, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (pasta < 0 || fstat(pasta, &st) != 0 || st.st_uid != usuario.pw_uid) {
        motivo = std::string("a pasta de ") + nome + " no spool não é uma pasta dele";
        if (pasta >= 0)
            close(pasta);
        return -1;
    }
    return pasta;
}

bool tornaSe(const passwd &usuario, std::string &motivo)
{
    if (initgroups(usuario.pw_name, usuario.pw_gid) != 0 || setresgid(usuario.pw_gid, usuario.pw_gid, usuario.pw_gid) != 0
        || setresuid(usuario.pw_uid, usuario.pw_uid, usuario.pw_uid) != 0) {
        motivo = std::string("não foi possível agir como ") + usuario.pw_name + ": " + errnoTexto();
        return false;
    }
    if (usuario.pw_uid != 0 && (setuid(0) == 0 || geteuid() == 0)) {
        motivo = "os privilégios do root não foram largados";
        return false;
    }
    return true;
}

bool ocupado(int pasta, int abertos, const std::string &nome)
{
    struct stat st {};
    if (fstatat(pasta, nome.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
        return true;
    return abertos >= 0 && fstatat(abertos, nome.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

// Gives the finished file its name without ever replacing another file.
int publica(int pasta, const char *temporario, const std::string &nome)
{
    if (renameat2(pasta, temporario, pasta, nome.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // File systems without RENAME_NOREPLACE: a hard link is just as exclusive.
    if (linkat(pasta, temporario, pasta, nome.c_str(), 0) != 0)
        return errno;
    unlinkat(pasta, temporario, 0);
    return 0;
}

bool escreveTudo(int fd, const char *dados, std::size_t tamanho)
{
    while (tamanho > 0) {
        const ssize_t n = write(fd, dados, tamanho);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        dados += n;
        tamanho -= std::size_t(n);
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    std::signal(SIGPIPE, SIG_IGN);
    if (argc == 1) {
        // Device discovery (lpinfo -v).
        std::puts("direct vorlin:/ \"Vorlin Printer\" \"Vorlin Printer (PDF)\"");
        return kPronto;
    }
    if (argc < 6 || argc > 7) {
        std::fprintf(stderr, "Usage: %s job-id user title copies options [file]\n", argv[0]);
        return kFalhou;
    }
    const long trabalho = std::strtol(argv[1], nullptr, 10);
    const std::string dono = argv[2];
    const std::string titulo = argv[3];

    int entrada = 0;
    if (argc == 7 && (entrada = open(argv[6], O_RDONLY | O_CLOEXEC)) < 0)
        return erro(kFalhou, std::string("não foi possível ler ") + argv[6] + ": " + errnoTexto());

    if (dono.empty() || dono[0] == '.' || dono.find('/') != std::string::npos)
        return erro(kCancela, "trabalho " + std::to_string(trabalho) + " cancelado: nome de usuário inválido \"" + dono + "\"");
    errno = 0;
    const passwd *conta = getpwnam(dono.c_str());
    if (!conta)
        return erro(kCancela, "trabalho " + std::to_string(trabalho) + " cancelado: o usuário \"" + dono + "\" não existe neste computador");
    const passwd usuario = *conta;
    const std::string nomeUsuario = usuario.pw_name;   // getpwnam's buffer is reused below

    const char *spool = std::getenv("VORLIN_SPOOL");
    const std::string raiz = spool && *spool ? spool : kSpoolPadrao;
    std::string motivo;
    if (!raizSegura(raiz, motivo))
        return erro(kCancela, "trabalho " + std::to_string(trabalho) + " cancelado: " + motivo);
    const int raizFd = open(raiz.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (raizFd < 0)
        return erro(kCancela, "trabalho " + std::to_string(trabalho) + " cancelado: " + raiz + ": " + errnoTexto());
    passwd comNome = usuario;
    comNome.pw_name = const_cast<char *>(nomeUsuario.c_str());
    const int pasta = abrePastaUsuario(raizFd, comNome, motivo);
    close(raizFd);
    if (pasta < 0)
        return erro(kCancela, "trabalho " + std::to_string(trabalho) + " cancelado: " + motivo);
    if (!tornaSe(comNome, motivo))
        return erro(kFalhou, motivo);

    // From here on: the job's owner.
    umask(077);
    std::snprintf(g_temporario, sizeof g_temporario, ".job-%ld.part", trabalho);
    g_pasta = pasta;
    struct sigaction acao {};
    acao.sa_handler = aoCancelar;
    sigaction(SIGTERM, &acao, nullptr);

    unlinkat(pasta, g_temporario, 0);   // a retried job may have left its part behind
    const int saida = openat(pasta, g_temporario, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (saida < 0)
        return erro(kFalhou, std::string("não foi possível criar o arquivo em ") + raiz + "/" + nomeUsuario + ": " + errnoTexto());

    static char bloco[64 * 1024];
    std::size_t total = 0;
    bool ehPdf = false;
    for (;;) {
        const ssize_t n = read(entrada, bloco, sizeof bloco);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            unlinkat(pasta, g_temporario, 0);
            return erro(kFalhou, "erro ao ler o trabalho: " + errnoTexto());
        }
        if (n == 0)
            break;
        // The first five bytes decide; they may arrive in more than one read.
        if (total < 5) {
            const std::size_t vistos = std::min<std::size_t>(5 - total, std::size_t(n));
            static constexpr char kMagica[] = "%PDF-";
            if (std::memcmp(bloco, kMagica + total, vistos) != 0)
                break;
            ehPdf = total + vistos == 5;
        }
        if (!escreveTudo(saida, bloco, std::size_t(n))) {
            unlinkat(pasta, g_temporario, 0);
            return erro(kFalhou, "erro ao gravar o trabalho em " + raiz + "/" + nomeUsuario + ": " + errnoTexto());
        }
        total += std::size_t(n);
    }
    if (!ehPdf) {
        unlinkat(pasta, g_temporario, 0);
        return erro(kCancela, "trabalho " + std::to_string(trabalho) + " (\"" + titulo
                                  + "\") cancelado: os dados não são um PDF (não começam com %PDF-). "
                                    "A impressora só recebe PDF; não imprima em modo raw.");
    }
    if (fchmod(saida, 0600) != 0 || fsync(saida) != 0 || close(saida) != 0) {
        unlinkat(pasta, g_temporario, 0);
        return erro(kFalhou, "erro ao gravar o trabalho: " + errnoTexto());
    }

    const int abertos = openat(pasta, kAbertos, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const std::string base = vorlin::nomeDoTrabalho(titulo, trabalho);
    std::string nome = base;
    for (int tentativa = 1; tentativa <= 100; ++tentativa) {
        if (!ocupado(pasta, abertos, nome)) {
            const int falha = publica(pasta, g_temporario, nome);
            if (falha == 0) {
                std::fprintf(stderr, "INFO: entregue como %s\n", nome.c_str());
                return kPronto;
            }
            if (falha != EEXIST) {
                errno = falha;
                unlinkat(pasta, g_temporario, 0);
                return erro(kFalhou, "erro ao dar nome ao trabalho: " + errnoTexto());
            }
        }
        // The program captures by file name: a name in use gets the job id, then a count.
        nome = vorlin::comSufixo(base, tentativa == 1 ? std::to_string(trabalho)
                                                        : std::to_string(trabalho) + "-" + std::to_string(tentativa));
    }
    unlinkat(pasta, g_temporario, 0);
    return erro(kFalhou, "nenhum nome livre para o trabalho " + std::to_string(trabalho));
}
