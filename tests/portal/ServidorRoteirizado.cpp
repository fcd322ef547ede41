#include "ServidorRoteirizado.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

void enviaTudo(int fd, const QByteArray &dados)
{
    qsizetype enviado = 0;
    while (enviado < dados.size()) {
        const ssize_t n = ::send(fd, dados.constData() + enviado, static_cast<size_t>(dados.size() - enviado), MSG_NOSIGNAL);
        if (n <= 0)
            return;
        enviado += n;
    }
}

QByteArray textoStatus(int status)
{
    switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

} // namespace

ServidorRoteirizado::ServidorRoteirizado()
{
    if (::pipe(m_acorda) != 0)
        return;
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return;
    const int sim = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &sim, sizeof sim);
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    endereco.sin_port = 0;
    socklen_t tamanho = sizeof endereco;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&endereco), sizeof endereco) != 0 || ::listen(fd, 16) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr *>(&endereco), &tamanho) != 0) {
        ::close(fd);
        return;
    }
    m_escuta = fd;
    m_porta = ntohs(endereco.sin_port);
    m_linha = std::thread([this] { serve(); });
}

ServidorRoteirizado::~ServidorRoteirizado()
{
    if (m_acorda[1] >= 0) {
        const char c = 'x';
        [[maybe_unused]] const ssize_t n = ::write(m_acorda[1], &c, 1);
    }
    if (m_linha.joinable())
        m_linha.join();
    for (int fd : {m_escuta, m_acorda[0], m_acorda[1]})
        if (fd >= 0)
            ::close(fd);
}

QByteArray ServidorRoteirizado::base() const
{
    return "http://127.0.0.1:" + QByteArray::number(m_porta) + "/";
}

void ServidorRoteirizado::define(std::function<Roteiro(const QByteArray &)> roteiro)
{
    std::lock_guard trava(m_trava);
    m_roteiro = std::move(roteiro);
}

void ServidorRoteirizado::responde(const QByteArray &corpo, int status, Modo modo)
{
    define([=](const QByteArray &) { return Roteiro{corpo, status, modo}; });
}

QList<ServidorRoteirizado::Requisicao> ServidorRoteirizado::requisicoes() const
{
    std::lock_guard trava(m_trava);
    return m_requisicoes;
}

QList<QByteArray> ServidorRoteirizado::alvos() const
{
    QList<QByteArray> saida;
    for (const Requisicao &r : requisicoes())
        saida << r.alvo;
    return saida;
}

void ServidorRoteirizado::limpa()
{
    std::lock_guard trava(m_trava);
    m_requisicoes.clear();
}

quint16 ServidorRoteirizado::portaFechada()
{
    // Bind to a free port and let it go: nothing listens there afterwards.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t tamanho = sizeof endereco;
    ::bind(fd, reinterpret_cast<sockaddr *>(&endereco), sizeof endereco);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&endereco), &tamanho);
    ::close(fd);
    return ntohs(endereco.sin_port);
}

bool ServidorRoteirizado::esperaLeitura(int fd) const
{
    pollfd fds[2] = {{fd, POLLIN, 0}, {m_acorda[0], POLLIN, 0}};
    for (;;) {
        const int n = ::poll(fds, 2, -1);
        if (n < 0)
            continue;
        if (fds[1].revents)
            return false;
        if (fds[0].revents)
            return true;
    }
}

void ServidorRoteirizado::serve()
{
    while (esperaLeitura(m_escuta)) {
        const int cliente = ::accept(m_escuta, nullptr, nullptr);
        if (cliente < 0)
            continue;
        atende(cliente);
        ::close(cliente);
    }
}

void ServidorRoteirizado::atende(int cliente)
{
    QByteArray pedido;
    while (!pedido.contains("\r\n\r\n")) {
        if (!esperaLeitura(cliente))
            return;
        char buffer[4096];
        const ssize_t n = ::recv(cliente, buffer, sizeof buffer, 0);
        if (n <= 0)
            return;
        pedido.append(buffer, n);
    }
    const qsizetype fimLinha = pedido.indexOf("\r\n");
    const QList<QByteArray> linha = pedido.left(fimLinha).split(' ');
    Requisicao requisicao{linha.value(1), pedido.mid(fimLinha + 2, pedido.indexOf("\r\n\r\n") - fimLinha - 2)};

    Roteiro roteiro;
    {
        std::lock_guard trava(m_trava);
        m_requisicoes << requisicao;
        if (m_roteiro)
            roteiro = m_roteiro(requisicao.alvo);
    }

    const QByteArray cabecalho = "HTTP/1.1 " + QByteArray::number(roteiro.status) + ' ' + textoStatus(roteiro.status)
        + "\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: ";
    switch (roteiro.modo) {
    case Modo::Normal:
        enviaTudo(cliente, cabecalho + QByteArray::number(roteiro.corpo.size()) + "\r\n\r\n" + roteiro.corpo);
        break;
    case Modo::Truncado:
        enviaTudo(cliente, cabecalho + QByteArray::number(roteiro.corpo.size() * 2 + 10) + "\r\n\r\n" + roteiro.corpo);
        break;
    case Modo::Lixo:
        enviaTudo(cliente, roteiro.corpo);
        break;
    case Modo::Mudo:
        // Hold the connection until the client hangs up or the server stops.
        while (esperaLeitura(cliente)) {
            char buffer[256];
            if (::recv(cliente, buffer, sizeof buffer, 0) <= 0)
                break;
        }
        break;
    }
    ::shutdown(cliente, SHUT_WR);
}
