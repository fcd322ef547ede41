"""What travels on the wire: Windows-1252 text, the program's delimiters,
query strings as the program writes them, dates in Brazilian form."""

import datetime as _dt
import re

MARCADOR = "Vorlin Printer"
CRLF = "\r\n"
SECAO = "|*+"
REGISTRO = "<!#"
CAMPO = ">@%"
DICA = "-*="
SEPARADORES = (SECAO, REGISTRO, CAMPO, DICA)

# Session problems share one set of codes, the ones the confirmation reads.
SESSAO_DESCONHECIDA = "0"
SESSAO_EXPIRADA = "1"
SESSAO_DE_OUTRO_LOGIN = "2"
REQUISICAO_INVALIDA = "3"


def para_cp1252(texto):
    """Encode as Windows-1252. The five bytes that code page leaves undefined
    come back as themselves (they arrived as U+0081 etc.); anything else that
    does not fit becomes '?', never an exception."""
    try:
        return texto.encode("cp1252")
    except UnicodeEncodeError:
        pass
    saida = bytearray()
    for ch in texto:
        try:
            saida += ch.encode("cp1252")
        except UnicodeEncodeError:
            saida += bytes([ord(ch)]) if ord(ch) < 0x100 else b"?"
    return bytes(saida)


def de_cp1252(dados):
    """Decode Windows-1252 the way Windows does: undefined bytes map to the
    C1 code point of the same value instead of failing."""
    try:
        return dados.decode("cp1252")
    except UnicodeDecodeError:
        return "".join(
            bytes([b]).decode("cp1252", errors="ignore") or chr(b) for b in dados)


_HEX = re.compile(rb"%([0-9A-Fa-f]{2})")


def desescapa(cru, mais_e_espaco=False):
    """Percent-decode a raw query value (str holding the request's bytes as
    latin-1). A '%' not followed by two hex digits stays as it is."""
    dados = cru.encode("latin-1", errors="replace")
    if mais_e_espaco:
        dados = dados.replace(b"+", b" ")
    return _HEX.sub(lambda m: bytes([int(m.group(1), 16)]), dados)


class Consulta:
    """A raw query string, split the way the program writes it.

    Values are not escaped by the program except where it says so, so a raw
    '&' may sit inside free text (description, observation, password,
    parameters, file name, e-mail). A segment that does not start a new
    known key belongs to the free-text value before it. The first
    occurrence of a key wins."""

    def __init__(self, cru, livres=(), conhecidas=None):
        """livres: keys whose value may hold a raw '&'. conhecidas: every key
        of the request in the order the program writes them."""
        self.cru = cru or ""
        self._valores = {}
        livres = set(livres)
        ordem = {nome: i for i, nome in enumerate(conhecidas or ())}
        atual = None
        for segmento in self.cru.split("&"):
            nome, tem_igual, valor = segmento.partition("=")
            nova = bool(tem_igual and nome and nome not in self._valores)
            if nova and atual in livres and ordem:
                # inside free text only a key the program writes later can
                # start a new value
                nova = ordem.get(nome, -1) > ordem.get(atual, len(ordem))
            if atual in livres and not nova:
                self._valores[atual] += "&" + segmento
                continue
            if not nova and (not tem_igual or not nome or nome in self._valores):
                # "a=l&" leaves an empty segment; a repeated key is ignored
                atual = None
                continue
            self._valores[nome] = valor
            atual = nome

    def _cru(self, chave):
        if chave in self._valores:
            return self._valores[chave]
        minuscula = chave.lower()
        for nome, valor in self._valores.items():
            if nome.lower() == minuscula:
                return valor
        return None

    def tem(self, chave):
        return self._cru(chave) is not None

    def bruto(self, chave):
        """The percent-decoded bytes of a value, or None."""
        valor = self._cru(chave)
        return None if valor is None else desescapa(valor)

    def texto(self, chave, padrao=None, codificado=False):
        """The value as text. codificado: the program ran it through its
        URL encoder, which writes a blank as '+'."""
        valor = self._cru(chave)
        if valor is None:
            return padrao
        return de_cp1252(desescapa(valor, mais_e_espaco=codificado))

    def inteiro(self, chave, padrao=None):
        """A 32-bit decimal integer; None when missing or not a number."""
        return inteiro(self.texto(chave), padrao)


