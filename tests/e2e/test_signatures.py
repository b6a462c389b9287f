"""The signatures on the deliverables, checked as a player's machine would: the
chain up to the development root, and a file changed after signing fails. And
the signing script's refusals: a shipped build never carries the development
signature."""
import os
import shutil
import subprocess
from pathlib import Path

import pytest

REPO = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("VANTOR_BUILD_DIR", REPO / "build" / "win32"))
DEVCA = BUILD / "counterparts" / "devca"
SIGN = REPO / "scripts" / "sign.sh"
DELIVERABLES = ["VantorLogin.exe", "VantorUpdate.exe", "Parcelkit.dll", "certs/Trustfit.exe"]


def verify(path, ca):
    done = subprocess.run(["osslsigncode", "verify", "-CAfile", str(ca), "-in", str(path)],
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return done.returncode == 0 and "Signature verification: ok" in done.stdout, done.stdout


@pytest.mark.parametrize("name", DELIVERABLES)
def test_each_deliverable_is_signed_by_the_development_ca_and_a_changed_byte_breaks_it(name, tmp_path):
    path = BUILD / "image" / name
    ok, report = verify(path, DEVCA / "root-ca.pem")
    assert ok, report
    assert "Vantor Development Code Signing" in report

    changed = tmp_path / path.name
    data = bytearray(path.read_bytes())
    data[len(data) // 3] ^= 0x01   # inside the code, well before the signature at the end
    changed.write_bytes(bytes(data))
    ok, report = verify(changed, DEVCA / "root-ca.pem")
    assert not ok, report


def operator_certificate(folder, organisation):
    """A self-signed code-signing certificate and its key, as an operator would hold them."""
    key, cert = folder / "operator.key", folder / "operator.pem"
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-sha256", "-days", "30",
                    "-subj", f"/O={organisation}/CN=Vantor Online Code Signing", "-addext", "extendedKeyUsage=codeSigning",
                    "-keyout", str(key), "-out", str(cert)], check=True, capture_output=True)
    return key, cert


def sign(files, deployment, key=None, cert=None):
    env = {k: v for k, v in os.environ.items() if not k.startswith("VANTOR_SIGN_")}
    if key:
        env.update(VANTOR_SIGN_KEY=str(key), VANTOR_SIGN_CERT=str(cert))
    return subprocess.run(["bash", str(SIGN), "--deployment", deployment, "--devca", str(DEVCA), *map(str, files)],
                          env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)


@pytest.fixture
def unsigned_copy(tmp_path):
    copy = tmp_path / "Parcelkit.dll"
    shutil.copyfile(BUILD / "image" / "Parcelkit.dll", copy)
    return copy


def test_a_production_build_signs_with_the_operators_key(unsigned_copy, tmp_path):
    key, cert = operator_certificate(tmp_path, "Playmoor")
    done = sign([unsigned_copy], "production", key, cert)
    assert done.returncode == 0, done.stdout
    ok, report = verify(unsigned_copy, cert)
    assert ok and "O=Playmoor" in report, report


@pytest.mark.parametrize("given", ["nothing", "development key", "key of another certificate"])
def test_a_production_build_refuses_to_sign_without_the_operators_own_key(given, unsigned_copy, tmp_path):
    before = unsigned_copy.read_bytes()
    if given == "nothing":
        done = sign([unsigned_copy], "production")
    elif given == "development key":
        done = sign([unsigned_copy], "production", DEVCA / "codesign.key", DEVCA / "codesign-chain.pem")
    else:
        _, cert = operator_certificate(tmp_path, "Playmoor")
        done = sign([unsigned_copy], "production", DEVCA / "server.key", cert)
    assert done.returncode != 0
    assert unsigned_copy.read_bytes() == before, "a refused file must stay as it was"
