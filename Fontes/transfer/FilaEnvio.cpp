#include "transfer/FilaEnvio.h"

#include "platform/Ansi.h"
#include "platform/Folders.h"
#include "publication/DataTexto.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>

namespace transferencia {

namespace {

const QString kSeparador = QStringLiteral(">@%");
const QString kQuebraObs = QStringLiteral("@|-");
const QString kCrLf = QStringLiteral("\r\n");
const QString kNaoValidado = QStringLiteral("Não foi possível validar o arquivo!");
const QString kErroIndefinido = QStringLiteral("Erro indefinido durante o enfileiramento!");
const QString kProblemasFila = QStringLiteral("Problemas ao carregar a fila!");
constexpr int kCampos = 11;

// A value must neither end the line nor split the record: line breaks become spaces and a
// separator inside the text loses its "@".
QString campo(QString texto)
{
    texto.replace(QLatin1Char('\r'), QLatin1Char(' '));
    texto.replace(QLatin1Char('\n'), QLatin1Char(' '));
    texto.replace(kSeparador, QStringLiteral(">_%"));
    return texto;
}

// The observation keeps its line breaks as "@|-"; the text box gives bare LFs, not CR LF.
QString observacao(QString texto)
{
    texto.replace(kCrLf, kQuebraObs);
    texto.replace(QLatin1Char('\r'), kQuebraObs);
    texto.replace(QLatin1Char('\n'), kQuebraObs);
    return campo(texto);
}

QString textoValor(double valor)
{
    QLocale local(QLocale::Portuguese, QLocale::Brazil);
    local.setNumberOptions(QLocale::OmitGroupSeparator);
    return local.toString(valor, 'g', 15);
}

bool soDigitos(QStringView texto)
{
    return !texto.isEmpty()
        && std::all_of(texto.begin(), texto.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Lines end at CR LF; a lone CR or LF from another writer ends a line too.
QStringList linhasDe(const QString &texto)
{
    static const QRegularExpression quebra(QStringLiteral("\r\n|\r|\n"));
    QStringList linhas = texto.split(quebra);
    if (!linhas.isEmpty() && linhas.last().isEmpty())
        linhas.removeLast();
    return linhas;
}

// The index's lines with the bytes each one spans, its line break included.
struct LinhaBruta {
    qsizetype inicio = 0;
    qsizetype fim = 0;
    QString texto;
};

QList<LinhaBruta> linhasBrutas(const QByteArray &bytes)
{
    QList<LinhaBruta> linhas;
    qsizetype inicio = 0;
    while (inicio < bytes.size()) {
        qsizetype fim = inicio;
        while (fim < bytes.size() && bytes.at(fim) != '\r' && bytes.at(fim) != '\n')
            ++fim;
        const QString texto = plataforma::deAnsi(bytes.mid(inicio, fim - inicio));
        if (fim < bytes.size())
            fim += (bytes.at(fim) == '\r' && fim + 1 < bytes.size() && bytes.at(fim + 1) == '\n') ? 2 : 1;
        linhas.append({inicio, fim, texto});
        inicio = fim;
    }
    return linhas;
}

QString copiaDaLinha(const QString &linha)
{
    return linha.section(kSeparador, 1, 1);
}

} // namespace

QByteArray DadosEnvio::json() const
{
    QJsonArray params;
    for (const QString &p : parametros)
        params.append(p);
    const QJsonObject objeto{
        {QStringLiteral("pasta"), pasta},
        {QStringLiteral("usuariosId"), usuariosId},
        {QStringLiteral("email"), email},
        {QStringLiteral("parametros"), params},
        {QStringLiteral("descricao"), descricao},
        {QStringLiteral("observacao"), observacao},
        {QStringLiteral("enfileiradoEm"), enfileiradoEm},
        {QStringLiteral("enviando"), enviando},
        {QStringLiteral("falha"), falha},
    };
    return QJsonDocument(objeto).toJson(QJsonDocument::Indented);
}

std::optional<DadosEnvio> DadosEnvio::deJson(const QByteArray &bytes)
{
    QJsonParseError erro{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &erro);
    if (erro.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    DadosEnvio d;
    d.pasta = o.value(QStringLiteral("pasta")).toString();
    d.usuariosId = o.value(QStringLiteral("usuariosId")).toString();
    d.email = o.value(QStringLiteral("email")).toString();
    const QJsonArray params = o.value(QStringLiteral("parametros")).toArray();
    for (qsizetype i = 0; i < qsizetype(d.parametros.size()) && i < params.size(); ++i)
        d.parametros[size_t(i)] = params.at(i).toString();
    d.descricao = o.value(QStringLiteral("descricao")).toString();
    d.observacao = o.value(QStringLiteral("observacao")).toString();
    d.enfileiradoEm = o.value(QStringLiteral("enfileiradoEm")).toString();
    d.enviando = o.value(QStringLiteral("enviando")).toBool();
    d.falha = o.value(QStringLiteral("falha")).toString();
    return d;
}

QString FilaEnvio::pasta() const
{
    return m_amb.pathUser + QStringLiteral("queqe") + plataforma::separador();
}

QString FilaEnvio::pastaArquivos() const
{
    return pasta() + QStringLiteral("files") + plataforma::separador();
}

QString FilaEnvio::indice() const
{
    return pasta() + QStringLiteral("vrmf.rlx");
}

QString FilaEnvio::pastaDados() const
{
    return pasta() + QStringLiteral("dados") + plataforma::separador();
}

QString FilaEnvio::arquivoDados(const QString &copia) const
{
    return pastaDados() + copia + QStringLiteral(".json");
}

qint64 FilaEnvio::numeroCopia(const QString &nome)
{
    if (!soDigitos(QStringView(nome).right(3)))
        return -1;
    // The whole run of digits at the end, so that file1000 follows file999 instead of reading as
    // 0 and being overwritten by every later copy.
    qsizetype inicio = nome.size();
    while (inicio > 0 && nome.at(inicio - 1).isDigit() && nome.at(inicio - 1).unicode() < 0x80)
        --inicio;
    bool ok = false;
    const qint64 numero = QStringView(nome).mid(inicio).toLongLong(&ok);
    return ok ? numero : QStringView(nome).right(3).toLongLong();
}

QString FilaEnvio::linhaIndice(const classEnviar &enviar, const QString &copia, const QString &tituloArquivo)
{
    const QStringList campos{
        enviar.Empresas(),
        copia,
        campo(tituloArquivo),
        QString::number(enviar.TipoArquivo()),
        campo(enviar.Descricao()),
        campo(enviar.Ativacao()),
        campo(enviar.Expiracao()),
        observacao(enviar.Observacao()),
        campo(enviar.Emails()),
        textoValor(enviar.Valor()),
        campo(enviar.Vencimento()),
    };
    QString linha;
    for (const QString &c : campos)
        linha += c + kSeparador;
    return linha + kCrLf;
}

QString FilaEnvio::rotulo(const QString &empresas, const QList<portal::LinhaCliente> &clientes)
{
    if (empresas.contains(kQuebraObs))
        return QStringLiteral("(%1)Empresas").arg(empresas.count(kQuebraObs));
    // several companies, as queued: their count
    if (empresas.contains(QLatin1Char('*')))
        return QStringLiteral("(%1)Empresas").arg(empresas.count(QLatin1Char('*')) + 1);
    for (const portal::LinhaCliente &c : clientes) {
        if (c.id == empresas)
            return c.nome;
    }
    // a company the directory no longer lists keeps its id
    return empresas;
}

bool FilaEnvio::preparaPastas()
{
    const plataforma::FileService &fso = m_amb.fso;
    for (const QString &p : {m_amb.pathUser, pasta()}) {
        if (!fso.pastaExiste(p) && !fso.criaPasta(p))
            return false;
    }
    const QString arquivos = pastaArquivos();
    if (!fso.pastaExiste(arquivos))
        return fso.criaPasta(arquivos) && (fso.pastaExiste(pastaDados()) || fso.criaPasta(pastaDados()));
    // copies without an index are what is left of a queue already sent
    if (!fso.arquivoExiste(indice()) && !esvazia())
        return false;
    return fso.pastaExiste(pastaDados()) || fso.criaPasta(pastaDados());
}

bool FilaEnvio::esvazia() const
{
    const plataforma::FileService &fso = m_amb.fso;
    for (const QString &p : {pastaArquivos(), pastaDados()}) {
        for (const QString &nome : fso.listaArquivos(p)) {
            if (!fso.apagaArquivo(p + nome))
                return false;
        }
    }
    return true;
}

bool FilaEnvio::enfileiraUm(const classEnviar &enviar, const QString &titulo, const QString &tipo,
                            const QString &entrada, qint64 &maior)
{
    const plataforma::FileService &fso = m_amb.fso;
    if (!preparaPastas())
        return false;
    m_amb.erro.clear();

    const QString arquivos = pastaArquivos();
    for (const QString &nome : fso.listaArquivos(arquivos)) {
        const qint64 numero = numeroCopia(nome);
        if (numero >= 0)
            maior = std::max(maior, numero);
        else if (!fso.apagaArquivo(arquivos + nome))
            return false;
    }
    const QString copia = QStringLiteral("file%1").arg(maior + 1, 3, 10, QLatin1Char('0'));

    m_amb.arquivo = entrada;
    if (!fso.copiaArquivo(entrada, arquivos + copia, true))
        return false;
    DadosEnvio dados = m_amb.dados;
    dados.parametros = {enviar.Parametro1(), enviar.Parametro2(), enviar.Parametro3(), enviar.Parametro4(),
                        enviar.Parametro5()};
    dados.descricao = enviar.Descricao();
    dados.observacao = enviar.Observacao();
    dados.enfileiradoEm = publicacao::textoData(enviar.DataReferencia());
    dados.enviando = false;
    dados.falha.clear();
    if (!GravaDados(copia, dados))
        return false;

    QString tituloArquivo = plataforma::nomeArquivo(entrada);
    if (!titulo.isEmpty())
        tituloArquivo = tipo.isEmpty() ? titulo : titulo + QLatin1Char('.') + tipo;
    QString linha = linhaIndice(enviar, copia, tituloArquivo);
    // the sender may be rewriting the index right now (another running copy)
    return fso.comTrava(indice(), [&] {
        // An index left without its last line break (a write cut short) must not swallow this line.
        if (fso.arquivoExiste(indice())) {
            const QByteArray atual = fso.leBytes(indice());
            if (!atual.isEmpty() && !atual.endsWith('\n') && !atual.endsWith('\r'))
                linha.prepend(kCrLf);
        }
        return fso.acrescentaBytes(indice(), plataforma::paraAnsi(linha));
    });
}

bool FilaEnvio::Enfileirar(const classEnviar &enviar, const QString &titulo, const QString &tipo,
                           const QStringList &lista)
{
    if (!enviar.Validado()) {
        m_amb.erro = kNaoValidado;
        m_amb.enfileirado = false;
        return false;
    }
    const auto falha = [this] {
        if (m_amb.erro.isEmpty())
            m_amb.erro = kErroIndefinido;
        m_amb.enfileirado = false;
        return false;
    };
    m_amb.erro.clear();
    qint64 maior = 0;
    bool algum = false;
    try {
        for (const QString &entrada : lista) {
            if (entrada.isEmpty())
                continue;
            if (!enfileiraUm(enviar, titulo, tipo, entrada, maior))
                return falha();
            algum = true;
        }
    } catch (...) {
        return falha();
    }
    // a list without a single file queued nothing: no success to report
    if (!algum)
        return falha();
    m_amb.enfileirado = true;
    return true;
}

QList<QStringList> FilaEnvio::CarregaFila(bool &pErro, const std::function<bool()> &sincroniza,
                                          const portal::TabelasDiretorio &tabelas)
{
    const plataforma::FileService &fso = m_amb.fso;
    pErro = false;
    const auto falha = [&] {
        m_amb.erro = kProblemasFila;
        pErro = true;
        return QList<QStringList>();
    };
    try {
        for (const QString &p : {m_amb.pathUser, pasta()}) {
            if (!fso.pastaExiste(p))
                fso.criaPasta(p);
        }
        if (!fso.arquivoExiste(indice()))
            return falha();
        bool lido = false;
        const QByteArray bytes = fso.leBytes(indice(), &lido);
        if (!lido)
            return falha();
        const QStringList linhas = linhasDe(plataforma::deAnsi(bytes));

        QList<QStringList> tabela(linhas.size() + 1, QStringList(kCampos));
        if (!linhas.isEmpty() && !(sincroniza && sincroniza()))
            return falha();
        for (qsizetype n = 0; n < linhas.size(); ++n) {
            // a short or damaged line leaves its missing fields empty
            const QStringList partes = linhas.at(n).split(kSeparador);
            QStringList &linha = tabela[n];
            linha[0] = rotulo(partes.value(0), tabelas.clientes);
            for (int f = 1; f < kCampos; ++f)
                linha[f] = partes.value(f);
        }
        return tabela;
    } catch (...) {
        return falha();
    }
}

bool FilaEnvio::Entradas(QList<EntradaFila> &entradas) const
{
    entradas.clear();
    const plataforma::FileService &fso = m_amb.fso;
    if (!fso.arquivoExiste(indice()))
        return true;
    bool lido = false;
    const QByteArray bytes = fso.leBytes(indice(), &lido);
    if (!lido)
        return false;
    for (const QString &linha : linhasDe(plataforma::deAnsi(bytes))) {
        QStringList campos = linha.split(kSeparador);
        campos.resize(kCampos);
        EntradaFila entrada{campos};
        if (!entrada.copia().isEmpty())
            entradas.append(entrada);
    }
    return true;
}

std::optional<DadosEnvio> FilaEnvio::LeDados(const QString &copia) const
{
    bool lido = false;
    const QByteArray bytes = m_amb.fso.leBytes(arquivoDados(copia), &lido);
    return lido ? DadosEnvio::deJson(bytes) : std::nullopt;
}

bool FilaEnvio::GravaDados(const QString &copia, const DadosEnvio &dados) const
{
    const plataforma::FileService &fso = m_amb.fso;
    if (!fso.pastaExiste(pastaDados()) && !fso.criaPasta(pastaDados()))
        return false;
    return fso.gravaBytes(arquivoDados(copia), dados.json());
}

bool FilaEnvio::Retira(const QString &copia) const
{
    const plataforma::FileService &fso = m_amb.fso;
    if (copia.isEmpty())
        return false;
    // a line another running copy appends meanwhile must not be lost in the rewrite
    return fso.pastaExiste(pasta()) && fso.comTrava(indice(), [&] { return retiraTravado(copia); });
}

bool FilaEnvio::retiraTravado(const QString &copia) const
{
    const plataforma::FileService &fso = m_amb.fso;
    const bool temIndice = fso.arquivoExiste(indice());
    bool lido = false;
    const QByteArray bytes = temIndice ? fso.leBytes(indice(), &lido) : QByteArray();
    // an index that cannot be read may still hold the line: its copy stays
    if (temIndice && !lido)
        return false;
    if (lido) {
        QByteArray resto;
        bool achou = false;
        bool sobra = false;
        for (const LinhaBruta &l : linhasBrutas(bytes)) {
            const QString esta = copiaDaLinha(l.texto);
            if (!achou && esta == copia) {
                achou = true;
                continue;
            }
            resto += bytes.mid(l.inicio, l.fim - l.inicio);
            sobra = sobra || !esta.isEmpty();
        }
        if (achou) {
            if (sobra) {
                if (!fso.gravaBytes(indice(), resto))
                    return false;
            } else if (!fso.apagaArquivo(indice())) {
                // the last one out: an empty queue has no index (the next queueing clears what a
                // crash may have left in "files")
                return false;
            }
        }
    }
    const QString dados = arquivoDados(copia);
    if (fso.arquivoExiste(dados) && !fso.apagaArquivo(dados))
        return false;
    const QString arquivo = pastaArquivos() + copia;
    return !fso.arquivoExiste(arquivo) || fso.apagaArquivo(arquivo);
}

} // namespace transferencia
