#include "transfer/MultiplosEnvios.h"

#include "publication/DataTexto.h"
#include "shell/classAmbiente.h"

#include <QLocale>

namespace transferencia {

namespace {

const QString kProblemasFila = QStringLiteral("Problemas ao carregar a fila!");
const QString kSemCopia = QStringLiteral("A cópia do arquivo não está mais na fila!");
const QString kSemAnotacao = QStringLiteral("Não foi possível anotar o envio na fila!");
const QString kInterrompido =
    QStringLiteral("Envio interrompido! Confira em Arquivos publicados antes de enviar de novo.");
const QString kAguardando = QStringLiteral("Aguardando envio");
const QString kQuebraObs = QStringLiteral("@|-");

// A failure as one line of the list: without the "Erro" heading the pipeline puts on top.
QString umaLinha(QString texto)
{
    if (texto.startsWith(QStringLiteral("Erro\r\n")))
        texto.remove(0, 6);
    texto.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    texto.replace(QLatin1Char('\n'), QLatin1Char(' '));
    texto.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return texto.trimmed();
}

double leValor(const QString &texto)
{
    bool ok = false;
    const double v = QLocale(QLocale::Portuguese, QLocale::Brazil).toDouble(texto, &ok);
    return ok ? v : 0;
}

// The environment's document and publication values, put back however a send ends: the queue
// borrows them for each entry.
class Emprestimo {
public:
    explicit Emprestimo(classAmbiente &a)
        : m_a(a), m_arquivo(a.arquivo()), m_titulo(a.Titulo()), m_tipo(a.Tipo()), m_enviado(a.Enviado()),
          m_lastIds(a.LastIds), m_pasta(a.pasta), m_usuarios(a.UsuariosId), m_email(a.Email),
          m_referencia(a.Enviar.DataReferencia())
    {
    }
    ~Emprestimo()
    {
        m_a.setArquivo(m_arquivo);
        m_a.setTitulo(m_titulo);
        m_a.setTipo(m_tipo);
        m_a.setEnviado(m_enviado);
        m_a.LastIds = m_lastIds;
        m_a.pasta = m_pasta;
        m_a.UsuariosId = m_usuarios;
        m_a.Email = m_email;
        m_a.Enviar.Inicia(m_referencia);
    }
    Emprestimo(const Emprestimo &) = delete;
    Emprestimo &operator=(const Emprestimo &) = delete;

private:
    classAmbiente &m_a;
    QString m_arquivo, m_titulo, m_tipo;
    bool m_enviado;
    QString m_lastIds, m_pasta, m_usuarios, m_email;
    QDate m_referencia;
};

// The record as it was queued: the index's fields, and the data kept beside them.
void carregaRegistro(classAmbiente &a, const QStringList &campos, const DadosEnvio &dados)
{
    classEnviar &e = a.Enviar;
    e.Try();
    for (const QString &id : campos.value(0).split(QLatin1Char('*'), Qt::SkipEmptyParts)) {
        bool ok = false;
        const qint32 cliente = id.toInt(&ok);
        if (ok && cliente > 0)
            e.AddCliente(cliente);
    }
    bool ok = false;
    const qint16 tipo = campos.value(3).toShort(&ok);
    e.setTipoArquivo(ok ? tipo : 2);
    e.setDescricao(dados.descricao);
    e.setAtivacao(campos.value(5));
    e.setExpiracao(campos.value(6));
    e.setObservacao(dados.observacao);
    e.setValor(leValor(campos.value(9)));
    e.setVencimento(campos.value(10));
    e.setParametro1(dados.parametros[0]);
    e.setParametro2(dados.parametros[1]);
    e.setParametro3(dados.parametros[2]);
    e.setParametro4(dados.parametros[3]);
    e.setParametro5(dados.parametros[4]);
    const QString avisos = campos.value(8);
    switch (avisos.isEmpty() ? 0 : avisos.at(0).digitValue()) {
    case 1:
        e.Avisar(false);
        break;
    case 2:
        e.Avisar(true);
        break;
    case 3:
        e.Avisar(false, avisos.mid(1));
        break;
    default:
        e.Avisar(false, std::nullopt, true);
    }
    a.pasta = dados.pasta;
    a.UsuariosId = dados.usuariosId;
    a.Email = dados.email == QLatin1String("S") ? dados.email : QStringLiteral("N");
}

// A line queued without its data (by an older copy of the program): the texts from the line.
DadosEnvio dadosDaLinha(const QStringList &campos)
{
    DadosEnvio d;
    d.descricao = campos.value(4);
    d.observacao = campos.value(7);
    d.observacao.replace(kQuebraObs, QStringLiteral("\n"));
    return d;
}

} // namespace

MultiplosEnvios::MultiplosEnvios(classAmbiente &ambiente, Acoes acoes)
    : m_ambiente(ambiente), m_acoes(std::move(acoes)), m_url(ambiente.servicos().http),
      m_portal(m_url, ambiente, ambiente.servicos().config, ambiente.Sistema())
{
}

QString MultiplosEnvios::TextoSituacao(const Item &item)
{
    switch (item.situacao) {
    case Situacao::Falhou:
        return item.falha;
    case Situacao::Interrompido:
        return kInterrompido;
    case Situacao::SemCopia:
        return kSemCopia;
    case Situacao::Aguardando:
        break;
    }
    return kAguardando;
}

QString MultiplosEnvios::NomePasta(const QString &valor)
{
    QStringList nomes;
    qint32 pai = 0;
    const QStringList ids = valor.split(QLatin1Char('|'));
    for (int nivel = 1; nivel <= 5 && nivel <= ids.size(); ++nivel) {
        bool ok = false;
        const qint32 id = ids.at(nivel - 1).toInt(&ok);
        if (!ok || id <= 0)
            break;
        const QString chave = QString::number(nivel) + QLatin1Char('/') + QString::number(pai);
        if (!m_pastas.contains(chave))
            m_pastas.insert(chave, m_portal.Pastas(nivel, pai).pastas);
        QString nome = QString::number(id);   // a folder the portal no longer lists keeps its id
        for (const publicacao::PastaPortal &p : m_pastas.value(chave)) {
            if (p.id == id)
                nome = p.nome;
        }
        nomes << nome;
        pai = id;
    }
    return nomes.join(QStringLiteral(" > "));
}

bool MultiplosEnvios::Carrega()
{
    m_itens.clear();
    m_erro.clear();
    const FilaEnvio fila = m_ambiente.Fila();
    QList<EntradaFila> entradas;
    if (!fila.Entradas(entradas)) {
        m_erro = kProblemasFila;
        return false;
    }
    if (entradas.isEmpty())
        return true;
    // the clients' names, as the queue's own loader labels them
    bool pErro = false;
    const QList<QStringList> tabela = m_ambiente.CarregaFila(pErro);
    if (pErro) {
        m_erro = m_ambiente.Erro();
        return false;
    }
    const plataforma::FileService &fso = m_ambiente.FSO();
    for (const EntradaFila &entrada : entradas) {
        const QStringList &c = entrada.campos;
        Item item;
        item.copia = entrada.copia();
        item.cliente = c.value(0);
        for (const QStringList &linha : tabela) {
            if (linha.value(1) == item.copia)
                item.cliente = linha.value(0);
        }
        const std::optional<DadosEnvio> dados = fila.LeDados(item.copia);
        const DadosEnvio d = dados.value_or(dadosDaLinha(c));
        item.descricao = d.descricao;
        item.ativacao = c.value(5);
        item.expiracao = c.value(6);
        item.pasta = NomePasta(d.pasta);
        item.arquivo = c.value(2);
        if (!fso.arquivoExiste(fila.pastaArquivos() + item.copia)) {
            item.situacao = Situacao::SemCopia;
        } else if (d.enviando) {
            item.situacao = Situacao::Interrompido;
        } else if (!d.falha.isEmpty()) {
            item.situacao = Situacao::Falhou;
            item.falha = d.falha;
        }
        m_itens << item;
    }
    return true;
}

MultiplosEnvios::Resultado MultiplosEnvios::Envia(const QStringList &copias, bool interrompidos)
{
    Resultado r;
    const QList<Item> itens = m_itens;
    for (const Item &item : itens) {
        if (!copias.contains(item.copia))
            continue;
        if (item.situacao == Situacao::Interrompido && !interrompidos)
            continue;
        switch (EnviaUm(item.copia, item.situacao == Situacao::Interrompido)) {
        case Desfecho::Enviado:
            ++r.enviados;
            break;
        case Desfecho::Falhou:
            ++r.falhas;
            break;
        case Desfecho::Ausente:
            break;
        }
    }
    Carrega();
    return r;
}

MultiplosEnvios::Desfecho MultiplosEnvios::EnviaUm(const QString &copia, bool interrompido)
{
    const FilaEnvio fila = m_ambiente.Fila();
    // the index as it is now: another copy of the program may have sent or removed the entry
    QList<EntradaFila> entradas;
    if (!fila.Entradas(entradas))
        return Desfecho::Ausente;
    const auto entrada = std::find_if(entradas.cbegin(), entradas.cend(),
                                      [&copia](const EntradaFila &e) { return e.copia() == copia; });
    if (entrada == entradas.cend())
        return Desfecho::Ausente;
    const QStringList campos = entrada->campos;
    DadosEnvio dados = fila.LeDados(copia).value_or(dadosDaLinha(campos));
    // marked since the list was read: another running copy is sending it
    if (dados.enviando && !interrompido)
        return Desfecho::Ausente;
    const auto falhou = [&](const QString &texto) {
        dados.enviando = false;
        dados.falha = umaLinha(texto);
        fila.GravaDados(copia, dados);
        return Desfecho::Falhou;
    };

    const QString caminho = fila.pastaArquivos() + copia;
    if (!m_ambiente.FSO().arquivoExiste(caminho))
        return falhou(kSemCopia);

    const Emprestimo emprestimo(m_ambiente);
    classAmbiente &a = m_ambiente;
    // the copy goes out under the name it was queued with: the title, with no type after it
    a.setArquivo(caminho);
    a.setTitulo(campos.value(2));
    a.setTipo(QString());
    carregaRegistro(a, campos, dados);
    // Checked as on the day it was queued, so an activation of that day still goes the day after;
    // but what has expired by now is not published.
    const QDate hoje = a.servicos().relogio.hoje();
    const auto enfileirado = publicacao::leData(dados.enfileiradoEm);
    a.Enviar.Inicia(enfileirado && *enfileirado < hoje ? *enfileirado : hoje);
    a.Enviar.Validar(campos.value(2));
    if (!a.Enviar.Validado()) {
        QString mensagem;
        a.Enviar.Catch(mensagem);
        return falhou(mensagem);
    }
    const auto expiracao = publicacao::leData(a.Enviar.Expiracao());
    if (expiracao && *expiracao <= hoje)
        return falhou(QStringLiteral("A data de expiração não pode ser menor ou igual a data de hoje para o arquivo ")
                      + campos.value(2) + QLatin1Char('!'));

    dados.enviando = true;
    dados.falha.clear();
    if (!fila.GravaDados(copia, dados))
        return falhou(kSemAnotacao);
    if (m_acoes.etapa)
        m_acoes.etapa(Etapa::AntesDoEnvio, copia);

    a.setEnviado(false);
    if (m_acoes.transferencia)
        m_acoes.transferencia();
    if (m_acoes.etapa)
        m_acoes.etapa(Etapa::DepoisDoEnvio, copia);
    if (!a.Enviado())
        return falhou(a.Erro());

    // Sent. Should the entry not come out, it keeps its mark, and "send all" leaves it alone.
    fila.Retira(copia);
    if (m_acoes.etapa)
        m_acoes.etapa(Etapa::Retirado, copia);
    return Desfecho::Enviado;
}

bool MultiplosEnvios::Remove(const QStringList &copias)
{
    const FilaEnvio fila = m_ambiente.Fila();
    bool ok = true;
    for (const QString &copia : copias)
        ok = fila.Retira(copia) && ok;
    Carrega();
    return ok;
}

} // namespace transferencia
