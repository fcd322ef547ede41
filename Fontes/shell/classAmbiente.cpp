// Placeholder: replaced by the environment object's implementation.
#include "shell/classAmbiente.h"

classAmbiente::classAmbiente(plataforma::Servicos &servicos)
    : m_servicos(servicos), m_sistema(QStringLiteral("Vorlin Printer"))
{
}

classAmbiente::~classAmbiente() = default;

bool classAmbiente::Inicia(bool pMonitor, const QString &pArquivo, const std::optional<QString> &)
{
    m_monitor = pMonitor;
    m_arquivo = pArquivo.trimmed();
    return true;
}

QString classAmbiente::ArquivoTamanho() const { return QString::number(m_servicos.fso.tamanho(m_arquivo)); }
void classAmbiente::setTipo(const QString &) {}
QString classAmbiente::TipoDesc() const { return QString(); }
QString classAmbiente::setTitulo(const QString &texto) { m_titulo = texto.trimmed(); return m_titulo; }
bool classAmbiente::SalvarPDF(const QString &, bool) { return false; }
bool classAmbiente::Captura(const QString &) { return false; }
void classAmbiente::LimpaListaArquivos() { m_listaArquivos = QStringList{QString()}; }
void classAmbiente::AddListaArquivos(const QString &caminho) { m_listaArquivos << caminho; }
bool classAmbiente::ValidaArquivo(QString &) { return false; }
void classAmbiente::RegistraVersao() {}
