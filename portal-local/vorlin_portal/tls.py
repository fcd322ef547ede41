"""Certificates of a portal that speaks TLS: a throw-away certification
authority made in the data folder, the server certificate it signs, and the
faulty certificates the program's refusal tests need.

    tls/ac.pem                 the authority the program is told to trust
    tls/<kind>.pem, <kind>.key one server certificate per kind (no chain: the
                               authority is the root, which servers never send)

Everything is made at once, with EC keys (milliseconds), the first time a
data folder needs it, and made again when the good certificate is about to
expire. The authorities' private keys are never written down.
"""

import datetime
import ipaddress
import os

# kind -> what is wrong with it
TIPOS = {
    "valid": "nothing: signed by ac.pem, for 127.0.0.1 and localhost",
    "expired": "expired a month ago",
    "wrong-name": "issued for another host name",
    "other-ca": "signed by an authority the program does not know",
}

PASTA = "tls"
AC = "ac.pem"
DIA = datetime.timedelta(days=1)


def pasta(raiz):
    return os.path.join(raiz, PASTA)


def caminho_ac(raiz):
    return os.path.join(pasta(raiz), AC)


def certificado(raiz, tipo):
    """(certificate file, key file) of one kind, made when missing."""
    if tipo not in TIPOS:
        raise ValueError(tipo)
    prepara(raiz)
    base = os.path.join(pasta(raiz), tipo)
    return base + ".pem", base + ".key"


def prepara(raiz):
    """Makes the authority and every server certificate unless the folder
    already has a set whose good certificate lasts a while yet."""
    destino = pasta(raiz)
    arquivos = [AC] + [f"{t}{ext}" for t in TIPOS for ext in (".pem", ".key")]
    if all(os.path.exists(os.path.join(destino, a)) for a in arquivos) and _dura(destino):
        return caminho_ac(raiz)
    os.makedirs(destino, exist_ok=True)
    _gera(destino)
    return caminho_ac(raiz)


def _dura(destino):
    from cryptography import x509
    try:
        with open(os.path.join(destino, "valid.pem"), "rb") as f:
            cert = x509.load_pem_x509_certificate(f.read())
    except (OSError, ValueError):
        return False
    return cert.not_valid_after > datetime.datetime.utcnow() + 7 * DIA


def _gera(destino):
    from cryptography.hazmat.primitives import serialization

    agora = datetime.datetime.utcnow().replace(microsecond=0)
    ac = _Autoridade("Portal Vorlin local - AC de testes", agora)
    outra = _Autoridade("Outra AC", agora)
    local = [_ip("127.0.0.1"), _dns("localhost")]
    feitos = {
        "valid": ac.assina(local, agora - DIA, agora + 730 * DIA),
        "expired": ac.assina(local, agora - 400 * DIA, agora - 30 * DIA),
        "wrong-name": ac.assina([_dns("portal.outro-host.invalid")], agora - DIA, agora + 730 * DIA),
        "other-ca": outra.assina(local, agora - DIA, agora + 730 * DIA),
    }
    pem = serialization.Encoding.PEM
    for tipo, (cert, chave) in feitos.items():
        _grava(os.path.join(destino, tipo + ".key"), chave.private_bytes(
            pem, serialization.PrivateFormat.PKCS8, serialization.NoEncryption()))
        _grava(os.path.join(destino, tipo + ".pem"), cert.public_bytes(pem))
    # written last: its presence says the set is whole
    _grava(os.path.join(destino, AC), ac.cert.public_bytes(pem))


def _grava(caminho, dados):
    temporario = caminho + ".tmp"
    with open(temporario, "wb") as f:
        f.write(dados)
    os.replace(temporario, caminho)


def _ip(texto):
    from cryptography import x509
    return x509.IPAddress(ipaddress.ip_address(texto))


def _dns(nome):
    from cryptography import x509
    return x509.DNSName(nome)


def _nome(texto):
    from cryptography import x509
    from cryptography.x509.oid import NameOID
    return x509.Name([x509.NameAttribute(NameOID.ORGANIZATION_NAME, "Portal Vorlin local"),
                      x509.NameAttribute(NameOID.COMMON_NAME, texto)])


class _Autoridade:
    def __init__(self, nome, agora):
        from cryptography import x509
        from cryptography.hazmat.primitives import hashes
        from cryptography.hazmat.primitives.asymmetric import ec

        self.chave = ec.generate_private_key(ec.SECP256R1())
        publica = self.chave.public_key()
        self.cert = (
            x509.CertificateBuilder()
            .subject_name(_nome(nome)).issuer_name(_nome(nome))
            .public_key(publica)
            .serial_number(x509.random_serial_number())
            .not_valid_before(agora - DIA).not_valid_after(agora + 3650 * DIA)
            .add_extension(x509.BasicConstraints(ca=True, path_length=0), critical=True)
            .add_extension(x509.KeyUsage(
                digital_signature=False, content_commitment=False, key_encipherment=False,
                data_encipherment=False, key_agreement=False, key_cert_sign=True, crl_sign=True,
                encipher_only=False, decipher_only=False), critical=True)
            .add_extension(x509.SubjectKeyIdentifier.from_public_key(publica), critical=False)
            .sign(self.chave, hashes.SHA256()))

    def assina(self, nomes, inicio, fim):
        from cryptography import x509
        from cryptography.hazmat.primitives import hashes
        from cryptography.hazmat.primitives.asymmetric import ec
        from cryptography.x509.oid import ExtendedKeyUsageOID

        chave = ec.generate_private_key(ec.SECP256R1())
        publica = chave.public_key()
        comum = str(nomes[0].value)
        cert = (
            x509.CertificateBuilder()
            .subject_name(_nome(comum)).issuer_name(self.cert.subject)
            .public_key(publica)
            .serial_number(x509.random_serial_number())
            .not_valid_before(inicio).not_valid_after(fim)
            .add_extension(x509.BasicConstraints(ca=False, path_length=None), critical=True)
            .add_extension(x509.SubjectAlternativeName(nomes), critical=False)
            .add_extension(x509.ExtendedKeyUsage([ExtendedKeyUsageOID.SERVER_AUTH]), critical=False)
            .add_extension(x509.SubjectKeyIdentifier.from_public_key(publica), critical=False)
            .add_extension(x509.AuthorityKeyIdentifier.from_issuer_public_key(
                self.chave.public_key()), critical=False)
            .sign(self.chave, hashes.SHA256()))
        return cert, chave


def contexto_servidor(raiz, tipo):
    """The standard library's server context for the HTTPS side."""
    import ssl
    cert, chave = certificado(raiz, tipo)
    contexto = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    contexto.minimum_version = ssl.TLSVersion.TLSv1_2
    contexto.load_cert_chain(cert, chave)
    return contexto
