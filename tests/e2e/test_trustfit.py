"""certs/Trustfit.exe under Wine: certificates from the development CA script
land in the local machine's stores, with the console texts and exit status.
Every test makes its own CA, so the session's shared prefix never holds a
certificate of another test."""
import subprocess
import uuid

import pytest

from trustfit_helpers import (BANNER, CRYPT_E_ASN1_BADTAG, DECODE_FAILED, ERROR_FILE_NOT_FOUND, IMPORTED,
                              IMPORTING, INVALID_PARAMETER, OPEN_FAILED, HttpsServer, DevCa, assert_output,
                              error_text, run_trustfit, StoreContents, tool)

# WinINet's refusals of a server certificate (invalid CA, name, date, revocation, ...).
CERTIFICATE_ERRORS = {12037, 12038, 12044, 12045, 12057, 12169, 12175}


@pytest.fixture
def ca(tmp_path):
    """A development CA of this test alone (its names carry a unique label)."""
    return DevCa(tmp_path / "devca", "t" + uuid.uuid4().hex[:8])


def install_p7b(ca, install_dir, names):
    ca.write_p7b(install_dir / "certs" / "certs.p7b", names)


def imported(ca, *names):
    return [IMPORTED.format(ca.display_name(n)) for n in names]


ALL_KINDS = ("root-ca", "intermediate-ca", "server", "leaf-plain")


def test_each_certificate_lands_in_its_store(wine, build_dir, install_dir, ca):
    install_p7b(ca, install_dir, ALL_KINDS)

    status, output = run_trustfit(wine, install_dir)

    assert status == 0
    assert_output(output, BANNER + IMPORTING, imported(ca, *ALL_KINDS))
    stores = StoreContents(wine, build_dir)
    assert stores.stores_of(ca.thumbprint("root-ca")) == {"Root": 1}
    assert stores.stores_of(ca.thumbprint("intermediate-ca")) == {"CA": 1}
    assert stores.stores_of(ca.thumbprint("server")) == {"AddressBook": 1}  # CA flag false
    assert stores.stores_of(ca.thumbprint("leaf-plain")) == {"AddressBook": 1}  # no constraints


def test_second_run_reports_success_again_and_keeps_one_copy(wine, build_dir, install_dir, ca):
    install_p7b(ca, install_dir, ALL_KINDS)

    first = run_trustfit(wine, install_dir)
    second = run_trustfit(wine, install_dir)

    assert first[0] == second[0] == 0
    assert_output(second[1], BANNER + IMPORTING, imported(ca, *ALL_KINDS))
    assert second[1] == first[1]
    stores = StoreContents(wine, build_dir)
    for name, store in zip(ALL_KINDS, ("Root", "CA", "AddressBook", "AddressBook")):
        assert stores.stores_of(ca.thumbprint(name)) == {store: 1}, name


@pytest.mark.parametrize("args", [["/S"], ["/s", "/x"]])
def test_silent_switch_runs_like_no_argument(wine, build_dir, install_dir, ca, args):
    install_p7b(ca, install_dir, ["root-ca"])

    status, output = run_trustfit(wine, install_dir, *args)

    assert status == 0
    assert output == BANNER + IMPORTING + IMPORTED.format(ca.display_name("root-ca"))
    assert StoreContents(wine, build_dir).stores_of(ca.thumbprint("root-ca")) == {"Root": 1}


@pytest.mark.parametrize("arg", ["/x", "/ss"])
def test_other_argument_prints_banner_and_invalid_parameter_only(wine, build_dir, install_dir, ca, arg):
    install_p7b(ca, install_dir, ["root-ca"])

    status, output = run_trustfit(wine, install_dir, arg)

    assert status != 0
    assert output == BANNER + INVALID_PARAMETER
    assert StoreContents(wine, build_dir).stores_of(ca.thumbprint("root-ca")) == {}


def test_missing_file_prints_open_failure_with_system_reason(wine, build_dir, install_dir):
    (install_dir / "certs" / "certs.p7b").unlink()

    status, output = run_trustfit(wine, install_dir)

    reason = error_text(wine, build_dir, ERROR_FILE_NOT_FOUND)
    assert reason.strip()
    assert status != 0
    assert output == BANNER + OPEN_FAILED.format(reason)


def test_file_is_looked_for_beside_the_program_not_in_the_current_folder(wine, build_dir, install_dir, ca):
    # run_trustfit starts it from "/", where no certs.p7b lies.
    install_p7b(ca, install_dir, ["intermediate-ca"])

    status, output = run_trustfit(wine, install_dir)

    assert status == 0
    assert output == BANNER + IMPORTING + IMPORTED.format(ca.display_name("intermediate-ca"))


@pytest.mark.parametrize("content", [b"", "der-certificate", "pem-pkcs7"])
def test_file_that_is_not_pkcs7_ends_silently_after_the_banner(wine, build_dir, install_dir, ca, content):
    target = install_dir / "certs" / "certs.p7b"
    if content == "der-certificate":  # a bare certificate is not a PKCS#7 message
        subprocess.run(["openssl", "x509", "-in", str(ca.pem("root-ca")), "-outform", "DER", "-out", str(target)],
                       check=True)
    elif content == "pem-pkcs7":  # crypt32 reads the binary form only
        subprocess.run(["openssl", "crl2pkcs7", "-nocrl", "-certfile", str(ca.pem("root-ca")), "-out", str(target)],
                       check=True)
    else:
        target.write_bytes(content)

    status, output = run_trustfit(wine, install_dir)

    assert status != 0
    assert output == BANNER
    assert StoreContents(wine, build_dir).stores_of(ca.thumbprint("root-ca")) == {}


def test_undecodable_constraints_are_skipped_and_the_others_imported(wine, build_dir, install_dir, ca):
    install_p7b(ca, install_dir, ["root-ca", "leaf-broken", "leaf-plain"])

    status, output = run_trustfit(wine, install_dir)

    assert status == 0
    reason = error_text(wine, build_dir, CRYPT_E_ASN1_BADTAG)  # Wine has no text for it: ""
    assert_output(output, BANNER + IMPORTING,
                  [DECODE_FAILED.format(reason)] + imported(ca, "root-ca", "leaf-plain"))
    stores = StoreContents(wine, build_dir)
    assert stores.stores_of(ca.thumbprint("leaf-broken")) == {}
    assert stores.stores_of(ca.thumbprint("root-ca")) == {"Root": 1}
    assert stores.stores_of(ca.thumbprint("leaf-plain")) == {"AddressBook": 1}


def test_wininet_trusts_the_development_ca_only_after_the_installer_ran(wine, build_dir, install_dir, tmp_path):
    # A host of this test alone, so no other server holds its port 443.
    host = "127.10.200.1"
    ca = DevCa(tmp_path / "devca", "t" + uuid.uuid4().hex[:8], hosts=[host])
    install_p7b(ca, install_dir, ["root-ca", "intermediate-ca"])
    probe = tool(build_dir, "https_probe")

    # The server sends its own certificate only: the chain needs the
    # intermediate from the "CA" store and the root from "Root".
    with HttpsServer(host, 443, ca.pem("server"), ca.folder / "server.key") as server:
        before = wine.run([probe, host, "443", "/before"]).stdout.decode().split()
        status, _ = run_trustfit(wine, install_dir)
        after = wine.run([probe, host, "443", "/after"]).stdout.decode().split()

    assert before[0] == "error" and int(before[1]) in CERTIFICATE_ERRORS, before
    assert status == 0
    assert after == ["status", "200"]
    assert server.paths == ["/after"]