_INTEIRO = re.compile(r"^\s*[-+]?[0-9]{1,10}\s*$")


def inteiro(texto, padrao=None):
    if texto is None or not _INTEIRO.match(texto):
        return padrao
    valor = int(texto)
    if not -2**31 <= valor < 2**31:
        return padrao
    return valor


# every delimiter holds one of '*', '!', '@': text without them (and without
# line breaks) goes out as it is
_TALVEZ_PERIGOSO = re.compile(r"[\r\n*!@]")


def campo(valor):
    """One field of a reply: no line breaks and no delimiter may leak out of
    it, or the program would cut the reply in the wrong place."""
    if valor is None:
        return ""
    texto = valor if isinstance(valor, str) else str(valor)
    if _TALVEZ_PERIGOSO.search(texto) is None:
        return texto
    texto = texto.replace("\r\n", " ").replace("\r", " ").replace("\n", " ")
    for sep in SEPARADORES:
        texto = texto.replace(sep, sep[0] + " " + sep[1:])
    return texto


def extensao(nome):
    """The file type field of the history: the name's extension in capitals."""
    base = (nome or "").rpartition("/")[2]
    ponto = base.rfind(".")
    return campo(base[ponto + 1:].upper()) if ponto > 0 else ""


def registros(linhas):
    """Records joined by '<!#', fields by '>@%'."""
    return REGISTRO.join(CAMPO.join(campo(c) for c in linha) for linha in linhas)


def resposta_linhas(*linhas):
    """A line-framed success reply; no trailing CR LF, since the program
    reads every line up to the last as data."""
    return CRLF.join((MARCADOR,) + tuple(str(l) for l in linhas))


def resposta_secoes(*secoes):
    return SECAO.join((MARCADOR,) + tuple(secoes))


def recusa(codigo, mensagem):
    """A refusal: no marker, line 0 a digit code, line 1 the message."""
    return str(codigo) + CRLF + mensagem


# Dates: stored as ISO text (sortable), sent as dd/mm/yyyy.

def data_br(iso):
    """'2024-03-05' -> '05/03/2024'; '2024-03-05 10:11:12' keeps its time."""
    if not iso:
        return ""
    return iso[8:10] + "/" + iso[5:7] + "/" + iso[0:4] + iso[10:]


_DATA_BR = re.compile(r"^\s*([0-9]{1,2})/([0-9]{1,2})/([0-9]{4})\s*$")


def data_iso(texto_br):
    """'5/3/2024' or '05/03/2024' -> '2024-03-05'; None when not a date."""
    m = _DATA_BR.match(texto_br or "")
    if not m:
        return None
    try:
        return _dt.date(int(m.group(3)), int(m.group(2)), int(m.group(1))).isoformat()
    except ValueError:
        return None


def data_compacta(texto):
    """'20240305' (the history query's form) -> '2024-03-05'; None otherwise."""
    if not texto or not re.fullmatch(r"[0-9]{8}", texto):
        return None
    try:
        return _dt.date(int(texto[:4]), int(texto[4:6]), int(texto[6:])).isoformat()
    except ValueError:
        return None


def valor_br(valor):
    """An amount with a decimal comma and no thousands separator."""
    return f"{(valor or 0.0):.2f}".replace(".", ",")


class Resposta:
    """A reply that is not plain portal text: raw bytes, a page, a status."""

    def __init__(self, corpo=b"", status=200, tipo="application/octet-stream"):
        self.corpo = corpo
        self.status = status
        self.tipo = tipo
